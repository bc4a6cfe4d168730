// RFC 4180 records read one at a time, so a schedule of any length needs
// only the memory of its longest record. UTF-8 with or without a byte-order
// mark, or UTF-16 after its byte-order mark (a spreadsheet's "Unicode
// text"), read as UTF-8; any other bytes stop the reading on their line.
// CR LF or LF line ends; the delimiter (comma, semicolon or tab) is found
// from the header line. Blanks around an unquoted value are part of it.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/utf8.h"

namespace quillet {

// The input is not CSV; the message names the line.
struct CsvError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct CsvRecord {
  int line = 0;  // where the record starts, 1 for the first line
  std::vector<std::string> cells;
};

class CsvReader {
 public:
  explicit CsvReader(std::istream& in);
  // UTF-8 text in a known format: the delimiter given, no header to find
  // it from (a block a spreadsheet copied).
  CsvReader(std::istream& in, char delimiter);
  ~CsvReader();

  // The first record; throws CsvError when there is none.
  CsvRecord ReadHeader();
  // The next record that is not blank; false at the end. Throws CsvError.
  bool Next(CsvRecord& record);
  // The next record, blank or not; false at the end. Throws CsvError.
  bool NextRecord(CsvRecord& record) { return ReadRecord(record); }

  char Delimiter() const { return delimiter_; }
  // A UTF-8 or UTF-16 one; the output has the UTF-8 one.
  bool HadByteOrderMark() const { return bom_; }
  // The line end of the header, used again for the output.
  const char* LineEnd() const { return crlf_ ? "\r\n" : "\n"; }

 private:
  int Get();
  int Peek();
  void CheckText(int c);
  bool ReadRecord(CsvRecord& record);
  void DetectEncoding();
  void DetectFormat();

  std::streambuf& in_;
  std::unique_ptr<std::streambuf> utf16_;  // UTF-16 read as UTF-8, when the file is
  std::streambuf* source_;
  Utf8Check text_;
  std::string header_;  // the raw header line while the delimiter is found
  std::size_t headerAt_ = 0;
  bool fromHeader_ = false;
  char delimiter_ = ',';
  bool bom_ = false;
  bool crlf_ = false;
  int line_ = 1;
};

// A block of cells as a spreadsheet copies it: tab-delimited rows, a cell
// holding a tab, a line break or a quote in quotes (RFC 4180), CR LF or LF
// line ends. Text that is not so quoted is split at every tab and line end.
// No text, no rows.
std::vector<std::vector<std::string>> ReadCopiedBlock(const std::string& text);

// What a spreadsheet workbook read as a schedule is told: the reader knows
// one by its first bytes (those of a zip file), a file name by its extension.
inline constexpr char kWorkbookNotRead[] =
    "this is a spreadsheet workbook (.xlsx), not CSV: save it as CSV from the spreadsheet program first";
bool NamesWorkbook(const std::string& path);

// One record in the reader's format, quoted where needed, with its line end.
std::string CsvLine(const std::vector<std::string>& cells, char delimiter, const char* lineEnd);

}  // namespace quillet
