// The number readers on any text, and every display pattern on any double:
// no crash, no undefined behaviour, and readings that agree with each other.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/numbers.h"

namespace {

constexpr const char* kPatterns[] = {
    "####", "###,###", "###,###,###", "###,###,###,###", "##.0", "#,###", "#,###,###,###",
    "#,###,###,###,###", "#,###.0", "#0.0", "#0.00", "$ #,##0", "$ 0.######", "0.####",
    "0.#####################", "0.0", "0.00", "Fixed", "General number",
};

void Check(bool condition) {
  if (!condition) std::abort();
}

void ReadText(std::string_view text) {
  const double value = quillet::NumberValue(text);
  Check(!std::isnan(value));
  if (!quillet::IsNumberText(text)) Check(value == 0);
  const double leading = quillet::LeadingNumber(text);
  Check(!std::isnan(leading));
}

void FormatDouble(double value) {
  for (const char* pattern : kPatterns) {
    const std::string text = quillet::FormatPattern(value, pattern);
    // A finite value shows as digits, separators and the pattern's literals only.
    if (std::isfinite(value)) Check(text.find_first_not_of("0123456789.,-$ ") == std::string::npos);
  }
  const std::string plain = quillet::PlainDecimalText(value);
  if (std::isfinite(value)) Check(plain.find_first_of("eEn") == std::string::npos);
  (void)quillet::ShortSingleText(static_cast<float>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    FormatDouble(value);
  }
  return 0;
}
