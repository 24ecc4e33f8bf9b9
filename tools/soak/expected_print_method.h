// How the library groups a job's pages for the launcher, as the host can
// foresee it from the print settings file it wrote and the copies it asked
// for: each page alone, in twos, in fours, or all together after the end.
#pragma once

enum class PrintMethod { Unknown = 0, EachPage = 1, InTwos = 2, InFours = 4, AfterEnd = 30 };

// The settings the soak writes into "KESTROst.ini" before a job starts.
struct PrintChoice {
    int printAfterReceivedAllData = 0;
    int sortSetting = 0;
    int nupPrintSetting = 0;  // 0, 1 or 2
};

inline PrintMethod ExpectedMethod(const PrintChoice& choice, unsigned copies)
{
    if (choice.printAfterReceivedAllData != 0)
        return PrintMethod::AfterEnd;
    if (choice.sortSetting == 1 && copies >= 2)
        return PrintMethod::AfterEnd;
    switch (choice.nupPrintSetting) {
    case 0: return PrintMethod::EachPage;
    case 1: return PrintMethod::InTwos;
    case 2: return PrintMethod::InFours;
    default: return PrintMethod::Unknown;
    }
}

inline const char* MethodName(PrintMethod method)
{
    switch (method) {
    case PrintMethod::EachPage: return "each page";
    case PrintMethod::InTwos: return "in twos";
    case PrintMethod::InFours: return "in fours";
    case PrintMethod::AfterEnd: return "after the end";
    default: return "unknown";
    }
}
