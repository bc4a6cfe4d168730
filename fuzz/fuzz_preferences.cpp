// The tools' preferences reader on any bytes: whatever it takes must write
// back and read back unchanged, through the parser and through a real file.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "scratch_folder.h"
#include "settings/preferences_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const quillet::Preferences parsed = quillet::ParsePreferences(content);
  if (quillet::ParsePreferences(quillet::FormatPreferences(parsed)) != parsed) std::abort();
  {
    std::ofstream file(ScratchFolder("preferences") / quillet::kPreferencesFileName, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  if (quillet::ReadPreferencesFile(ScratchFolder("preferences").string()) != parsed) std::abort();
  return 0;
}
