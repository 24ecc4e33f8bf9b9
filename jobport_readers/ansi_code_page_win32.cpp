#include "ansi_code_page_win32.h"

#include "ansi_code_page.h"
#include "win32_shared/ansi_lead_byte_win32.h"

void InstallAnsiCodePage() { SetAnsiLeadByteTest(IsAnsiLeadByte); }
