#include "launcher_state.h"

int32_t gbLuncherExist = 0;
