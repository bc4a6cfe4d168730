// The settings reader on any bytes, through the parser and through a real
// file: whatever it accepts must write back and read back unchanged.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "settings/settings_file.h"
#include "scratch_folder.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const auto parsed = quillet::ParseSettings(content);
  if (parsed) {
    const bool finite = std::isfinite(parsed->HoursPerDay) && std::isfinite(parsed->DaysPerWeek) &&
                        std::isfinite(parsed->CostPerKWh);
    if (finite) Check(quillet::ParseSettings(quillet::FormatSettings(*parsed)) == parsed);
  }
  {
    std::ofstream file(ScratchFolder("settings") / quillet::kSettingsFileName, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  Check(quillet::ReadSettingsFile(ScratchFolder("settings").string()) == parsed);
  return 0;
}
