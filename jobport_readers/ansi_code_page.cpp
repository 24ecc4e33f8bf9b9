#include "ansi_code_page.h"

namespace {

bool SingleByteCodePage(unsigned char) { return false; }

LeadByteTest gLeadByteTest = SingleByteCodePage;

}  // namespace

LeadByteTest AnsiLeadByteTest() { return gLeadByteTest; }

void SetAnsiLeadByteTest(LeadByteTest test) { gLeadByteTest = test ? test : SingleByteCodePage; }
