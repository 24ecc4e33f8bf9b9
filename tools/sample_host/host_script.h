// The sample host's job script: one command a line; blank lines are
// skipped and lines starting with '#' are notes that the host prints as
// they come. Arguments are NAME=VALUE words.
//
//   job [copies=N] [pages=N] [dpi=N]
//                              JP_StartJob, then scan N pages into the job
//                              (copies 1 and no pages unless given)
//   scan pages=N [job=ID] [dpi=N]
//                              scan N more pages into an open job
//                              dpi: the resolution the page files state
//                              (default 100, at which a page is A4 at its
//                              own size; at 200 it is A6)
//   send FILE                  hand an existing page file (the rest of the
//                              line, blanks allowed) to the newest open job
//   end [job=ID]               JP_EndJob
//   abort [job=ID]             JP_AbortJob
//   set KEY=VALUE              save one print setting in the print settings
//                              file, as the user does in the settings program
//
// Without job=ID, scan, end and abort go to the newest open job.
#pragma once
#include <string>
#include <vector>

struct HostCommand {
    enum class Kind { Note, Job, Scan, Send, End, Abort, Set };
    Kind kind = Kind::Job;
    unsigned copies = 1;
    int pages = 0;
    int jobId = 0;  // 0: the newest open job
    int dpi = 100;
    std::string key;
    std::string value;
    std::string file;  // send: the page file
    std::string line;  // the command as written
};

// Adds the command of `line` (nothing for a blank line); false
// with a reason when the line is not a command.
bool ParseScriptLine(const std::string& line, std::vector<HostCommand>& script, std::string& error);

// Every line of a script file; false with the reason and line number of the
// first wrong line, or when the file cannot be read.
bool ReadScriptFile(const std::string& path, std::vector<HostCommand>& script, std::string& error);
