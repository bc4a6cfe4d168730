#include "platform/desktop.h"

namespace quillet {

Desktop::Desktop(Services& services, int screenWidth, int screenHeight)
    : services_(services), screenWidth_(screenWidth), screenHeight_(screenHeight) {}

int Desktop::MessageBox(const std::string& text, int style, const std::string& title) {
  Guard busy(*this);
  return services_.MessageBox(text, style, title);
}

}  // namespace quillet
