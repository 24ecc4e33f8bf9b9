/* A DLL that a test plants where no program should load it from. */
__declspec(dllexport) int KestroPlantedProbe(void) { return 1; }
