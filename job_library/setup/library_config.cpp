#include "library_config.h"

ConfigRecord gConfig = {};
