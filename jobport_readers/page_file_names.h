// How pages are named in the data folder: the file name of a page path, the
// numbered names a page takes when its name is taken, the data folder's
// path, and the names Windows takes for devices. The library moves pages by
// these rules; the launcher names the pages it reports and keeps by them.
#pragma once
#include <string>

// The file name of a page path: everything after its last '\' or '/', or the
// whole path when it has neither. A trail byte of a double-byte character in
// the process's ANSI code page (AnsiLeadByteTest) is no separator.
std::string PageFileName(const std::string& path);

// The name of attempt n (1 and up) for fileName: the name itself for 1, else
// a "(n)" put before the extension: "scan.bmp", "scan(2).bmp", "scan(3).bmp".
// A leading dot starts no extension.
std::string NumberedFileName(const std::string& fileName, unsigned attempt);

// The data folder under dataDir (the library's data directory):
// dataDir + "\Data" (kDataFolderName).
std::string DataFolderPath(const char* dataDir);

// True for the names the system takes as devices rather than files ("CON",
// "NUL", "COM1.bmp", "lpt3 .txt"): the part before the first dot, without
// trailing blanks, is CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, CONIN$ or
// CONOUT$, in any case.
bool IsDeviceName(const std::string& fileName);
