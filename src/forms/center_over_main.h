// Places a secondary window centred over the main window, inside the screen.
#pragma once

namespace quillet {

class Window;

// Width and height are the window's outer size in twips; its size is kept.
void CenterOverMain(Window& window, const Window& main, int width, int height);

}  // namespace quillet
