// The name a printed document has in the print queue, so that a queue of
// scan jobs can be told apart: "Scan job 12, pages 5–6", "Scan job 12,
// page 5", or "Scan job 12" when the document holds the whole job. A name
// set in "KESTRO.cfg" ("FileName" of section "Spool Information") comes
// first: "Front desk: Scan job 12, pages 5–6". The name is UTF-16, for the
// spooler's Unicode document names: the dash between the page numbers is no
// character of every ANSI code page.
#pragma once
#include <cstdint>
#include <string>

std::wstring DocumentName(const std::wstring& configured, uint32_t jobId, uint32_t firstPage,
                          uint32_t lastPage, bool wholeJob);
