// What a test asks of the launcher double, read from its environment (the
// library starts the launcher with the environment of the host process).
#pragma once
#include <string>

struct DoubleOptions {
    std::string recordPath;     // KESTRO_DOUBLE_RECORD, else kestro_double.rec beside the exe
    unsigned long startDelayMs = 0;  // KESTRO_DOUBLE_START_DELAY_MS
    unsigned long windowDelayMs = 0; // KESTRO_DOUBLE_WINDOW_DELAY_MS
    bool noWindow = false;           // KESTRO_DOUBLE_NO_WINDOW=1
    bool deletePrinted = false;      // KESTRO_DOUBLE_DELETE_PRINTED=1
    bool limitPrinted = false;       // KESTRO_DOUBLE_PRINT_LIMIT is set:
    unsigned long printLimit = 0;    //   only this many groups are "printed"
    bool exitOnDelete = false;       // KESTRO_DOUBLE_EXIT_ON_DELETE=1
};

DoubleOptions ReadDoubleOptions();
