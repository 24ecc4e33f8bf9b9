// What both benchmarks do alike as hosts of jobport.dll: load and
// initialise it, choose the print method in the print settings file, check
// each call, end the run at the first thing that goes wrong, and give each
// figure as the median of its runs.
#pragma once
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "jobport_library.h"
#include "warning_boxes.h"

// What ends a benchmark run; main prints it after "BENCHMARK FAILED: ".
class Failure : public std::exception {
public:
    explicit Failure(std::string text) : m_text(std::move(text)) {}
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
};

// Loads jobport.dll as a host does and calls JP_init(caller); throws a
// Failure when either fails.
void LoadAndInit(JobportLibrary& library, const char* caller);

// Writes the print method into the print settings file: the whole job held
// to its end or each page handed over as it arrives, and the pages a sheet
// ("NupPrintSetting"); throws a Failure when it cannot.
void ChoosePrintMethod(const std::string& settingsFile, bool holdToEnd, int nup);

// Throws a Failure when a library call did not return 1 or a warning box
// came up meanwhile.
void CheckCall(WarningBoxAnswerer& boxes, const char* call, int result);

// The middle value, or the mean of the two middle ones; 0 for none.
double Median(std::vector<double> values);
