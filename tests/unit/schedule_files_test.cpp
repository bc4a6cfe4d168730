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

std::string Noted(const std::vector<std::string>& notes) {
  std::string noted;
  for (const std::string& note : notes) noted += "note: " + note + "\n";
  return noted;
}

// What quillet-schedule writes for the bytes after its notes, or its message.
std::string ToolOutput(const std::string& bytes) {
  std::istringstream in(bytes);
  std::ostringstream out;
  try {
    const std::string notes = Noted(RunSchedule(in, out, ScheduleDefaults{}, 1).notes);
    return notes + out.str();
  } catch (const CsvError& error) {
    return error.what();
  }
}

// What the window exports after importing the bytes, after its notes, or its message.
std::string WindowOutput(const std::string& bytes) {
  const FreshFolder folder;
  const auto file = folder / "hostile.csv";
  std::ofstream(file, std::ios::binary) << bytes;
  ScheduleModel model;
  std::string said = model.Import(file.string());
  if (!said.empty()) return said.substr(said.find(": ") + 2);
  model.EvaluateAll();
  return Noted(model.Notes()) + model.OutputText();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

// Comma-separated text written again with another delimiter, quoted as
// that delimiter needs (a result's text may hold a comma).
std::string Redelimited(const std::string& text, char delimiter) {
  std::istringstream in(text);
  CsvReader reader(in);
  std::string out = CsvLine(reader.ReadHeader().cells, delimiter, reader.LineEnd());
  for (CsvRecord record; reader.NextRecord(record);) out += CsvLine(record.cells, delimiter, reader.LineEnd());
  return out;
}

// The tool's output for a plainer twin of a file (without its notes), in
// the file's delimiter, the texts that differ replaced in turn, after the
// file's own notes.
std::string Like(const std::string& twin, const std::vector<std::pair<std::string, std::string>>& replaced,
                 const std::vector<std::string>& notes = {}, char delimiter = ',') {
  std::istringstream in(twin);
  std::ostringstream out;
  RunSchedule(in, out, ScheduleDefaults{}, 1);
  std::string text = delimiter == ',' ? out.str() : Redelimited(out.str(), delimiter);
  for (const auto& [from, to] : replaced) text = Replaced(text, from, to);
  return Noted(notes) + text;
}

// The output of a file of one row that has only this error.
std::string OnlyError(const std::string& bytes, const std::string& error) {
  std::istringstream in(bytes);
  CsvReader reader(in);
  const CsvRecord header = reader.ReadHeader();
  CsvRecord row;
  reader.Next(row);
  std::vector<std::string> results(ResultColumnNames().size());
  results[ErrorResultIndex()] = error;
  return CsvLine(OutputHeader(header.cells), reader.Delimiter(), reader.LineEnd()) +
         CsvLine(OutputCells(row.cells, row.cells.size(), results), reader.Delimiter(), reader.LineEnd());
}

// A schedule of one row, and its output with the last result column left
// out, as a build with one result fewer wrote it.
struct Written {
  std::string header, row;  // the output's lines, without their ends
};

Written WrittenBy(const std::string& schedule) {
  const std::string out = Like(schedule, {});
  const std::size_t end = out.find('\n');
  return {out.substr(0, end), out.substr(end + 1, out.size() - end - 2)};
}

std::string WithoutLastCell(const std::string& line) { return line.substr(0, line.rfind(',')); }

TEST(ScheduleFiles, TheToolAndTheWindowReadOrRefuseEachFileAlike) {
  // Excel's "Unicode text": tabs, CR LF, a character outside the BMP.
  const std::string text = "tag\tvoltage\tcurrent\tlength\r\nK\xC3\xBC" "che \xF0\x9D\x84\x9E\t480\t100\t50\r\n";
  const std::string rows = "tag,voltage,current,length\nA,480,100,50\n";
  const std::string read = ToolOutput("\xEF\xBB\xBF" + text);
  const std::string notUtf8 = "the file is not UTF-8 text; save it as CSV UTF-8 or as Unicode text";
  const std::string notUnicode = "the file is not valid Unicode text";
  const std::vector<std::pair<std::string, std::string>> decimalCommas = {{".", ","}};
  // A long file whose mark shows only on its last row, past the first batch
  // of rows and past what the first reading keeps in memory.
  const std::string tag(100, 'x');
  std::string longTwin = "tag,voltage,current,length,size\n";
  for (int i = 0; i < 700; ++i) longTwin += tag + ",480,10,5,12\n";
  longTwin += tag + ",480,10,2.5,12\n";
  const std::string inputs = "tag,voltage,current,length\n", plain = inputs + "A,480,100,50\n";
  const Written written = WrittenBy(plain);
  const std::string results = written.header.substr(inputs.size()), values = written.row.substr(13);
  const auto& names = ResultColumnNames();
  const std::string older = "results of another version of Quillet (\"" + names.front() + "\" … \"" +
                            names[names.size() - 2] + "\", " + std::to_string(names.size() - 1) +
                            " columns; this version writes " + std::to_string(names.size()) +
                            "): copied as unknown columns, with this version's results after them";
  const struct {
    const char* name;
    std::string bytes;
    std::string expected;  // the output, or the message
    std::string error = "";  // else the output of its one row with this error
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
      // One decimal mark a file; a grouping separator or the other mark is the row's error.
      {"1.200 in a file that writes 0,9", "tag;voltage;current;pf;length\nA;480;1.200;0,9;50\n", "",
       "line 2, current 1.200: write 1200 without a grouping separator, or 1,2 for a decimal"},
      {"1,200 in a comma-separated file", "voltage,current,length\n480,\"1,200\",50\n", "",
       "line 2, current 1,200: write 1200 without a grouping separator, or 1.2 for a decimal"},
      {"1,200 where no number shows the mark", "voltage;current;length\n480;1,200;50\n", "",
       "line 2, current 1,200: write 1200 without a grouping separator, or 1,2 for a decimal"},
      {"the other mark after the first number decided", "voltage;current;pf;length\n480;100;0,9;1.5\n", "",
       "line 2, length 1.5: this file writes decimals with a comma; write 1,5"},
      {"a semicolon file with decimal points keeps them", "tag;voltage;current;pf;length\nA;480;100;0.9;50\n",
       Like("tag,voltage,current,pf,length\nA,480,100,0.9,50\n", {}, {}, ';')},
      {"a tab file with decimal points keeps them", "tag\tvoltage\tcurrent\tpf\tlength\nA\t480\t100\t0.9\t50\n",
       Like("tag,voltage,current,pf,length\nA,480,100,0.9,50\n", {}, {}, '\t')},
      {"a number that reads either way, before the one that decides",
       "voltage;current;length\n480;1,200;50\n480;100;2,5\n",
       Like("voltage,current,length\n480,1.200,50\n480,100,2.5\n", decimalCommas, {}, ';')},
      {"a point shown on the last row of a long semicolon file", Replaced(longTwin, ",", ";"),
       Like(longTwin, {}, {}, ';')},
      // A file the tool or the window wrote reads back with its results replaced.
      {"the tool's own output", Like(plain, {}), Like(plain, {})},
      {"two sets of results, the first stale",
       written.header + "," + results + "\n" + written.row + "," + values + "\n", Like(plain, {})},
      {"the results of a build with one result fewer",
       WithoutLastCell(written.header) + "\n" + WithoutLastCell(written.row) + "\n",
       "note: " + older + "\n" + WithoutLastCell(written.header) + "," + results + "\n" +
           WithoutLastCell(written.row) + "," + values + "\n"},
      // Headings as people write them; other columns copied and noted once.
      {"headings in any case, with blanks, hyphens, % and their own units",
       "Tag,VOLTAGE [V],Current (A),length (ft),Max VD %,Motor-HP\nA,480,100,50,2,\n",
       Like("tag,voltage,current,length,max_vd_pct,motor_hp\nA,480,100,50,2,\n",
            {{"tag,voltage,current,length,max_vd_pct,motor_hp,",
              "Tag,VOLTAGE [V],Current (A),length (ft),Max VD %,Motor-HP,"}})},
      {"a length heading in metres sets the row's unit", "voltage,current,Length (m),unit,Max VD [%]\n480,100,50,,2\n",
       Like("voltage,current,length,unit,max_vd_pct\n480,100,50,m,2\n",
            {{"length,unit,max_vd_pct", "Length (m),unit,Max VD [%]"}, {"50,m,2", "50,,2"}})},
      {"a heading's unit that is not its column's", "voltage,Power [kW],length\n480,5,50\n",
       "line 1: column \"Power [kW]\": power is in W, not kW"},
      {"unknown columns, one a near miss, one named twice",
       "voltage,current,length,Max VD,Notes,Notes\n480,100,50,2,x,y\n",
       Like("voltage,current,length\n480,100,50\n",
            {{"length,", "length,Max VD,Notes,Notes,"}, {"480,100,50,", "480,100,50,2,x,y,"}},
            {"unknown column \"Max VD\" copied as it is; did you mean max_vd_pct?",
             "unknown column \"Notes\" copied as it is; it resembles no known column"})},
      // Cells.
      {"an unknown column's blanks copied", "voltage,current,length,note\n480,100,50,  two  spaces \n",
       Like("voltage,current,length,note\n480,100,50,x\n", {{",x,", ",  two  spaces ,"}},
            {"unknown column \"note\" copied as it is; it resembles no known column"})},
      {"values with their column's own unit, an aught size as zeros",
       "voltage,current,length,pf,max_vd_pct,insulation,ambient,size\n480 V,100A,50 ft,90%,2.5 %,90 °C,40C,0000\n",
       Like("voltage,current,length,pf,max_vd_pct,insulation,ambient,size\n480,100,50,0.9,2.5,90,40,4/0\n",
            {{"480,100,50,0.9,2.5,90,40,4/0,", "480 V,100A,50 ft,90%,2.5 %,90 °C,40C,0000,"}})},
      {"an AWG size in kcmil", "voltage,current,length,size\n480,100,50,2 kcmil\n", "",
       "line 2, size 2 kcmil: 2 is an AWG size; write 2 or 2 AWG"},
      {"a kcmil size in AWG", "voltage,current,length,size\n480,100,50,250 AWG\n", "",
       "line 2, size 250 AWG: 250 is a kcmil size; write 250 or 250 kcmil"},
      {"a length in metres on a row in feet", "voltage,current,length,unit\n480,100,50 m,ft\n", "",
       "line 2, length 50 m: the row's unit is ft"},
      {"a value in another unit", "voltage,power,length\n480,5 kW,50\n", "",
       "line 2, power 5 kW: the column is in W, not kW"},
      // Messages in the user's terms.
      {"an exponent", "voltage,current,length\n480,1e2,50\n", "",
       "line 2, current 1e2: not a plain number (amperes above 0)"},
      {"a blank current where the file has no other load", "voltage,current,length\n480,,50\n", "",
       "line 2, current (blank): amperes above 0"},
      {"a message's numbers in the file's mark", "voltage;current;length;pf\n480;100;2,5;0,7\n", "",
       "line 2, pf 0,7: 0,75; 0,8; 0,85; 0,9; 0,95 or 1"},
  };
  ASSERT_TRUE(read.starts_with("\xEF\xBB\xBFtag\tvoltage\tcurrent\tlength\t") && read.ends_with("\r\n"));
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const std::string expected = file.error.empty() ? file.expected : OnlyError(file.bytes, file.error);
    EXPECT_EQ(ToolOutput(file.bytes), expected);
    EXPECT_EQ(WindowOutput(file.bytes), expected);
  }
}

}  // namespace
}  // namespace quillet
