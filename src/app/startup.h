// The main window's load and unload: defaults, placement, tables and the
// settings file.
#pragma once

namespace quillet {

class Elcal;

void AttachStartup(Elcal& window);

}  // namespace quillet
