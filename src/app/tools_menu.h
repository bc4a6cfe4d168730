// The Tools menu at work: its items, opened from the Tools button and from a
// right click on the main window's background.
#pragma once

namespace quillet {

class Program;

void AttachToolsMenu(Program& program);
// Offers the items whose tools are there, in the menu's order.
void FillToolsMenu(Program& program);

}  // namespace quillet
