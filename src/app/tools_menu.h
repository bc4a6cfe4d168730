// The Tools menu at work: its items, opened from the Tools button and from a
// right click on the main window's background.
#pragma once

namespace quillet {

class Program;

void AttachToolsMenu(Program& program);
// Offers the tools' items in the order they came, then the calculation's own.
void FillToolsMenu(Program& program);

}  // namespace quillet
