// The program path and command line with which the library starts the
// launcher: the installation folder, "\", "KESTRO.EXE", a blank and the
// configuration file's path in double quotes. Both are formed in fixed
// buffers; a text that does not fit is refused whole, never cut short (a cut
// path would start another program or name another configuration file).
#pragma once
#include <cstddef>

const char kLauncherProgramName[] = "KESTRO.EXE";

// Sizes with the terminating zero: a path the ANSI process functions accept,
// and the launcher's command-line buffer.
const size_t kLauncherProgramPathSize = 260;
const size_t kLauncherCommandLineSize = 522;

// installDir + "\" + "KESTRO.EXE". False, with an empty result, when it does
// not fit or installDir is null.
bool FormLauncherProgramPath(const char* installDir, char (&path)[kLauncherProgramPathSize]);

// installDir + "\KESTRO.EXE" + " " + "\"" + configPath + "\"". False, with an
// empty result, when it does not fit or a text is null.
bool FormLauncherCommandLine(const char* installDir, const char* configPath,
                             char (&commandLine)[kLauncherCommandLineSize]);
