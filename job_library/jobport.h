// The job interface of jobport.dll, for host programs.
// Every function returns 1 on success and 0 on failure; the reason is
// written to the debug log. Call JP_init once, then per job JP_StartJob,
// JP_SendData for each page file and JP_EndJob or JP_AbortJob.
#pragma once

#ifdef JOBPORT_BUILDING_DLL
#define JOBPORT_CLASS __declspec(dllexport)
#else
#define JOBPORT_CLASS __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

int __stdcall JP_init(const char* caller);
int __stdcall JP_StartJob(int* jobIdOut, unsigned int copies);
int __stdcall JP_SendData(int jobId, const char* pageFilePath);
int __stdcall JP_EndJob(int jobId);
int __stdcall JP_AbortJob(int jobId);

#ifdef __cplusplus
}

// Exported for hosts built against earlier releases; holds one number.
class JOBPORT_CLASS CJOBPORT_DLL {
public:
    int m_nValue = 0;
    CJOBPORT_DLL& operator=(const CJOBPORT_DLL& other);
};
#endif
