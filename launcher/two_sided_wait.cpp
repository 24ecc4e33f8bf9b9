#include "two_sided_wait.h"

bool GroupEndsJob(size_t fileCount, const JobSettings& settings)
{
    const PrintSettings& p = settings.print;
    if (p.SortSetting == 1 && settings.copies >= 2)
        return true;
    const size_t groupSize = p.NupPrintSetting == 0   ? 1
                             : p.NupPrintSetting == 1 ? 2
                             : p.NupPrintSetting == 2 ? 4
                                                      : 0;
    return fileCount != groupSize;
}

bool KeepWaitingForBack(size_t sides, bool jobMayStillSend, size_t waitingGroups)
{
    return sides % 2 != 0 && jobMayStillSend && waitingGroups < kMostWaitingGroups;
}
