// Identifiers of the framework's own texts in the program's string table.
// Read by the resource compiler too: plain #defines only.
#pragma once

// Shown in place of an error text that is missing or too long.
#define IDS_NO_ERROR_MESSAGE 7001
#define IDS_INTERNAL_FAILURE 7002
#define IDS_COMMAND_FAILED 7003
#define IDS_OUT_OF_MEMORY 7004
#define IDS_HELP_FAILED 7005
// File errors: a format with one %s for the file's full path.
#define IDS_FILE_GENERIC 7010
#define IDS_FILE_NOT_FOUND 7011
#define IDS_FILE_BAD_PATH 7012
#define IDS_FILE_TOO_MANY_OPEN 7013
#define IDS_FILE_ACCESS_DENIED 7014
#define IDS_FILE_SHARING_VIOLATION 7015
#define IDS_FILE_DISK_FULL 7016
#define IDS_FILE_END_OF_FILE 7017
#define IDS_FILE_LOCK_VIOLATION 7018
