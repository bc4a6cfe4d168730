#include "schedule/csv.h"

#include <array>
#include <istream>

namespace quillet {
namespace {

constexpr int kEnd = std::char_traits<char>::eof();
// A record longer than this is not a schedule row; stopping keeps memory small.
constexpr std::size_t kMaxRecordBytes = 1 << 20;
constexpr char kBom[] = "\xEF\xBB\xBF";

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

bool IsBlankCell(const std::string& cell) { return cell.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

int CsvReader::Get() {
  if (fromHeader_) {
    if (headerAt_ < header_.size()) return static_cast<unsigned char>(header_[headerAt_++]);
    fromHeader_ = false;
    header_.clear();
  }
  return in_.rdbuf()->sbumpc();
}

int CsvReader::Peek() {
  if (fromHeader_ && headerAt_ < header_.size()) return static_cast<unsigned char>(header_[headerAt_]);
  if (fromHeader_) {
    fromHeader_ = false;
    header_.clear();
  }
  return in_.rdbuf()->sgetc();
}

// Reads the header line ahead (up to a line end outside quotes) to choose
// the delimiter by its count, then lets the records read it again.
void CsvReader::DetectFormat() {
  std::streambuf& buf = *in_.rdbuf();
  while (buf.sgetc() == '\r' || buf.sgetc() == '\n') {
    if (buf.sbumpc() == '\n' || buf.sgetc() != '\n') ++line_;
  }
  std::string raw;
  bool quoted = false;
  std::array<int, 3> counts{};  // comma, semicolon, tab
  for (int c = buf.sbumpc(); c != kEnd; c = buf.sbumpc()) {
    if (raw.size() >= kMaxRecordBytes) throw CsvError(LinePrefix(line_) + "the header is longer than 1 MiB");
    raw += static_cast<char>(c);
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
    std::string cell;
    while (isBlank(c)) c = Get();
    if (c == '"') {
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
      while (!cell.empty() && isBlank(static_cast<unsigned char>(cell.back()))) cell.pop_back();
    }
    record.cells.push_back(std::move(cell));
    if (c != delimiter_) break;
    c = Get();
  }
  if (c == '\r' && Peek() == '\n') Get();
  if (c != kEnd) ++line_;
  return true;
}

std::string CsvLine(const std::vector<std::string>& cells, char delimiter, const char* lineEnd) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += delimiter;
    const std::string& cell = cells[i];
    const bool quote = cell.find_first_of(std::string("\"\r\n") + delimiter) != std::string::npos ||
                       (!cell.empty() && (cell.front() == ' ' || cell.back() == ' ' || cell.front() == '\t' ||
                                          cell.back() == '\t'));
    if (!quote) {
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

}  // namespace quillet
