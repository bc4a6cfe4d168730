// Files as spreadsheets and other programs leave them: the tool's reader and
// the window's import read each alike, or refuse it alike on its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fresh_folder.h"
#include "platform/utf8.h"
#include "schedule/csv.h"
#include "schedule/schedule.h"
#include "workbench/schedule_model.h"

namespace quillet {
namespace {

std::string Utf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  const auto put = [&](char32_t unit) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  };
  while (!utf8.empty()) {
    const char32_t c = Utf8First(utf8);
    utf8.remove_prefix(Utf8Offset(utf8, 1));
    if (c < 0x10000) {
      put(c);
    } else {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out;
}

// What quillet-schedule writes for the bytes, or its message.
std::string ToolOutput(const std::string& bytes) {
  std::istringstream in(bytes);
  std::ostringstream out;
  try {
    RunSchedule(in, out, ScheduleDefaults{}, 1);
  } catch (const CsvError& error) {
    return error.what();
  }
  return out.str();
}

// What the window exports after importing the bytes, or its message.
std::string WindowOutput(const std::string& bytes) {
  const FreshFolder folder;
  const auto file = folder / "hostile.csv";
  std::ofstream(file, std::ios::binary) << bytes;
  ScheduleModel model;
  std::string said = model.Import(file.string());
  if (!said.empty()) return said.substr(said.find(": ") + 2);
  model.EvaluateAll();
  return model.OutputText();
}

TEST(ScheduleFiles, TheToolAndTheWindowReadOrRefuseEachFileAlike) {
  // Excel's "Unicode text": tabs, CR LF, a character outside the BMP.
  const std::string text = "tag\tvoltage\tcurrent\tlength\r\nK\xC3\xBC" "che \xF0\x9D\x84\x9E\t480\t100\t50\r\n";
  const std::string rows = "tag,voltage,current,length\nA,480,100,50\n";
  const std::string read = ToolOutput("\xEF\xBB\xBF" + text);
  const std::string notUtf8 = "the file is not UTF-8 text; save it as CSV UTF-8 or as Unicode text";
  const std::string notUnicode = "the file is not valid Unicode text";
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;  // the output, or the message
  } files[] = {
      {"UTF-16 LE after its mark", "\xFF\xFE" + Utf16(text, false), read},
      {"UTF-16 BE after its mark", "\xFE\xFF" + Utf16(text, true), read},
      {"UTF-16 without a mark", Utf16(text, false), "line 1: " + notUtf8},
      {"Latin-1", rows + "K\xFC" "che,480,100,50\n", "line 3: " + notUtf8},
      {"Latin-1 in the header", "t\xE4g,voltage\n", "line 1: " + notUtf8},
      {"an overlong form", rows + "\xC0\xAF,480,100,50\n", "line 3: " + notUtf8},
      {"a surrogate written in UTF-8", rows + "\xED\xA0\x80,480,100,50\n", "line 3: " + notUtf8},
      {"a character cut at the end", rows + "B,480,100,5\xC3", "line 3: " + notUtf8},
      {"a lone FF byte first", "\xFFtag,voltage\n", "line 1: " + notUtf8},
      {"a lone surrogate in UTF-16",
       "\xFF\xFE" + Utf16(rows, false) + std::string("\x00\xD8", 2) + Utf16(",480\n", false), "line 3: " + notUnicode},
      {"an odd byte after UTF-16", "\xFF\xFE" + Utf16(rows + "B,480,100,50\n", false) + "x", "line 4: " + notUnicode},
  };
  ASSERT_TRUE(read.starts_with("\xEF\xBB\xBFtag\tvoltage\tcurrent\tlength\t")) << read;
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    EXPECT_EQ(ToolOutput(file.bytes), file.expected);
    EXPECT_EQ(WindowOutput(file.bytes), file.expected);
  }
}

}  // namespace
}  // namespace quillet
