// One whole soak run: sets up the installation, loads jobport.dll as a host
// does, runs the host threads, the fault thread and the record follower,
// drains, unloads, checks what is left behind and prints the summary.
// With several host processes, host 1 does so and starts the others, which
// join its installation and run the same way with their own launchers;
// host 1 waits for them, merges their reports and checks the shared folders.
#pragma once
#include "soak_options.h"

// 0 when every check held, 1 on a violation, 2 when the run could not start.
int RunSoak(SoakOptions options);
