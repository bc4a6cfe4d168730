// A schedule's rows through its columns: a row's cells read into a feeder,
// and an evaluated row's result cells.
#pragma once

#include <string>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "schedule/columns.h"
#include "schedule/feeder.h"

namespace quillet {

// The result columns' names, in output order.
const std::vector<std::string>& ResultColumnNames();

// A row's feeder, or what is wrong with it ("line 7, ambient 60: ...").
std::variant<FeederInputs, std::string> ReadFeeder(const std::vector<std::string>& cells, int line,
                                                 const ScheduleLayout& layout, const ScheduleDefaults& defaults,
                                                 DecimalMark mark);

// The error cell of an evaluated feeder: what the window refused, with the
// line, column and value, or why no size or no device fits; "" when none.
std::string ErrorCell(const FeederResult& result, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, DecimalMark mark);

// The error cell for a problem with one of the row's values.
std::string ErrorCell(const FeederError& error, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, DecimalMark mark);

std::vector<std::string> ResultCells(const EvaluatedRow& row, bool decimalComma);

// A cell's text without the blanks around it, and in lower case: how names
// and choices are compared.
std::string TrimmedCell(const std::string& text);
std::string LowerCell(std::string text);
// How a heading or a unit is compared: in lower case, without blanks,
// underscores and hyphens, "%" as "pct" ("Max VD %" is "maxvdpct").
std::string NameKey(std::string_view text);
// The candidate the word most resembles, compared as names are; "" when
// none is near enough to be a slip.
std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates);

}  // namespace quillet
