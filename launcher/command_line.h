// The configuration file the launcher was started with. The library starts
// it as  <installation folder>\KESTRO.EXE "<path of KESTRO.cfg>"  with the
// program path unquoted even when it holds blanks, so the program path cannot
// be split off by the usual rules: the configuration path is the last quoted
// text of the command line.
#pragma once
#include <string>

// The last double-quoted text of commandLine; without quotes, the text after
// the program path (up to and including ".exe"), trimmed; "" when there is none.
std::string ConfigPathFromCommandLine(const std::string& commandLine);
