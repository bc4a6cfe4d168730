// Character positions in UTF-8 texts: carets and selections count characters.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

int Utf8Length(std::string_view text);
// Byte offset of character position `index`, clamped to the text.
std::size_t Utf8Offset(std::string_view text, int index);
std::string Utf8Encode(char32_t codePoint);
// The first character of a text as a code point (0 for an empty text).
char32_t Utf8First(std::string_view text);

// Checks bytes one at a time as they arrive: UTF-8 without overlong forms,
// surrogates or code points past U+10FFFF, and without NUL, which no text
// holds.
class Utf8Check {
 public:
  // False once the bytes so far cannot begin a text.
  bool Take(unsigned char byte);
  // True when the bytes so far end with a whole character.
  bool Whole() const { return following_ == 0; }

 private:
  int following_ = 0;  // continuation bytes still due
  unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next one
};

}  // namespace quillet
