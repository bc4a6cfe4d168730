#include "workbench/schedule_workbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/file_output.h"
#include "platform/native_text.h"
#include "platform/utf8.h"
#include "schedule/decimal_mark.h"
#include "workbench/drawing_schedule.h"
#include "workbench/schedule_model.h"
#include "workbench/tree_diagram.h"

namespace quillet {
namespace fs = std::filesystem;
namespace {

constexpr lxw_row_t kHeadingRows = 2;  // the headings in words, then the CSV names
constexpr std::size_t kMaxSheetRows = 1048576;
// Column widths in characters: a blank column stays readable, a long note
// does not push the rest out of sight.
constexpr double kNarrowest = 6;
constexpr double kWidest = 50;
// How much of a failing cell's colour tints its fill: enough to find it in
// a long sheet, little enough to read its digits.
constexpr double kFillTint = 0.2;
constexpr lxw_color_t kNameGrey = 0x808080;
constexpr int kDeepestIndent = 15;  // as far as a spreadsheet indents

// The number format that shows the value as the window shows it: the shown
// text's decimals and grouping, in thousands where the window shows the
// figure in a unit a thousand times the file's (kVA for VA). "" (General,
// every digit) where the window shows the file's text.
std::string DisplayFormat(double value, const std::string& shown, const std::string& written, bool comma) {
  if (shown == written) return "";
  const char mark = comma ? ',' : '.';
  const char group = comma ? '.' : ',';
  std::string digits;
  bool grouped = false;
  for (char c : shown) {
    if (c == group) grouped = true;
    else digits += c == mark ? '.' : c;
  }
  const std::optional<double> figure = WrittenFigure(digits, false);
  if (!figure) return "";
  const std::size_t point = digits.find('.');
  const std::size_t decimals = point == std::string::npos ? 0 : digits.size() - point - 1;
  std::string format = grouped ? "#,##0" : "0";
  if (decimals > 0) format += "." + std::string(decimals, '0');
  if (std::abs(value / 1000 - *figure) < std::abs(value - *figure)) format += ',';
  return format;
}

// The window's colours are 0xBBGGRR; a workbook's are 0xRRGGBB.
lxw_color_t InWorkbook(Colour colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

lxw_color_t Tinted(lxw_color_t colour) {
  lxw_color_t tint = 0;
  for (int shift : {16, 8, 0}) {
    const double channel = (colour >> shift) & 0xFF;
    tint |= static_cast<lxw_color_t>(std::lround(255 - (255 - channel) * kFillTint)) << shift;
  }
  return tint;
}

// A folder of the temporary folder that only this writer uses, removed
// with what is in it: libxlsxwriter writes to a file name.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    std::random_device seed;
    for (int attempt = 0; attempt < 100 && !error && path_.empty(); ++attempt) {
      const fs::path candidate = temporary / ("quillet-workbook-" + std::to_string(seed()));
      if (fs::create_directory(candidate, error)) path_ = candidate;
    }
    if (!path_.empty()) fs::permissions(path_, fs::perms::owner_all, error);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  ~PrivateFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  // Empty when none could be made.
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// A workbook being filled: its formats made once each, the first failure kept.
class Workbook {
 public:
  explicit Workbook(const fs::path& file) : book_(workbook_new(file.string().c_str())) {
    if (!book_) failure_ = "the workbook could not be started";
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;
  ~Workbook() {
    if (book_) workbook_close(book_);
  }

  lxw_worksheet* AddSheet(const char* name) { return book_ ? workbook_add_worksheet(book_, name) : nullptr; }

  // A cell's format: the number format ("" for General) in the tone's
  // colours, indented by so many levels.
  lxw_format* Format(const std::string& numbers, CellTone tone, int indent = 0) {
    auto [at, added] = formats_.try_emplace({numbers, tone, indent}, nullptr);
    if (!added) return at->second;
    lxw_format* format = workbook_add_format(book_);
    if (!numbers.empty()) format_set_num_format(format, numbers.c_str());
    if (indent > 0) format_set_indent(format, static_cast<uint8_t>(std::min(indent, kDeepestIndent)));
    if (tone != CellTone::Normal) format_set_font_color(format, InWorkbook(ToneColour(tone)));
    if (tone == CellTone::Bad) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, Tinted(InWorkbook(ToneColour(tone))));
    }
    return at->second = format;
  }
  lxw_format* Heading(bool name) {
    lxw_format*& format = name ? names_ : words_;
    if (!format) {
      format = workbook_add_format(book_);
      format_set_bold(format);
      if (name) format_set_font_color(format, kNameGrey);
    }
    return format;
  }

  void Check(lxw_error error) {
    if (error == LXW_NO_ERROR || !failure_.empty()) return;
    failure_ = lxw_strerror(error);
    while (!failure_.empty() && failure_.back() == '.') failure_.pop_back();
  }
  void Fail(const std::string& why) {
    if (failure_.empty()) failure_ = why;
  }
  // Writes the file; "" or why it failed.
  std::string Close() {
    if (book_) Check(workbook_close(std::exchange(book_, nullptr)));
    return failure_;
  }

 private:
  lxw_workbook* book_;
  std::map<std::tuple<std::string, CellTone, int>, lxw_format*> formats_;
  lxw_format* words_ = nullptr;
  lxw_format* names_ = nullptr;
  std::string failure_;
};

// One sheet of texts and figures, its columns as wide as their widest text.
class Sheet {
 public:
  Sheet(Workbook& book, const char* name, std::size_t columns)
      : book_(book), sheet_(book.AddSheet(name)), widths_(columns, kNarrowest) {
    if (!sheet_) book.Fail("the sheet could not be added");
  }

  void Text(lxw_row_t row, std::size_t column, const std::string& text, lxw_format* format) {
    if (!sheet_) return;
    const auto at = static_cast<lxw_col_t>(column);
    if (!text.empty()) book_.Check(worksheet_write_string(sheet_, row, at, text.c_str(), format));
    else if (format) book_.Check(worksheet_write_blank(sheet_, row, at, format));
    Fit(column, text);
  }
  void Figure(lxw_row_t row, std::size_t column, double value, const std::string& shown, lxw_format* format) {
    if (!sheet_) return;
    book_.Check(worksheet_write_number(sheet_, row, static_cast<lxw_col_t>(column), value, format));
    Fit(column, shown);
  }
  // The heading rows and the first columns stay in sight; the filter sits
  // on the last heading row.
  void Finish(lxw_row_t headingRows, lxw_col_t keptColumns, lxw_row_t lastRow) {
    if (!sheet_) return;
    worksheet_freeze_panes(sheet_, headingRows, keptColumns);
    if (!widths_.empty())
      book_.Check(worksheet_autofilter(sheet_, headingRows - 1, 0, std::max(lastRow, headingRows - 1),
                                       static_cast<lxw_col_t>(widths_.size() - 1)));
    for (std::size_t c = 0; c < widths_.size(); ++c) {
      const auto at = static_cast<lxw_col_t>(c);
      book_.Check(worksheet_set_column(sheet_, at, at, std::min(widths_[c], kWidest), nullptr));
    }
  }

 private:
  void Fit(std::size_t column, const std::string& text) {
    // Room for the filter's button beside a heading.
    widths_[column] = std::max(widths_[column], Utf8Length(text) + 2.0);
  }

  Workbook& book_;
  lxw_worksheet* sheet_;
  std::vector<double> widths_;
};

// Every column of the CSV output, the tag first, as the window arranges them.
std::vector<ScheduleColumn> OutputColumns(const ScheduleModel& model) {
  std::vector<ScheduleColumn> columns = model.Arranged(ColumnView::File);
  std::erase_if(columns, [](const ScheduleColumn& c) { return c.kind == ScheduleColumn::Kind::Check; });
  return columns;
}

void WriteScheduleSheet(Workbook& book, const ScheduleModel& model) {
  const std::vector<ScheduleColumn> columns = OutputColumns(model);
  Sheet sheet(book, "Schedule", columns.size());
  for (std::size_t c = 0; c < columns.size(); ++c) {
    sheet.Text(0, c, model.Heading(columns[c]), book.Heading(false));
    sheet.Text(1, c, model.FileHeading(columns[c]), book.Heading(true));
  }
  const bool comma = model.DecimalComma();
  for (std::size_t r = 0; r < model.RowCount(); ++r) {
    const auto at = static_cast<lxw_row_t>(kHeadingRows + r);
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const std::string written = model.FileCell(r, columns[c]);
      const std::string shown = model.Cell(r, columns[c]);
      const CellTone tone = model.Tone(r, columns[c]);
      const std::optional<double> figure =
          model.HoldsFigures(columns[c]) ? WrittenFigure(written, comma) : std::nullopt;
      if (figure)
        sheet.Figure(at, c, *figure, shown, book.Format(DisplayFormat(*figure, shown, written, comma), tone));
      else
        sheet.Text(at, c, written, tone == CellTone::Normal ? nullptr : book.Format("", tone));
    }
  }
  const bool tagged = model.ColumnNamed(ColumnName(Column::Tag)).has_value();
  sheet.Finish(kHeadingRows, tagged ? 1 : 0, static_cast<lxw_row_t>(kHeadingRows + model.RowCount() - 1));
}

// The drawing schedule (drawing_schedule.h): each row under its supply,
// indented by its depth, its failing cells in the window's colours.
void WriteDrawingSheet(Workbook& book, const ScheduleModel& model) {
  const DrawingSchedule drawing = BuildDrawingSchedule(model);
  Sheet sheet(book, "Feeder schedule", drawing.headings.size());
  for (std::size_t c = 0; c < drawing.headings.size(); ++c) sheet.Text(0, c, drawing.headings[c], book.Heading(false));
  const bool comma = model.DecimalComma();
  for (std::size_t r = 0; r < drawing.rows.size(); ++r) {
    const DrawingRow& row = drawing.rows[r];
    const auto at = static_cast<lxw_row_t>(1 + r);
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      const DrawingCell& cell = row.cells[c];
      const CellTone tone = cell.fails ? CellTone::Bad : CellTone::Normal;
      if (cell.number)
        sheet.Figure(at, c, *cell.number, cell.text, book.Format(DisplayFormat(*cell.number, cell.text, "", comma), tone));
      else
        sheet.Text(at, c, cell.text, book.Format("", tone, c == 0 ? row.depth : 0));
    }
  }
  sheet.Finish(1, 1, static_cast<lxw_row_t>(drawing.rows.size()));
}

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The workbook's bytes, made in a private folder; "" in `why` or why they could not be.
std::string WorkbookBytes(const ScheduleModel& model, std::string& why) {
  const PrivateFolder folder;
  if (folder.Path().empty()) {
    why = "no temporary folder to make it in";
    return "";
  }
  const fs::path file = folder.Path() / "schedule.xlsx";
  Workbook book(file);
  WriteScheduleSheet(book, model);
  WriteDrawingSheet(book, model);
  why = book.Close();
  return why.empty() ? ReadWholeFile(file) : "";
}

}  // namespace

bool WritesWorkbooks() { return true; }

std::string WriteScheduleWorkbook(const ScheduleModel& model, const std::string& target) {
  const std::string name = FileNameOf(target);
  if (model.RowCount() + kHeadingRows > kMaxSheetRows)
    return "Cannot write " + name + ": a sheet holds 1,048,576 rows at most; export the schedule as CSV.";
  std::string why;
  const std::string bytes = WorkbookBytes(model, why);
  if (why.empty()) why = WriteWholeFile(PathFromUtf8(target), bytes);
  return why.empty() ? "" : "Cannot write " + name + ": " + why + ".";
}

}  // namespace quillet
