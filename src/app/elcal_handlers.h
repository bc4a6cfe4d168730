// Attaches every subsystem's handlers to the main window's controls.
#pragma once

namespace quillet {

class Elcal;

void AttachHandlers(Elcal& window);

}  // namespace quillet
