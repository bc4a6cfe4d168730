// The one-page calculation report: what the page says, without how it looks.
// Built from the same words as the clipboard summary; a view lays it out.
#pragma once

#include <string>
#include <vector>

namespace quillet {

class Elcal;

struct ReportRow {
  std::string label;  // empty for a note
  std::string value;
};

struct ReportSection {
  std::string heading;
  std::vector<ReportRow> rows;
};

// What a printed page says of the job it belongs to, entered as it is
// printed and boxed at its head.
struct TitleBlock {
  std::string project, client, preparedBy, checkedBy, revision, date;

  bool operator==(const TitleBlock&) const = default;
};

// The title block's fields with their labels, in the order the box shows them.
struct TitleBlockField {
  const char* label;
  std::string TitleBlock::*value;
};
inline constexpr TitleBlockField kTitleBlockFields[] = {
    {"Project", &TitleBlock::project},     {"Client", &TitleBlock::client},
    {"Prepared by", &TitleBlock::preparedBy}, {"Checked by", &TitleBlock::checkedBy},
    {"Revision", &TitleBlock::revision},   {"Date", &TitleBlock::date},
};

struct CalculationReport {
  std::string title;
  TitleBlock titleBlock;
  std::vector<ReportRow> heading;         // job, date, program and version
  std::vector<ReportSection> sections;    // inputs, results, any extra ones, notes when there are any
  std::string footer;                     // the tables the data follow
  std::string job;                        // the job text as typed
};

// The report of the calculation as the last pass left it, with the extra
// sections (a feeder tool's design) after its results.
CalculationReport BuildCalculationReport(const Elcal& window, std::vector<ReportSection> extra = {});

// A PDF file name for a document: its name made safe for any file system,
// or the fallback while the name is the job field's prompt or nothing
// usable. Saving and printing to a file both suggest it.
std::string SuggestedPdfName(const std::string& name, const std::string& fallback);
// The calculation report's, from the job text.
std::string SuggestedPdfName(const std::string& job);

// Runs of blanks and line breaks as one space, none at the ends: the page
// wraps its own lines.
std::string Squeezed(const std::string& text);

}  // namespace quillet
