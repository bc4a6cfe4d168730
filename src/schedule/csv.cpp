#include "schedule/csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <istream>
#include <sstream>

namespace quillet {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();
// A record longer than this is not a schedule row; stopping keeps memory small.
constexpr std::size_t kMaxRecordBytes = 1 << 20;
constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kZipSignature[] = "PK\x03\x04";
constexpr char kNotUtf8[] = "the file is not UTF-8 text; save it as CSV UTF-8 or as Unicode text";
constexpr char kNotUtf16[] = "the file is not valid Unicode text";
// Never part of UTF-8: stands for a unit of UTF-16 that is not text.
constexpr char kNotText = '\xFF';

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

bool IsBlankCell(const std::string& cell) { return cell.find_first_not_of(" \t") == std::string::npos; }

// UTF-16 after its byte-order mark, handed on as UTF-8 one character at a
// time. A lone surrogate or a last odd byte comes out as kNotText, so the
// reader stops on the line it is in.
class Utf16Source : public std::streambuf {
 public:
  Utf16Source(std::streambuf& raw, bool bigEndian) : raw_(raw), bigEndian_(bigEndian) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    const long unit = Unit();
    if (unit == kEnd) return traits_type::eof();
    const std::string bytes = Character(unit);
    std::copy(bytes.begin(), bytes.end(), character_);
    setg(character_, character_, character_ + bytes.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr long kOddByte = -2;
  static bool IsHigh(long unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
  static bool IsLow(long unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

  // The next unit, kEnd at the end, kOddByte for a last odd byte.
  long Unit() {
    const int first = raw_.sbumpc();
    if (first == kEnd) return kEnd;
    const int second = raw_.sbumpc();
    if (second == kEnd) return kOddByte;
    return bigEndian_ ? first << 8 | second : second << 8 | first;
  }

  // The UTF-8 of the character that begins with this unit.
  std::string Character(long unit) {
    if (unit == kOddByte || IsLow(unit)) return std::string(1, kNotText);
    if (!IsHigh(unit)) return Utf8Encode(static_cast<char32_t>(unit));
    const long low = Unit();
    if (!IsLow(low)) return std::string(1, kNotText);
    return Utf8Encode(static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
  }

  std::streambuf& raw_;
  bool bigEndian_;
  char character_[4];
};

}  // namespace

CsvReader::CsvReader(std::istream& in) : in_(*in.rdbuf()), source_(&in_) {}

CsvReader::CsvReader(std::istream& in, char delimiter) : in_(*in.rdbuf()), source_(&in_), delimiter_(delimiter) {}

CsvReader::~CsvReader() = default;

int CsvReader::Get() {
  int c;
  if (fromHeader_ && headerAt_ < header_.size()) {
    c = static_cast<unsigned char>(header_[headerAt_++]);
  } else {
    fromHeader_ = false;
    header_.clear();
    c = source_->sbumpc();
  }
  CheckText(c);
  return c;
}

// Every byte is checked as it is taken, so the message names its line.
void CsvReader::CheckText(int c) {
  if (c == kEnd ? text_.Whole() : text_.Take(static_cast<unsigned char>(c))) return;
  throw CsvError(LinePrefix(line_) + (utf16_ ? kNotUtf16 : kNotUtf8));
}

int CsvReader::Peek() {
  if (fromHeader_ && headerAt_ < header_.size()) return static_cast<unsigned char>(header_[headerAt_]);
  if (fromHeader_) {
    fromHeader_ = false;
    header_.clear();
  }
  return source_->sgetc();
}

// A UTF-16 byte-order mark, either way round, switches to reading UTF-16.
// FF and FE never begin UTF-8, so the first byte alone is no text.
void CsvReader::DetectEncoding() {
  const int first = in_.sgetc();
  if (first != 0xFF && first != 0xFE) return;
  in_.sbumpc();
  if (in_.sgetc() != (first == 0xFF ? 0xFE : 0xFF)) throw CsvError(LinePrefix(1) + kNotUtf8);
  in_.sbumpc();
  utf16_ = std::make_unique<Utf16Source>(in_, first == 0xFE);
  source_ = utf16_.get();
  bom_ = true;
}

// Reads the header line ahead (up to a line end outside quotes) to choose
// the delimiter by its count, then lets the records read it again.
void CsvReader::DetectFormat() {
  DetectEncoding();
  std::streambuf& buf = *source_;
  while (buf.sgetc() == '\r' || buf.sgetc() == '\n') {
    if (buf.sbumpc() == '\n' || buf.sgetc() != '\n') ++line_;
  }
  std::string raw;
  bool quoted = false;
  std::array<int, 3> counts{};  // comma, semicolon, tab
  for (int c = buf.sbumpc(); c != kEnd; c = buf.sbumpc()) {
    if (raw.size() >= kMaxRecordBytes) throw CsvError(LinePrefix(line_) + "the header is longer than 1 MiB");
    raw += static_cast<char>(c);
    if (raw == kZipSignature) throw CsvError(kWorkbookNotRead);
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') break;
    if (c == ',') ++counts[0];
    if (c == ';') ++counts[1];
    if (c == '\t') ++counts[2];
  }
  if (raw.starts_with(kBom)) {
    bom_ = true;
    raw.erase(0, 3);
  }
  crlf_ = raw.ends_with("\r\n");
  const char delimiters[] = {',', ';', '\t'};
  for (std::size_t i = 1; i < counts.size(); ++i)
    if (counts[i] > counts[0] && counts[i] >= counts[1] && counts[i] >= counts[2]) delimiter_ = delimiters[i];
  header_ = std::move(raw);
  headerAt_ = 0;
  fromHeader_ = true;
}

CsvRecord CsvReader::ReadHeader() {
  DetectFormat();
  CsvRecord header;
  if (!Next(header)) throw CsvError("the file is empty: the first line must name the columns");
  return header;
}

bool CsvReader::Next(CsvRecord& record) {
  while (ReadRecord(record)) {
    for (const std::string& cell : record.cells)
      if (!IsBlankCell(cell)) return true;
  }
  return false;
}

bool CsvReader::ReadRecord(CsvRecord& record) {
  record.cells.clear();
  record.line = line_;
  int c = Get();
  if (c == kEnd) return false;
  const auto isBlank = [this](int ch) { return ch == ' ' || (ch == '\t' && delimiter_ != '\t'); };
  const auto endsCell = [this](int ch) { return ch == delimiter_ || ch == '\n' || ch == '\r' || ch == kEnd; };
  std::size_t bytes = 0;
  const auto grow = [&](std::string& cell, int ch) {
    if (++bytes > kMaxRecordBytes) throw CsvError(LinePrefix(record.line) + "a record longer than 1 MiB");
    cell += static_cast<char>(ch);
  };
  while (true) {
    // Blanks are part of a value (RFC 4180), unless a quoted value follows them.
    std::string cell;
    while (isBlank(c)) {
      grow(cell, c);
      c = Get();
    }
    if (c == '"') {
      cell.clear();
      const int opened = line_;
      for (c = Get();; c = Get()) {
        if (c == kEnd) throw CsvError(LinePrefix(opened) + "a quoted value is not closed");
        if (c == '"') {
          if (Peek() != '"') break;
          Get();
        } else if (c == '\n' || (c == '\r' && Peek() != '\n')) {
          ++line_;
        }
        grow(cell, c);
      }
      c = Get();
      while (isBlank(c)) c = Get();
      if (!endsCell(c))
        throw CsvError(LinePrefix(line_) + "text follows the closing quote of a value (a quote inside a value is written twice)");
    } else {
      for (; !endsCell(c); c = Get()) grow(cell, c);
    }
    record.cells.push_back(std::move(cell));
    if (c != delimiter_) break;
    c = Get();
  }
  if (c == '\r' && Peek() == '\n') Get();
  if (c != kEnd) ++line_;
  return true;
}

namespace {

std::vector<std::string> SplitAt(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::vector<std::vector<std::string>> SplitBlock(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::vector<std::vector<std::string>> rows;
  for (std::string line : SplitAt(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(SplitAt(line, '\t'));
  }
  return rows;
}

}  // namespace

std::vector<std::vector<std::string>> ReadCopiedBlock(const std::string& text) {
  if (text.empty()) return {};
  std::istringstream in(text);
  CsvReader reader(in, '\t');
  std::vector<std::vector<std::string>> rows;
  try {
    for (CsvRecord record; reader.NextRecord(record);) rows.push_back(std::move(record.cells));
  } catch (const CsvError&) {
    return SplitBlock(text);
  }
  return rows;
}

std::string CsvLine(const std::vector<std::string>& cells, char delimiter, const char* lineEnd) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += delimiter;
    const std::string& cell = cells[i];
    // Blanks around a value need no quotes: the reader keeps them.
    if (cell.find_first_of(std::string("\"\r\n") + delimiter) == std::string::npos) {
      line += cell;
      continue;
    }
    line += '"';
    for (char c : cell) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + lineEnd;
}

bool NamesWorkbook(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".xlsx";
}

}  // namespace quillet
