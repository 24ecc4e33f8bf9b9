// Names of the settings dialog's pictures for screen readers: what the
// preview shows and what the copy-order icons mean, built from the texts of
// "Tessary.cfg" as the dialog shows them.
#pragma once
#include <string>
#include <vector>

// format with %1 to %9 replaced by values[0] to values[8] ("" past the
// end) and "%%" by "%"; any other "%" stays. Never reads past format.
std::string FillPlaceholders(const std::string& format, const std::vector<std::string>& values);

// A control's text as it reads: access-key markers removed ("P&ortrait"
// is "Portrait"), "&&" read as "&".
std::string WithoutAccessKey(const std::string& text);

// The access key of a control's text, lower case ('\0' when it has none):
// the character after the last single "&".
char AccessKeyOf(const std::string& text);
