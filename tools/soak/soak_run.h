// One whole soak run: sets up the installation, loads jobport.dll as a host
// does, runs the host threads, the fault thread and the record follower,
// drains, unloads, checks what is left behind and prints the summary.
#pragma once
#include "soak_options.h"

// 0 when every check held, 1 on a violation, 2 when the run could not start.
int RunSoak(SoakOptions options);
