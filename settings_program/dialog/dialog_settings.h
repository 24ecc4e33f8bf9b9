// The layout options as the print settings file "KESTROst.ini" stores them:
// which key each option is read from when the dialog opens and what is
// written back at OK, in which order. The dialog does the reading and
// writing (GetSetting, WriteSetting); this is only the mapping. A list left
// without a selection writes the key's library default, so the file always
// holds a value the library accepts (centred both ways; full size).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "dialog/dialog_options.h"
#include "shared_formats/print_settings_file.h"

// Reads one value of the settings file as text, "" when it is missing.
using SettingLookup = std::function<std::string(const char* section, const char* key)>;

// The six stored options, each read once in the order the file is written.
// Values are plain decimals (missing or unreadable: 0). A list position the
// lists do not have (position outside 0-8, size outside 0-1, also one half of
// a position) becomes -1: nothing selected. The orientation is not stored
// here: `landscape` of the result stays false and belongs to the common dialog.
// Whatever the lookup throws passes through.
DialogOptions DialogOptionsFromSettings(const SettingLookup& getSetting);

// One value to write, as decimal text.
struct SettingWrite {
    const char* section;
    const char* key;
    std::string value;
};

// The six writes of OK, in their fixed order: PrintAfterReceivedAllData,
// SortSetting, PrintPosSetting, PrintSizeSetting, PageFramePrintSetting,
// AutoRotatePrintSetting. The orientation is not written.
std::vector<SettingWrite> DialogSettingWrites(const DialogOptions& options);
