#include "config_record.h"

ConfigRecord gConfig = {};
