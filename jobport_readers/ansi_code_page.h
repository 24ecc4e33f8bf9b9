// The lead-byte test of the ANSI code page this process runs under, for the
// path splitting of ansi_paths. Until one is installed every byte counts as
// a character of its own (a single-byte code page); jobport.dll and
// KESTRO.EXE install the system's test when they start
// (InstallAnsiCodePage, ansi_code_page_win32.h), before any path is split.
#pragma once
#include "ansi_paths/ansi_path_split.h"

// The test in use; never null.
LeadByteTest AnsiLeadByteTest();

// Installs test; null restores the single-byte default.
void SetAnsiLeadByteTest(LeadByteTest test);
