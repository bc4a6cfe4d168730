#include "schedule/feeder_row.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>

#include "core/numbers.h"
#include "core/tables.h"
#include "schedule/csv.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::Continuous) + 1;

const std::array<const char*, kColumnCount> kColumnNames = {
    "tag",        "system",  "voltage", "current", "power", "motor_hp", "pf",       "material", "conduit", "insulation",
    "ambient",    "length",  "unit",    "runs",    "size",  "wire_temp", "user_r",  "user_x",   "max_vd_pct",
    "continuous"};

const double kPowerFactors[] = {0.75, 0.8, 0.85, 0.9, 0.95, 1.0};
constexpr double kMaxVoltage = 1000000;

// A row's value that is not allowed: the column and what is.
struct BadValue {
  Column column;
  std::string allowed;
};

class RowReader {
 public:
  explicit RowReader(const std::vector<std::string>& cells, const ScheduleLayout& layout, bool decimalComma)
      : cells_(cells), layout_(layout), decimalComma_(decimalComma) {}

  std::string Text(Column column) const {
    const auto index = layout_.IndexOf(column);
    if (!index || *index >= cells_.size()) return "";
    return TrimmedCell(cells_[*index]);
  }
  bool Given(Column column) const { return !Text(column).empty(); }

  // The value as a field's text: digits with at most one "." (a decimal
  // comma too in semicolon and tab files).
  std::string Decimal(Column column, const std::string& allowed) const {
    std::string text = Text(column);
    if (decimalComma_) std::replace(text.begin(), text.end(), ',', '.');
    const bool digitsAndPoint = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos &&
                                std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
    if (!digitsAndPoint) throw BadValue{column, allowed};
    return text;
  }
  double Number(Column column, const std::string& allowed) const { return NumberValue(Decimal(column, allowed)); }

  int Whole(Column column, const std::string& allowed) const {
    const double value = Number(column, allowed);
    if (value != std::floor(value) || value > 1000000) throw BadValue{column, allowed};
    return static_cast<int>(value);
  }

  // A spelling from the lists, by position; none when the cell is blank.
  std::optional<int> Choice(Column column, const std::vector<std::vector<std::string>>& spellings,
                            const std::string& allowed) const {
    const std::string text = LowerCell(Text(column));
    if (text.empty()) return std::nullopt;
    for (std::size_t i = 0; i < spellings.size(); ++i)
      if (std::find(spellings[i].begin(), spellings[i].end(), text) != spellings[i].end()) return static_cast<int>(i);
    throw BadValue{column, allowed};
  }

 private:
  const std::vector<std::string>& cells_;
  const ScheduleLayout& layout_;
  bool decimalComma_;
};

// "14", "#14", "14 AWG", "4/0", "250", "250 MCM", "250 kcmil".
std::optional<int> SizeArea(std::string text) {
  text = LowerCell(TrimmedCell(text));
  if (!text.empty() && text.front() == '#') text.erase(0, 1);
  for (const char* unit : {"awg", "kcmil", "mcm"}) {
    if (text.ends_with(unit)) {
      text.resize(text.size() - std::char_traits<char>::length(unit));
      text = TrimmedCell(text);
      break;
    }
  }
  for (int area = 0; area < kSizeCount; ++area) {
    std::string item = LowerCell(TrimmedCell(kSizeItems[static_cast<std::size_t>(area)]));
    item = TrimmedCell(item.substr(0, item.find(' ')));
    if (item == text) return area;
  }
  return std::nullopt;
}

void ReadSystemAndVoltage(const RowReader& row, FeederInputs& f) {
  f.singlePhase = row.Choice(Column::System, {{"3", "3ph"}, {"1", "1ph", "dc"}}, "1, 3, 1ph, 3ph or DC") == 1;
  const char* allowedVoltage = "volts above 0 and below 1,000,000";
  f.voltage = row.Decimal(Column::Voltage, allowedVoltage);
  const double volts = NumberValue(f.voltage);
  if (!(volts > 0 && volts < kMaxVoltage)) throw BadValue{Column::Voltage, allowedVoltage};
  // Leaving the field rounds it to whole volts (two decimals below 1 V).
  const std::string kept = FormatPattern(volts, volts < 1 ? "Fixed" : "###,###");
  if (NumberValue(kept) != volts)
    throw BadValue{Column::Voltage, "the window keeps " + std::string(volts < 1 ? "two decimals below 1 V" : "whole volts") +
                                        " (this would be " + kept + " V)"};
}

void ReadLoad(const RowReader& row, bool decimalComma, FeederInputs& f) {
  const bool current = row.Given(Column::Current), power = row.Given(Column::Power),
             motor = row.Given(Column::MotorHp);
  if (current + power + motor != 1)
    throw BadValue{current ? Column::Current : power ? Column::Power : Column::MotorHp,
                   "exactly one of current, power and motor_hp is given"};
  if (motor) {
    f.load = LoadKind::Motor;
    std::string hp = LowerCell(row.Text(Column::MotorHp));
    if (hp.ends_with("hp")) hp = TrimmedCell(hp.substr(0, hp.size() - 2));
    if (decimalComma) std::replace(hp.begin(), hp.end(), ',', '.');
    f.loadText = hp;
    return;
  }
  const Column column = current ? Column::Current : Column::Power;
  const char* allowed = current ? "amperes above 0" : "watts above 0";
  f.load = current ? LoadKind::Current : LoadKind::Power;
  f.loadText = row.Decimal(column, allowed);
  if (!(NumberValue(f.loadText) > 0)) throw BadValue{column, allowed};
}

void ReadOptions(const RowReader& row, FeederInputs& f) {
  if (row.Given(Column::Pf)) {
    const char* allowed = "0.75, 0.8, 0.85, 0.9, 0.95 or 1";
    const double pf = row.Number(Column::Pf, allowed);
    const auto at = std::find(std::begin(kPowerFactors), std::end(kPowerFactors), pf);
    if (at == std::end(kPowerFactors)) throw BadValue{Column::Pf, allowed};
    f.pfOption = static_cast<int>(at - std::begin(kPowerFactors));
  }
  f.aluminium = row.Choice(Column::Material, {{"cu", "copper"}, {"al", "aluminum", "aluminium"}},
                           "cu, copper, al, aluminum or aluminium") == 1;
  f.pvc = row.Choice(Column::Conduit, {{"steel"}, {"pvc"}}, "steel or pvc") == 1;
  if (row.Given(Column::Insulation)) {
    const char* allowed = "60, 75 or 90";
    f.insulationC = row.Whole(Column::Insulation, allowed);
    if (f.insulationC != 60 && f.insulationC != 75 && f.insulationC != 90) throw BadValue{Column::Insulation, allowed};
  }
  if (row.Given(Column::Ambient)) f.ambientC = row.Whole(Column::Ambient, "whole °C of the rating's chain");
  if (row.Given(Column::WireTemp)) f.wireTempC = row.Whole(Column::WireTemp, "a multiple of 5 °C");
}

void ReadConductor(const RowReader& row, FeederInputs& f) {
  const char* allowedLength = "a one-way length above 0";
  f.length = row.Decimal(Column::Length, allowedLength);
  if (!(NumberValue(f.length) > 0)) throw BadValue{Column::Length, allowedLength};
  f.feet = row.Choice(Column::Unit, {{"m", "meter", "meters", "metre", "metres"}, {"ft", "feet", "foot"}},
                      "ft or m")
               .value_or(1) == 1;
  if (row.Given(Column::Runs)) {
    const char* allowed = "1 to 6";
    f.runs = row.Whole(Column::Runs, allowed);
    if (f.runs < 1 || f.runs > 6) throw BadValue{Column::Runs, allowed};
  }
  if (row.Given(Column::Size)) {
    f.areaIndex = SizeArea(row.Text(Column::Size));
    if (!f.areaIndex) throw BadValue{Column::Size, "14 AWG … 4/0 AWG, 250 … 1000 kcmil (also 14, #14, 4/0, 250 MCM)"};
    if (f.aluminium && *f.areaIndex == 0) throw BadValue{Column::Size, "aluminium starts at 12 AWG"};
  }
  if (row.Given(Column::UserR) != row.Given(Column::UserX))
    throw BadValue{row.Given(Column::UserR) ? Column::UserX : Column::UserR,
                   "user_r and user_x are given together"};
  if (row.Given(Column::UserR)) {
    f.userR = row.Decimal(Column::UserR, "ohms per 1000 ft or per km, 0 to 12");
    f.userX = row.Decimal(Column::UserX, "ohms per 1000 ft or per km, 0 to 1");
  }
}

void ReadLimits(const RowReader& row, const ScheduleDefaults& defaults, FeederInputs& f) {
  f.maxVdPercent = defaults.maxVdPercent;
  if (row.Given(Column::MaxVdPct)) {
    const char* allowed = "a percentage above 0";
    f.maxVdPercent = row.Number(Column::MaxVdPct, allowed);
    if (!(f.maxVdPercent > 0)) throw BadValue{Column::MaxVdPct, allowed};
  }
  const auto continuous = row.Choice(Column::Continuous, {{"no", "n", "0", "false"}, {"yes", "y", "1", "true"}},
                                     "yes, no, y, n, 1, 0, true or false");
  f.continuous = continuous ? *continuous == 1 : defaults.continuous;
}

std::string ErrorText(int line, Column column, const std::string& value, const std::string& reason) {
  return "line " + std::to_string(line) + ", " + ColumnName(column) + " " + (value.empty() ? "(blank)" : value) +
         ": " + reason;
}

template <typename T>
std::string Shortest(T value, bool decimalComma) {
  char buffer[400];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (decimalComma) std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::string Optional(const std::optional<float>& value, bool decimalComma) {
  return value ? Shortest(*value, decimalComma) : "";
}

std::string SizedByText(SizedBy sizedBy) {
  switch (sizedBy) {
    case SizedBy::Given: return "given";
    case SizedBy::Ampacity: return "ampacity";
    case SizedBy::VoltageDrop: return "voltage drop";
    case SizedBy::None: return "none";
  }
  return "";
}

std::string CheckText(AmpacityCheck check) {
  switch (check) {
    case AmpacityCheck::Ok: return "ok";
    case AmpacityCheck::Over80: return "over 80 %";
    case AmpacityCheck::Over100: return "over 100 %";
  }
  return "";
}

std::string SizeText(const std::optional<int>& area) { return area ? SizeName(*area) : ""; }

}  // namespace

std::string LowerCell(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string TrimmedCell(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}


const char* ColumnName(Column column) { return kColumnNames[static_cast<std::size_t>(column)]; }

const std::vector<std::string>& ResultColumnNames() {
  static const std::vector<std::string> names = {
      "size_used",   "sized_by", "size_for_ampacity", "size_for_vd", "current_a",  "vd_v",        "vd_pct",
      "vd_exact_pct", "vd_dc_v", "vd_dc_pct",         "rdc",         "rac",        "xl",          "z",
      "per",          "area_mm2", "ampacity_a",       "ambient_cf",  "load_ratio", "ampacity_check",
      "wire_temp_c",  "est_temp_c", "vd_alt_v",       "vd_alt_pct",  "error"};
  return names;
}

ScheduleLayout::ScheduleLayout(const std::vector<std::string>& header)
    : index_(kColumnCount), width_(header.size()) {
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string name = LowerCell(TrimmedCell(header[i]));
    const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
    if (known == kColumnNames.end()) continue;
    auto& slot = index_[static_cast<std::size_t>(known - kColumnNames.begin())];
    if (slot) throw CsvError("line 1: the column " + name + " appears twice");
    slot = i;
  }
  for (Column required : {Column::Voltage, Column::Length})
    if (!IndexOf(required))
      throw CsvError(std::string("line 1: no column ") + ColumnName(required) +
                     "; the first line names the columns (voltage, current, power or motor_hp, length, ...)");
  if (!IndexOf(Column::Current) && !IndexOf(Column::Power) && !IndexOf(Column::MotorHp))
    throw CsvError("line 1: no column current, power or motor_hp; one of them gives the load");
}

std::variant<FeederInputs, std::string> ReadFeeder(const std::vector<std::string>& cells, int line,
                                                 const ScheduleLayout& layout, const ScheduleDefaults& defaults,
                                                 bool decimalComma) {
  const RowReader row(cells, layout, decimalComma);
  for (std::size_t i = layout.Width(); i < cells.size(); ++i)
    if (!TrimmedCell(cells[i]).empty())
      return "line " + std::to_string(line) + ": " + std::to_string(cells.size()) + " values, the header names " +
             std::to_string(layout.Width()) + " columns";
  FeederInputs f;
  try {
    ReadSystemAndVoltage(row, f);
    ReadLoad(row, decimalComma, f);
    ReadOptions(row, f);
    ReadConductor(row, f);
    ReadLimits(row, defaults, f);
  } catch (const BadValue& bad) {
    return ErrorText(line, bad.column, row.Text(bad.column), bad.allowed);
  }
  return f;
}

std::vector<std::string> ResultCells(const FeederResult& result, const std::vector<std::string>& cells, int line,
                                     const ScheduleLayout& layout, bool decimalComma) {
  if (result.error) {
    const RowReader row(cells, layout, decimalComma);
    return ErrorCells(ErrorText(line, result.error->column, row.Text(result.error->column), result.error->reason));
  }
  std::vector<std::string> out = {SizeText(result.areaUsed), SizedByText(result.sizedBy),
                                  SizeText(result.areaForAmpacity), SizeText(result.areaForVd)};
  out.resize(ResultColumnNames().size());
  if (result.numbers) {
    const FeederNumbers& n = *result.numbers;
    const auto s = [decimalComma](auto value) { return Shortest(value, decimalComma); };
    const std::vector<std::string> numbers = {
        s(n.current), s(n.vdAc), s(n.vdAcPercent), Optional(n.vdExactPercent, decimalComma),
        Optional(n.vdDc, decimalComma), Optional(n.vdDcPercent, decimalComma), s(n.rdc), s(n.rac), s(n.xl), s(n.z),
        n.perKm ? "km" : "1000ft", s(n.areaMm2), s(n.ampacity), s(n.ambientFactor), s(n.loadRatio),
        CheckText(n.check), s(n.wireTempC), n.operatingTempC ? s(*n.operatingTempC) : "melted",
        Optional(n.vdAlt, decimalComma), Optional(n.vdAltPercent, decimalComma)};
    std::copy(numbers.begin(), numbers.end(), out.begin() + 4);
  }
  if (result.sizedBy == SizedBy::None) out.back() = "line " + std::to_string(line) + ": " + result.note;
  return out;
}

std::vector<std::string> ErrorCells(const std::string& error) {
  std::vector<std::string> out(ResultColumnNames().size());
  out.back() = error;
  return out;
}

}  // namespace quillet
