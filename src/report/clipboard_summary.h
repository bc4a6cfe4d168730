// The plain-text summary of the present calculation, put on the clipboard
// after a confirmation.
#pragma once

#include <string>

namespace quillet {

class Elcal;

// The whole summary, CR LF after every line.
std::string BuildReport(Elcal& window);

void AttachClipboardSummary(Elcal& window);

}  // namespace quillet
