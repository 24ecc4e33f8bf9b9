// The system's lead-byte test for the ANSI code page (IsDBCSLeadByte).
#pragma once

// Makes AnsiLeadByteTest() the system's test for this process.
void InstallAnsiCodePage();
