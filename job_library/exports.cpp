// The exported job interface. Nothing may be thrown across these functions.
#define JOBPORT_BUILDING_DLL
#include "jobport.h"

// Not built yet: every operation refuses honestly.
extern "C" int __stdcall JP_init(const char*) { return 0; }
extern "C" int __stdcall JP_StartJob(int* jobIdOut, unsigned int)
{
    if (jobIdOut)
        *jobIdOut = 0;
    return 0;
}
extern "C" int __stdcall JP_SendData(int, const char*) { return 0; }
extern "C" int __stdcall JP_EndJob(int) { return 0; }
extern "C" int __stdcall JP_AbortJob(int) { return 0; }

CJOBPORT_DLL& CJOBPORT_DLL::operator=(const CJOBPORT_DLL& other)
{
    m_nValue = other.m_nValue;
    return *this;
}
