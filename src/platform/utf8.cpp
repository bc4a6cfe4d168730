#include "platform/utf8.h"

namespace quillet {
namespace {
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The bytes that may begin a character, with the number of bytes that
// follow and the range of the first of them (the rest are 80 to BF).
struct Lead {
  unsigned char first, last;
  int following;
  unsigned char low, high;
};
constexpr Lead kLeads[] = {
    {0x01, 0x7F, 0, 0, 0},       {0xC2, 0xDF, 1, 0x80, 0xBF}, {0xE0, 0xE0, 2, 0xA0, 0xBF},
    {0xE1, 0xEC, 2, 0x80, 0xBF}, {0xED, 0xED, 2, 0x80, 0x9F}, {0xEE, 0xEF, 2, 0x80, 0xBF},
    {0xF0, 0xF0, 3, 0x90, 0xBF}, {0xF1, 0xF3, 3, 0x80, 0xBF}, {0xF4, 0xF4, 3, 0x80, 0x8F},
};
}  // namespace

bool Utf8Check::Take(unsigned char byte) {
  if (following_ > 0) {
    if (byte < low_ || byte > high_) return false;
    --following_;
    low_ = 0x80;
    high_ = 0xBF;
    return true;
  }
  for (const Lead& lead : kLeads) {
    if (byte < lead.first || byte > lead.last) continue;
    following_ = lead.following;
    if (following_ > 0) {
      low_ = lead.low;
      high_ = lead.high;
    }
    return true;
  }
  return false;
}

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
