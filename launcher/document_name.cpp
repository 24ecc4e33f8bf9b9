#include "document_name.h"

std::wstring DocumentName(const std::wstring& configured, uint32_t jobId, uint32_t firstPage,
                          uint32_t lastPage, bool wholeJob)
{
    std::wstring name = configured.empty() ? std::wstring() : configured + L": ";
    name += L"Scan job " + std::to_wstring(jobId);
    if (wholeJob)
        return name;
    if (lastPage <= firstPage)
        return name + L", page " + std::to_wstring(firstPage);
    return name + L", pages " + std::to_wstring(firstPage) + L"\u2013" + std::to_wstring(lastPage);
}
