// How the module answers a value it will not use: on the command line, the host's text for
// invalid input followed by the value, so that the user sees what was refused.
#pragma once

#include <string>

void ReportRejectedInput(const std::u16string& value);
