// The job engine's effects on Windows: the debug log and error reporter, the
// hand-off files in the temporary folder, the data folder, the launcher
// process and the default printer.
#pragma once

class JobEffects;

JobEffects& Win32JobEffects();
