// Every column's accepted spellings and the errors a designer reads when a
// value is not allowed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "schedule/csv.h"
#include "schedule/feeder_row.h"

namespace quillet {
namespace {

using Cells = std::vector<std::string>;

// One row with the three required columns and one more column.
std::variant<FeederInputs, std::string> ReadWith(const std::string& column, const std::string& value,
                                               bool decimalComma = false, ScheduleDefaults defaults = {}) {
  Cells header = {"voltage", "current", "length"};
  Cells cells = {"480", "100", "50"};
  bool replaced = false;
  for (std::size_t i = 0; i < header.size(); ++i)
    if (header[i] == column) cells[i] = value, replaced = true;
  if (!replaced) {
    header.push_back(column);
    cells.push_back(value);
  }
  return ReadFeeder(cells, 7, ScheduleLayout(header), defaults, DecimalMark{decimalComma, true});
}

TEST(FeederRow, AcceptsEverySpellingOfEveryColumn) {
  struct Row {
    const char* column;
    const char* value;
    std::function<bool(const FeederInputs&)> holds;
    bool decimalComma = false;
  } rows[] = {
      {"system", "", [](const FeederInputs& f) { return !f.singlePhase; }},
      {"system", "3", [](const FeederInputs& f) { return !f.singlePhase; }},
      {"system", "3PH", [](const FeederInputs& f) { return !f.singlePhase; }},
      {"system", "1", [](const FeederInputs& f) { return f.singlePhase; }},
      {"system", "1ph", [](const FeederInputs& f) { return f.singlePhase; }},
      {"system", "DC", [](const FeederInputs& f) { return f.singlePhase; }},
      {"voltage", "277", [](const FeederInputs& f) { return f.voltage == "277"; }},
      {"voltage", "0.5", [](const FeederInputs& f) { return f.voltage == "0.5"; }},
      {"voltage", "999999", [](const FeederInputs& f) { return f.voltage == "999999"; }},
      {"voltage", "4160,0", [](const FeederInputs& f) { return f.voltage == "4160.0"; }, true},
      {"voltage", "480 V", [](const FeederInputs& f) { return f.voltage == "480"; }},
      {"current", "100A", [](const FeederInputs& f) { return f.loadText == "100"; }},
      {"current", " 12.5 ", [](const FeederInputs& f) { return f.load == LoadKind::Current && f.loadText == "12.5"; }},
      {"current", "12,5", [](const FeederInputs& f) { return f.loadText == "12.5"; }, true},
      {"pf", "", [](const FeederInputs& f) { return !f.pfOption; }},
      {"pf", "0.75", [](const FeederInputs& f) { return f.pfOption == 0; }},
      {"pf", "0.80", [](const FeederInputs& f) { return f.pfOption == 1; }},
      {"pf", "0,85", [](const FeederInputs& f) { return f.pfOption == 2; }, true},
      {"pf", "0.9", [](const FeederInputs& f) { return f.pfOption == 3; }},
      {"pf", ".95", [](const FeederInputs& f) { return f.pfOption == 4; }},
      {"pf", "1", [](const FeederInputs& f) { return f.pfOption == 5; }},
      {"pf", "85 %", [](const FeederInputs& f) { return f.pfOption == 2; }},
      {"material", "", [](const FeederInputs& f) { return !f.aluminium; }},
      {"material", "Copper", [](const FeederInputs& f) { return !f.aluminium; }},
      {"material", "cu", [](const FeederInputs& f) { return !f.aluminium; }},
      {"material", "AL", [](const FeederInputs& f) { return f.aluminium; }},
      {"material", "aluminum", [](const FeederInputs& f) { return f.aluminium; }},
      {"material", "Aluminium", [](const FeederInputs& f) { return f.aluminium; }},
      {"conduit", "", [](const FeederInputs& f) { return !f.pvc; }},
      {"conduit", "Steel", [](const FeederInputs& f) { return !f.pvc; }},
      {"conduit", "PVC", [](const FeederInputs& f) { return f.pvc; }},
      {"insulation", "", [](const FeederInputs& f) { return f.insulationC == 75; }},
      {"insulation", "60", [](const FeederInputs& f) { return f.insulationC == 60; }},
      {"insulation", "90", [](const FeederInputs& f) { return f.insulationC == 90; }},
      {"insulation", "90 °C", [](const FeederInputs& f) { return f.insulationC == 90; }},
      {"ambient", "", [](const FeederInputs& f) { return f.ambientC == 30; }},
      {"ambient", "45", [](const FeederInputs& f) { return f.ambientC == 45; }},
      {"length", "1234.5", [](const FeederInputs& f) { return f.length == "1234.5"; }},
      {"length", "30 m", [](const FeederInputs& f) { return f.length == "30" && !f.feet; }},
      {"unit", "", [](const FeederInputs& f) { return f.feet; }},
      {"unit", "ft", [](const FeederInputs& f) { return f.feet; }},
      {"unit", "FT", [](const FeederInputs& f) { return f.feet; }},
      {"unit", "m", [](const FeederInputs& f) { return !f.feet; }},
      {"runs", "", [](const FeederInputs& f) { return f.runs == 1; }},
      {"runs", "6", [](const FeederInputs& f) { return f.runs == 6; }},
      {"size", "", [](const FeederInputs& f) { return !f.areaIndex; }},
      {"size", "14 AWG", [](const FeederInputs& f) { return f.areaIndex == 0; }},
      {"size", "14", [](const FeederInputs& f) { return f.areaIndex == 0; }},
      {"size", "#14", [](const FeederInputs& f) { return f.areaIndex == 0; }},
      {"size", "1/0", [](const FeederInputs& f) { return f.areaIndex == 9; }},
      {"size", "0", [](const FeederInputs& f) { return f.areaIndex == 9; }},
      {"size", "000 AWG", [](const FeederInputs& f) { return f.areaIndex == 11; }},
      {"size", "4/0 awg", [](const FeederInputs& f) { return f.areaIndex == 12; }},
      {"size", "250", [](const FeederInputs& f) { return f.areaIndex == 13; }},
      {"size", "250 MCM", [](const FeederInputs& f) { return f.areaIndex == 13; }},
      {"size", "1000 kcmil", [](const FeederInputs& f) { return f.areaIndex == 20; }},
      {"size", "500kcmil", [](const FeederInputs& f) { return f.areaIndex == 17; }},
      {"wire_temp", "60", [](const FeederInputs& f) { return f.wireTempC == 60; }},
      {"max_vd_pct", "", [](const FeederInputs& f) { return f.maxVdPercent == 3; }},
      {"max_vd_pct", "2.5", [](const FeederInputs& f) { return f.maxVdPercent == 2.5; }},
      {"max_vd_pct", "2,5%", [](const FeederInputs& f) { return f.maxVdPercent == 2.5; }, true},
      {"continuous", "", [](const FeederInputs& f) { return !f.continuous; }},
      {"continuous", "yes", [](const FeederInputs& f) { return f.continuous; }},
      {"continuous", "Y", [](const FeederInputs& f) { return f.continuous; }},
      {"continuous", "1", [](const FeederInputs& f) { return f.continuous; }},
      {"continuous", "TRUE", [](const FeederInputs& f) { return f.continuous; }},
      {"continuous", "no", [](const FeederInputs& f) { return !f.continuous; }},
      {"continuous", "0", [](const FeederInputs& f) { return !f.continuous; }},
      {"continuous", "false", [](const FeederInputs& f) { return !f.continuous; }},
      {"tag", "Panel \"A\", west", [](const FeederInputs&) { return true; }},
      {"notes", "anything at all", [](const FeederInputs&) { return true; }},
  };
  for (const Row& row : rows) {
    const auto read = ReadWith(row.column, row.value, row.decimalComma);
    const auto* feeder = std::get_if<FeederInputs>(&read);
    ASSERT_TRUE(feeder) << row.column << " " << row.value << ": " << std::get<std::string>(read);
    EXPECT_TRUE(row.holds(*feeder)) << row.column << " " << row.value;
  }
}

TEST(FeederRow, TakesTheLoadFromTheOneColumnGiven) {
  const ScheduleLayout layout({"voltage", "current", "power", "motor_hp", "length", "pf"});
  struct Row {
    const char* name;
    Cells cells;
    LoadKind load;
    std::string text;
  } rows[] = {
      {"current", {"480", "100", "", "", "50", ""}, LoadKind::Current, "100"},
      {"power", {"480", "", "75000", "", "50", ""}, LoadKind::Power, "75000"},
      {"motor", {"480", "", "", "7.5", "50", ""}, LoadKind::Motor, "7.5"},
      {"motor with HP", {"480", "", "", "1/2 HP", "50", ""}, LoadKind::Motor, "1/2"},
  };
  for (const Row& row : rows) {
    const auto read = ReadFeeder(row.cells, 2, layout, {}, DecimalMark{});
    ASSERT_TRUE(std::holds_alternative<FeederInputs>(read)) << row.name << ": " << std::get<std::string>(read);
    EXPECT_EQ(std::get<FeederInputs>(read).load, row.load) << row.name;
    EXPECT_EQ(std::get<FeederInputs>(read).loadText, row.text) << row.name;
  }
  const auto both = ReadFeeder({"480", "100", "75000", "", "50", ""}, 4, layout, {}, DecimalMark{});
  EXPECT_EQ(std::get<std::string>(both), "line 4, current 100: exactly one of current, power and motor_hp is given");
  const auto none = ReadFeeder({"480", "", "", "", "50", ""}, 5, layout, {}, DecimalMark{});
  EXPECT_EQ(std::get<std::string>(none),
            "line 5, current (blank): exactly one of current, power and motor_hp is given");
}

TEST(FeederRow, NamesTheLineColumnValueAndWhatIsAllowed) {
  struct Row {
    const char* column;
    const char* value;
    std::string error;
  } rows[] = {
      {"system", "2", "line 7, system 2: 1, 3, 1ph, 3ph or DC"},
      {"voltage", "", "line 7, voltage (blank): volts above 0 and below 1000000"},
      {"voltage", "0", "line 7, voltage 0: volts above 0 and below 1000000"},
      {"voltage", "1000000", "line 7, voltage 1000000: volts above 0 and below 1000000"},
      {"voltage", "-480", "line 7, voltage -480: volts above 0 and below 1000000"},
      {"voltage", "277.5", "line 7, voltage 277.5: the window keeps whole volts (this would be 278 V)"},
      {"voltage", "0.125", "line 7, voltage 0.125: the window keeps two decimals below 1 V (this would be 0.13 V)"},
      {"current", "0", "line 7, current 0: amperes above 0"},
      {"current", "1e3", "line 7, current 1e3: not a plain number (amperes above 0)"},
      {"current", "1,5", "line 7, current 1,5: this file writes decimals with a point; write 1.5"},
      {"pf", "0.7", "line 7, pf 0.7: 0.75, 0.8, 0.85, 0.9, 0.95 or 1"},
      {"material", "gold", "line 7, material gold: cu, copper, al, aluminum or aluminium"},
      {"conduit", "emt", "line 7, conduit emt: steel or pvc"},
      {"insulation", "105", "line 7, insulation 105: 60, 75 or 90"},
      {"insulation", "75.5", "line 7, insulation 75.5: 60, 75 or 90"},
      {"length", "", "line 7, length (blank): a one-way length above 0"},
      {"length", "0", "line 7, length 0: a one-way length above 0"},
      {"unit", "yd", "line 7, unit yd: ft or m"},
      {"runs", "7", "line 7, runs 7: 1 to 6"},
      {"runs", "0", "line 7, runs 0: 1 to 6"},
      {"size", "5 AWG", "line 7, size 5 AWG: 14 AWG … 4/0 AWG, 250 … 1000 kcmil (also 14, #14, 4/0, 250 MCM)"},
      {"size", "2000", "line 7, size 2000: 14 AWG … 4/0 AWG, 250 … 1000 kcmil (also 14, #14, 4/0, 250 MCM)"},
      {"size", "1/0 kcmil", "line 7, size 1/0 kcmil: 1/0 is an AWG size; write 1/0 or 1/0 AWG"},
      {"pf", "0.9 V", "line 7, pf 0.9 V: the column is in %, not V"},
      {"runs", "2 sets", "line 7, runs 2 sets: not a plain number (1 to 6)"},
      {"ambient", "104 °F", "line 7, ambient 104 °F: the column is in °C, not °F"},
      {"user_r", "0.5", "line 7, user_x (blank): user_r and user_x are given together"},
      {"max_vd_pct", "0", "line 7, max_vd_pct 0: a percentage above 0"},
      {"continuous", "maybe", "line 7, continuous maybe: yes, no, y, n, 1, 0, true or false"},
  };
  for (const Row& row : rows) {
    const auto read = ReadWith(row.column, row.value);
    ASSERT_TRUE(std::holds_alternative<std::string>(read)) << row.column << " " << row.value;
    EXPECT_EQ(std::get<std::string>(read), row.error);
  }
}

TEST(FeederRow, AluminiumSizesStartAt12Awg) {
  const ScheduleLayout layout({"voltage", "current", "length", "material", "size"});
  const auto read = ReadFeeder({"480", "10", "50", "al", "14"}, 3, layout, {}, DecimalMark{});
  EXPECT_EQ(std::get<std::string>(read), "line 3, size 14: aluminium starts at 12 AWG");
}

TEST(FeederRow, TakesTheToolsDefaultsWhereTheRowIsSilent) {
  const ScheduleDefaults defaults{1.5, true};
  const auto silent = std::get<FeederInputs>(ReadWith("tag", "x", false, defaults));
  EXPECT_EQ(silent.maxVdPercent, 1.5);
  EXPECT_TRUE(silent.continuous);
  const auto own = std::get<FeederInputs>(ReadWith("continuous", "no", false, defaults));
  EXPECT_FALSE(own.continuous);
}

TEST(FeederRow, ExtraValuesBeyondTheHeaderAreAnError) {
  const ScheduleLayout layout({"voltage", "current", "length"});
  EXPECT_EQ(std::get<std::string>(ReadFeeder({"480", "10", "50", "x"}, 9, layout, {}, DecimalMark{})),
            "line 9: a value past the last column the header names");
  EXPECT_TRUE(std::holds_alternative<FeederInputs>(ReadFeeder({"480", "10", "50", " "}, 9, layout, {}, DecimalMark{})));
}

TEST(ScheduleColumns, EachHasItsPlaceAnOwnNameAndOneEntryStep) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < InputColumns().size(); ++i) {
    const InputColumn& column = InputColumns()[i];
    SCOPED_TRACE(column.name);
    EXPECT_EQ(static_cast<std::size_t>(column.column), i);
    EXPECT_TRUE(column.read && column.cell);
    EXPECT_TRUE(names.insert(column.name).second);
    EXPECT_EQ(std::count(EntryOrder().begin(), EntryOrder().end(), column.column), column.enter ? 1 : 0);
  }
  for (const ResultColumn& column : ResultColumns()) {
    EXPECT_TRUE(column.text) << column.name;
    EXPECT_TRUE(names.insert(column.name).second) << column.name;
  }
  EXPECT_STREQ(ResultColumns()[ErrorResultIndex()].name, "error");
}

TEST(ScheduleLayout, FindsColumnsInAnyOrderAndCase) {
  const ScheduleLayout layout({"Notes", " LENGTH ", "Motor_HP", "Voltage"});
  EXPECT_EQ(layout.IndexOf(Column::Length), 1u);
  EXPECT_EQ(layout.IndexOf(Column::MotorHp), 2u);
  EXPECT_EQ(layout.IndexOf(Column::Voltage), 3u);
  EXPECT_FALSE(layout.IndexOf(Column::Current));
}

TEST(ScheduleLayout, MatchesHeadingsAsPeopleWriteThem) {
  const ScheduleLayout layout(
      {"Max VD %", "Motor HP", "Wire-Temp [°C]", "LENGTH (m)", "voltage", "user r", "Notes (x)"});
  EXPECT_EQ(layout.IndexOf(Column::MaxVdPct), 0u);
  EXPECT_EQ(layout.IndexOf(Column::MotorHp), 1u);
  EXPECT_EQ(layout.IndexOf(Column::WireTemp), 2u);
  EXPECT_EQ(layout.IndexOf(Column::Length), 3u);
  EXPECT_EQ(layout.HeadingUnit(Column::Length), 0u);  // metres
  EXPECT_EQ(layout.IndexOf(Column::UserR), 5u);
  EXPECT_EQ(layout.Notes(), Cells{"unknown column \"Notes (x)\" copied as it is; it resembles no known column"});
  EXPECT_EQ(ScheduleLayout({"Max VD (%)", "voltage", "current", "length"}).IndexOf(Column::MaxVdPct), 0u);
}

TEST(DecimalMark, TheFirstNumberThatReadsOneWayDecides) {
  const ScheduleLayout layout({"voltage", "current", "length"});
  struct Row {
    const char* name;
    std::vector<Cells> rows;
    bool comma, shown;
  } rows[] = {
      {"whole numbers show none", {{"480", "100", "50"}}, true, false},
      {"1,200 reads either way", {{"480", "1,200", "50"}}, true, false},
      {"a decimal comma", {{"480", "1,200", "50"}, {"480", "0,9", "1.5"}}, true, true},
      {"a decimal point", {{"480", "12.5", "0,9"}}, false, true},
      {"a comma grouping", {{"480", "1,234.5", "50"}}, false, true},
      {"a point grouping", {{"480", "1.200.000", "50"}}, true, true},
      {"an aught value", {{"480", "0.500", "50"}}, false, true},
  };
  for (const Row& row : rows) {
    DecimalMarkFinder finder(layout, ';');
    for (const Cells& cells : row.rows)
      if (finder.Look(cells)) break;
    EXPECT_EQ(finder.Mark().comma, row.comma) << row.name;
    EXPECT_EQ(finder.Mark().shown, row.shown) << row.name;
  }
  EXPECT_FALSE(DecimalMarkFinder(layout, ',').Mark().comma);
}

TEST(ScheduleLayout, RefusesAHeaderWithoutWhatAFeederNeeds) {
  struct Row {
    const char* name;
    Cells header;
    std::string message;
  } rows[] = {
      {"no voltage", {"current", "length"}, "line 1: no column voltage"},
      {"no length", {"voltage", "power"}, "line 1: no column length"},
      {"no load", {"voltage", "length"}, "line 1: no column current, power or motor_hp"},
      {"twice", {"voltage", "current", "length", "Voltage"}, "line 1: the column voltage appears twice"},
      {"twice, spelt two ways", {"voltage", "current", "length", "Voltage [V]"},
       "line 1: the column voltage appears twice"},
      {"another unit", {"voltage (kV)", "current", "length"},
       "line 1: column \"voltage (kV)\": voltage is in V, not kV"},
      {"a unit on a column without one", {"voltage", "current", "length", "Tag (panel)"},
       "line 1: column \"Tag (panel)\": tag takes no unit"},
      {"data instead of a header", {"480", "100", "50"}, "line 1: no column voltage"},
  };
  for (const Row& row : rows) {
    try {
      ScheduleLayout layout(row.header);
      ADD_FAILURE() << row.name;
    } catch (const CsvError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(row.message)) << row.name << ": " << error.what();
    }
  }
}

}  // namespace
}  // namespace quillet
