// A file's header: each heading matched to its column with the unit it
// names, the results an earlier run wrote at its end, and a note on every
// column the schedule does not read, so a near miss ("Max VD") is never
// silently a column of notes.
#include <algorithm>
#include <limits>
#include <numeric>
#include <unordered_set>

#include "schedule/columns.h"
#include "schedule/csv.h"
#include "schedule/feeder_row.h"

namespace quillet {
namespace {

constexpr std::size_t kNone = std::string::npos;

// A heading's name and the unit in brackets at its end, if any.
struct Heading {
  std::string name;
  std::optional<std::string> unit;
};

Heading SplitHeading(const std::string& text) {
  const std::string heading = TrimmedCell(text);
  if (!heading.ends_with(')') && !heading.ends_with(']')) return {heading, std::nullopt};
  const std::size_t open = heading.rfind(heading.back() == ')' ? '(' : '[');
  if (open == kNone) return {heading, std::nullopt};
  std::string name = TrimmedCell(heading.substr(0, open));
  std::string unit = TrimmedCell(heading.substr(open + 1, heading.size() - open - 2));
  if (name.empty() || unit.empty()) return {heading, std::nullopt};
  return {std::move(name), std::move(unit)};
}

struct Match {
  const InputColumn* column = nullptr;
  std::optional<std::size_t> unit;
};

// The known column a heading names, with its unit: by name ("Length (ft)"),
// or by name and unit together ("Max VD (%)" is max_vd_pct).
Match MatchHeading(const std::string& text) {
  const Heading heading = SplitHeading(text);
  const std::string name = NameKey(heading.name);
  for (const InputColumn& known : InputColumns()) {
    const std::string key = NameKey(known.name);
    if (heading.unit && name + NameKey(*heading.unit) == key)
      if (const auto unit = FindUnit(known.units, *heading.unit)) return {&known, unit};
    if (name != key) continue;
    if (!heading.unit) return {&known, std::nullopt};
    if (const auto unit = FindUnit(known.units, *heading.unit)) return {&known, unit};
    throw CsvError("line 1: column \"" + TrimmedCell(text) + "\": " + known.name +
                   (known.units.empty() ? " takes no unit"
                                        : " is in " + UnitNames(known.units) + ", not " + *heading.unit));
  }
  return {};
}

// The results this build writes, when the header ends with every one of
// them: once, or more often in a file an earlier build ran over its own
// output, which added a set each time.
std::size_t EndingResults(const std::vector<std::string>& header) {
  const auto& names = ResultColumnNames();
  std::size_t results = 0;
  const auto endsWithSet = [&] {
    if (header.size() < results + names.size()) return false;
    const std::size_t from = header.size() - results - names.size();
    for (std::size_t i = 0; i < names.size(); ++i)
      if (NameKey(header[from + i]) != NameKey(names[i])) return false;
    return true;
  };
  while (endsWithSet()) results += names.size();
  return results;
}

bool IsResultName(const std::string& heading) {
  const auto& names = ResultColumnNames();
  const std::string key = NameKey(heading);
  return std::any_of(names.begin(), names.end(), [&](const std::string& name) { return NameKey(name) == key; });
}

// Edits between two names (Levenshtein).
std::size_t Distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), 0);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The known name a heading most resembles.
std::string NearestName(const std::string& heading) {
  std::vector<std::string_view> names;
  for (const InputColumn& known : InputColumns()) names.push_back(known.name);
  return NearestWord(SplitHeading(heading).name, names);
}

std::string UnknownNote(const std::string& name) {
  const std::string nearest = NearestName(name);
  return "unknown column \"" + name + "\" copied as it is; " +
         (nearest.empty() ? "it resembles no known column" : "did you mean " + nearest + "?");
}

// Each name once; columns named as results but not this build's full set
// at the end (a file an older build wrote) together in one note.
std::vector<std::string> UnknownColumnNotes(const std::vector<std::string>& header,
                                            const std::vector<std::size_t>& unknown) {
  std::vector<std::string> names, results;
  std::unordered_set<std::string> seen;
  std::size_t unnamed = 0, firstUnnamed = 0;
  for (std::size_t at : unknown) {
    std::string name = TrimmedCell(header[at]);
    if (name.empty() && unnamed++ == 0) firstUnnamed = at + 1;
    if (name.empty() || !seen.insert(name).second) continue;
    (IsResultName(name) ? results : names).push_back(std::move(name));
  }
  if (results.size() == 1) names.push_back(results.front());
  std::vector<std::string> notes;
  for (const std::string& name : names) notes.push_back(UnknownNote(name));
  if (unnamed == 1) notes.push_back("column " + std::to_string(firstUnnamed) + " has no name: copied as it is");
  if (unnamed > 1)
    notes.push_back(std::to_string(unnamed) + " columns have no name (the first is column " +
                    std::to_string(firstUnnamed) + "): copied as they are");
  if (results.size() > 1)
    notes.push_back("results of another version of Quillet (\"" + results.front() + "\" … \"" + results.back() +
                    "\", " + std::to_string(results.size()) + " columns; this version writes " +
                    std::to_string(ResultColumnNames().size()) +
                    "): copied as unknown columns, with this version's results after them");
  return notes;
}

}  // namespace

// When it is near enough to be a slip: at most half its letters differ.
std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates) {
  const std::string key = NameKey(word);
  std::string nearest;
  std::size_t best = std::numeric_limits<std::size_t>::max();
  for (std::string_view candidate : candidates) {
    const std::string name = NameKey(candidate);
    const std::size_t distance = Distance(key, name);
    if (distance < best && distance * 2 <= std::max(key.size(), name.size())) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

std::optional<std::size_t> FindUnit(const std::vector<ValueUnit>& units, std::string_view text) {
  const std::string key = NameKey(text);
  for (std::size_t i = 0; i < units.size(); ++i)
    for (const std::string& spelling : units[i].spellings)
      if (NameKey(spelling) == key) return i;
  return std::nullopt;
}

std::string UnitNames(const std::vector<ValueUnit>& units) {
  std::string names;
  for (std::size_t i = 0; i < units.size(); ++i)
    names += (i == 0 ? "" : i + 1 == units.size() ? " or " : ", ") + units[i].spellings.front();
  return names;
}

ScheduleLayout::ScheduleLayout(const std::vector<std::string>& header)
    : index_(InputColumns().size()), unit_(InputColumns().size()), results_(EndingResults(header)) {
  width_ = header.size() - results_;
  std::vector<std::size_t> unknown;
  for (std::size_t i = 0; i < width_; ++i) {
    const Match match = MatchHeading(header[i]);
    if (!match.column) {
      unknown.push_back(i);
      continue;
    }
    const auto at = static_cast<std::size_t>(match.column->column);
    if (index_[at]) throw CsvError(std::string("line 1: the column ") + match.column->name + " appears twice");
    index_[at] = i;
    unit_[at] = match.unit;
  }
  for (Column required : {Column::Voltage, Column::Length})
    if (!IndexOf(required))
      throw CsvError(std::string("line 1: no column ") + ColumnName(required) +
                     "; the first line names the columns (voltage, current, power or motor_hp, length, ...)");
  if (!IndexOf(Column::Current) && !IndexOf(Column::Power) && !IndexOf(Column::MotorHp) && !IndexOf(Column::LoadClass))
    throw CsvError("line 1: no column current, power, motor_hp or load_class; one of them gives the load");
  notes_ = UnknownColumnNotes(header, unknown);
}

std::vector<std::string> KeptCells(std::vector<std::string> cells, const ScheduleLayout& layout) {
  if (cells.size() <= layout.Width()) return cells;
  const auto from = cells.begin() + static_cast<std::ptrdiff_t>(layout.Width());
  const std::size_t results = std::min(cells.size() - layout.Width(), layout.WrittenResults());
  cells.erase(from, from + static_cast<std::ptrdiff_t>(results));
  return cells;
}

}  // namespace quillet
