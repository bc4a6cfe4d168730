#include "platform/utf8.h"

namespace quillet {
namespace {
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }
}  // namespace

int Utf8Length(std::string_view text) {
  int count = 0;
  for (unsigned char byte : text)
    if (!IsContinuation(byte)) ++count;
  return count;
}

std::size_t Utf8Offset(std::string_view text, int index) {
  std::size_t offset = 0;
  for (int seen = 0; offset < text.size(); ++offset) {
    if (IsContinuation(static_cast<unsigned char>(text[offset]))) continue;
    if (seen++ == index) return offset;
  }
  return text.size();
}

std::string Utf8Encode(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

char32_t Utf8First(std::string_view text) {
  if (text.empty()) return 0;
  auto b = static_cast<unsigned char>(text[0]);
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  char32_t c = extra == 0 ? b : b & (0x3F >> extra);
  for (int i = 1; i <= extra && i < static_cast<int>(text.size()); ++i)
    c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  return c;
}

}  // namespace quillet
