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

}  // namespace quillet
