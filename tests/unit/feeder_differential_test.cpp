// Seeded random feeders: every number the engine reports must be what the
// script driver prints after the same user actions in a launched program,
// and the window read back as a feeder goes through a row unchanged.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "app/program.h"
#include "fresh_folder.h"
#include "platform/controls.h"
#include "schedule/feeder_engine.h"
#include "schedule/cell_text.h"
#include "schedule/distribution_tree.h"
#include "schedule/feeder_row.h"
#include "schedule/schedule.h"
#include "schedule/window_feeder.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

// Written out here on purpose, not taken from the program's tables.
const std::vector<std::string> kThreePhaseHp = {"1/2", "3/4", "1",  "1.5", "2",  "3",  "5",
                                                "7.5", "10",  "15", "20",  "25", "30", "40",
                                                "50",  "60",  "75", "100", "125", "150", "200"};
const std::vector<std::string> kSinglePhaseHp = {"1/6", "1/4", "1/3", "1/2", "3/4", "1",
                                                 "1.5", "2",   "3",   "5",   "7.5", "10"};
// The ambient bounds in the order the button reaches them from 30 °C.
std::vector<int> AmbientWalk(int ratingC) {
  const int hottest = ratingC == 60 ? 55 : ratingC == 75 ? 70 : 85;
  std::vector<int> walk;
  for (int t = 35; t <= hottest; t += 5) walk.push_back(t);
  for (int t : {10, 15, 20, 25}) walk.push_back(t);
  return walk;
}

const char* const kPfOptions[] = {"OptPF075", "OptPF08", "OptPF085", "OptPF09", "OptPF095", "OptPF1"};
const char* const kRunsOptions[] = {"OptionNOR1", "OptionNOF2", "OptionNOF3",
                                    "OptionNOF4", "OptionNOF5", "OptionNOF6"};

std::string Decimal(std::mt19937& rng, int low, int high, int decimals) {
  std::string text = std::to_string(std::uniform_int_distribution<int>(low, high)(rng));
  if (decimals > 0) {
    text += ".";
    for (int i = 0; i < decimals; ++i) text += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng));
  }
  return text;
}

bool Chance(std::mt19937& rng, double p) { return std::bernoulli_distribution(p)(rng); }

template <typename T>
const T& Pick(std::mt19937& rng, const std::vector<T>& items) {
  return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(rng)];
}

FeederInputs RandomFeeder(std::mt19937& rng) {
  FeederInputs f;
  f.singlePhase = Chance(rng, 0.35);
  f.voltage = Chance(rng, 0.85) ? Pick(rng, std::vector<std::string>{"12", "24", "48", "120", "208", "240", "277",
                                                                   "347", "480", "600", "690", "4160"})
                                : Decimal(rng, 1, 999999, 0);
  const int load = std::uniform_int_distribution<int>(0, 3)(rng);
  if (load <= 1) {
    f.load = LoadKind::Current;
    f.loadText = Decimal(rng, 0, 1500, std::uniform_int_distribution<int>(0, 2)(rng));
    if (f.loadText.find_first_not_of("0.") == std::string::npos) f.loadText = "7.5";
  } else if (load == 2) {
    f.load = LoadKind::Power;
    f.loadText = Decimal(rng, 50, 900000, std::uniform_int_distribution<int>(0, 2)(rng));
  } else {
    f.load = LoadKind::Motor;
    f.loadText = Pick(rng, f.singlePhase ? kSinglePhaseHp : kThreePhaseHp);
  }
  if (Chance(rng, 0.5)) f.pfOption = std::uniform_int_distribution<int>(0, 5)(rng);
  // A DC feeder: single phase at PF 1, no motor.
  f.dc = f.singlePhase && f.load != LoadKind::Motor && f.pfOption.value_or(5) == 5 && Chance(rng, 0.4);
  f.aluminium = Chance(rng, 0.3);
  f.pvc = Chance(rng, 0.4);
  f.insulationC = Pick(rng, std::vector<int>{60, 75, 90});
  if (Chance(rng, 0.4)) f.ambientC = Pick(rng, AmbientWalk(f.insulationC));
  f.feet = Chance(rng, 0.5);
  f.length = Decimal(rng, 1, 2500, std::uniform_int_distribution<int>(0, 1)(rng));
  if (Chance(rng, 0.25)) f.runs = std::uniform_int_distribution<int>(2, 6)(rng);
  if (Chance(rng, 0.75)) {
    const int smallest = f.runs > 1 ? 9 : (f.aluminium ? 1 : 0);
    f.areaIndex = std::uniform_int_distribution<int>(smallest, 20)(rng);
  }
  if (Chance(rng, 0.3)) {
    const int low = (f.ambientC + 4) / 5, high = f.insulationC / 5;
    if (low <= high) f.wireTempC = 5 * std::uniform_int_distribution<int>(low, high)(rng);
  }
  if (Chance(rng, 0.25)) {
    f.userR = Decimal(rng, 0, 4, 3);
    f.userX = "0." + Decimal(rng, 10, 99, 0);
  }
  f.maxVdPercent = std::uniform_real_distribution<double>(1.0, 6.0)(rng);
  f.continuous = Chance(rng, 0.3);
  // What the raceways hold: the adjustment and the raceway of the same kind as the conduit.
  f.nonlinear = Chance(rng, 0.4);
  f.wireType = static_cast<WireType>(std::uniform_int_distribution<int>(0, 2)(rng));
  if (Chance(rng, 0.5)) f.raceway = f.pvc ? Pick(rng, std::vector<Raceway>{Raceway::Pvc40, Raceway::Pvc80})
                                          : Pick(rng, std::vector<Raceway>{Raceway::Emt, Raceway::Imc, Raceway::Rmc});
  if (!f.dc && Chance(rng, 0.3)) f.neutral = Neutral{Chance(rng, 0.5) ? NeutralKind::Full : NeutralKind::None};
  return f;
}

const char* const kPrintedFields[] = {"Current",        "VdAc",          "VdAcPercent", "VdDc",      "VdDcPercent",
                                      "RdcShown",       "RacShown",      "XlShown",     "ZShown",    "AreaMm2",
                                      "FeederAmpacity", "AmbientFactor", "LoadRatio",   "WireTempC", "OperatingTempC",
                                      "VdAlt",          "VdAltPercent"};

// The driver's lines that print what ExpectSame compares.
std::string PrintedState() {
  std::string lines;
  for (const char* field : kPrintedFields) lines += "state " + std::string(field) + "\n";
  for (const char* what : {"Ampacit.forecolor", "EAWOTD.caption", "FrameVDDC.forecolor", "VDACact.forecolor",
                           "LabelUnit.caption"})
    lines += "print " + std::string(what) + "\n";
  return lines;
}

// The user's actions for the feeder with the size given, ticking between
// groups as a user's pauses would.
std::string ScriptFor(const FeederInputs& f, int area) {
  std::ostringstream s;
  auto type = [&](const char* control, const std::string& text) { s << "type " << control << " \"" << text << "\"\n"; };
  if (f.feet) s << "click CmdUnit\n";
  if (f.singlePhase) s << "click SPh\n";
  if (f.aluminium) s << "click OptAL\n";
  if (f.pvc) s << "click OptNONM\n";
  s << "tick\n";
  type("V", f.voltage);
  if (f.load == LoadKind::Motor) {
    const auto& items = f.singlePhase ? kSinglePhaseHp : kThreePhaseHp;
    const auto row = std::find(items.begin(), items.end(), f.loadText) - items.begin();
    s << "tick\nselect ComHP " << row << "\n";
  }
  if (f.pfOption) s << "click " << kPfOptions[*f.pfOption] << "\n";
  if (f.insulationC != 75) s << "click Opt" << f.insulationC << "C\n";
  if (f.ambientC != 30) {
    const auto walk = AmbientWalk(f.insulationC);
    const auto clicks = std::find(walk.begin(), walk.end(), f.ambientC) - walk.begin() + 1;
    for (int i = 0; i < clicks; ++i) s << "click AmbCmnd\n";
  }
  if (f.wireTempC) {
    for (int t = f.insulationC; t > *f.wireTempC; t -= 5) s << "spindown WOTPS\n";
  }
  s << "select ComWS " << area - (f.aluminium ? 1 : 0) << "\ntick\n";
  if (f.runs > 1) s << "click " << kRunsOptions[f.runs - 1] << "\ntick\n";
  type("L", f.length);
  if (!f.userR.empty()) type("TextACR", f.userR);
  if (!f.userX.empty()) type("TextXLR", f.userX);
  if (f.load == LoadKind::Current) type("A", f.loadText);
  if (f.load == LoadKind::Power) type("W", f.loadText);
  s << "tick\ntick\n";
  return s.str() + PrintedState();
}

class FeederDifferential : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(folder_ / "Quillet32.ini") << "1,0,24,7,0.1\r\n"; }

  // What the driver prints, as FIELD=value pairs; and, when asked, the
  // window's inputs at the end as a feeder.
  std::map<std::string, std::string> Play(const std::string& script, FeederInputs* windowFeeder = nullptr) {
    ScriptedServices services(folder_.Text());
    Program program(services, 28800, 16200);
    std::ostringstream out;
    ScriptRunner runner(program, services, out);
    program.Start();
    std::istringstream in(script);
    runner.RunAll(in);
    if (windowFeeder) *windowFeeder = FeederFromWindow(program.main);
    std::map<std::string, std::string> printed;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
      const auto eq = line.find('=');
      printed[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return printed;
  }

  FreshFolder folder_;
};

template <typename T>
T Parsed(const std::string& text) {
  T value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

void ExpectSame(const FeederNumbers& n, std::map<std::string, std::string> p, const std::string& script,
                bool dc = false) {
  SCOPED_TRACE(script);
  EXPECT_EQ(n.current, Parsed<double>(p["Current"]));
  // The drop a row reports: the DC drop for a DC feeder.
  const std::string drop = dc ? "VdDc" : "VdAc";
  EXPECT_EQ(n.drop.volts, Parsed<float>(p[drop]));
  EXPECT_EQ(n.drop.percent, Parsed<float>(p[drop + "Percent"]));
  const std::pair<const char*, float> singles[] = {
      {"VdAc", n.vdAc},         {"VdAcPercent", n.vdAcPercent},     {"RdcShown", n.rdc},
      {"RacShown", n.rac},      {"XlShown", n.xl},                  {"ZShown", n.z},
      {"AreaMm2", n.areaMm2},   {"FeederAmpacity", n.ampacity},     {"AmbientFactor", n.ambientFactor},
      {"LoadRatio", n.loadRatio}, {"WireTempC", n.wireTempC}};
  for (const auto& [field, value] : singles) EXPECT_EQ(value, Parsed<float>(p[field])) << field;
  const bool dcShown = p["FrameVDDC.forecolor"] == std::to_string(kWindowText);
  ASSERT_EQ(n.vdDc.has_value(), dcShown);
  if (dcShown) {
    EXPECT_EQ(*n.vdDc, Parsed<float>(p["VdDc"]));
    EXPECT_EQ(*n.vdDcPercent, Parsed<float>(p["VdDcPercent"]));
  }
  const bool altShown = p["VDACact.forecolor"] == std::to_string(kWindowText);
  ASSERT_EQ(n.vdAlt.has_value(), altShown);
  if (altShown) {
    EXPECT_EQ(*n.vdAlt, Parsed<float>(p["VdAlt"]));
    EXPECT_EQ(*n.vdAltPercent, Parsed<float>(p["VdAltPercent"]));
  }
  const bool melted = p["EAWOTD.caption"] == "\"melted :=)\"";
  ASSERT_EQ(!n.operatingTempC.has_value(), melted);
  if (!melted) {
    EXPECT_EQ(*n.operatingTempC, Parsed<float>(p["OperatingTempC"]));
  }
  const std::string colour = p["Ampacit.forecolor"];
  const AmpacityCheck check = colour == std::to_string(kDarkGreen) ? AmpacityCheck::Ok
                              : colour == std::to_string(kRed)     ? AmpacityCheck::Over100
                                                                   : AmpacityCheck::Over80;
  EXPECT_EQ(n.check, check);
  EXPECT_EQ(n.perKm, p["LabelUnit.caption"] == "\"  km  \"");
}

// The feeder written into a row of every input column, as "Add this feeder"
// writes it, and read back.
FeederInputs ThroughCells(const FeederInputs& feeder, bool decimalComma) {
  std::vector<std::string> header, cells;
  for (const InputColumn& column : InputColumns()) {
    header.push_back(column.name);
    cells.push_back(column.cell(feeder, decimalComma));
  }
  const auto read = ReadFeeder(cells, 2, ScheduleLayout(header), {}, DecimalMark{decimalComma, true});
  if (const auto* error = std::get_if<std::string>(&read)) {
    ADD_FAILURE() << *error;
    return {};
  }
  return std::get<FeederInputs>(read);
}

// Each feeder's numbers are the driver's, and the window it leaves, read back
// as a feeder (through a row's cells, in either decimal mark), gives them again.
TEST_F(FeederDifferential, EveryNumberIsWhatTheDriverPrintsAfterTheSameActions) {
  std::mt19937 rng(20261207);
  int compared = 0, found = 0;
  for (int i = 0; i < 400; ++i) {
    const FeederInputs feeder = RandomFeeder(rng);
    const FeederResult result = EvaluateFeeder(feeder);
    if (result.error) {
      // Only a current the window rounds to 0 may stop a valid feeder.
      EXPECT_EQ(result.error->reason, "the window shows 0 A here and computes nothing") << "feeder " << i;
      EXPECT_EQ(Play(ScriptFor(feeder, feeder.areaIndex.value_or(9)) + "state Current\n")["Current"], "0");
      continue;
    }
    if (!result.numbers) continue;  // no size fits
    if (!feeder.areaIndex) ++found;
    // A supply's load takes the row's current as its window shows it.
    const auto unit = FeederEngine().UnitLoadCurrent(feeder);
    ASSERT_TRUE(std::holds_alternative<double>(unit)) << "feeder " << i;
    EXPECT_EQ(std::get<double>(unit), result.numbers->current) << "feeder " << i;
    const std::string script = ScriptFor(feeder, *result.areaUsed);
    FeederInputs readBack;
    const auto printed = Play(script, &readBack);
    ExpectSame(*result.numbers, printed, script, feeder.dc);
    // The design's ampacity is the window's, adjusted and held to the terminals.
    const FeederDesign& design = *result.design;
    const float shown = Parsed<float>(printed.at("FeederAmpacity"));
    EXPECT_LE(design.unadjustedAmpacity, shown) << script;
    EXPECT_EQ(design.designAmpacity,
              static_cast<float>(std::min(static_cast<double>(shown) * design.basis.adjustmentPercent / 100,
                                          static_cast<double>(design.unadjustedAmpacity))))
        << script;
    // The window's effective-impedance drop is never above the exact one.
    if (result.numbers->vdExactPercent) {
      EXPECT_GE(*result.numbers->vdExactPercent, result.numbers->vdAcPercent * (1 - 1e-5f)) << script;
    }
    EXPECT_EQ(ThroughCells(readBack, i % 2 == 1), readBack) << script;
    const FeederResult again = EvaluateFeeder(readBack);
    ASSERT_FALSE(again.error) << again.error->reason << "\n" << script;
    EXPECT_EQ(again.sizedBy, SizedBy::Given);
    ExpectSame(*again.numbers, printed, script);
    ++compared;
  }
  EXPECT_GT(compared, 300);
  EXPECT_GT(found, 30);
}

// The fault current's conductor figures are the window's own: its AC
// resistance per km with the set temperature spun down to 25 °C, and its
// reactance, for the size the row used, whatever the row's own set
// temperature and ambient.
TEST_F(FeederDifferential, ColdResistanceIsWhatTheWindowShowsAt25C) {
  std::mt19937 rng(20261231);
  int compared = 0;
  for (int i = 0; i < 60; ++i) {
    const FeederInputs feeder = RandomFeeder(rng);
    const FeederResult result = EvaluateFeeder(feeder);
    if (result.error || !result.numbers) continue;
    FeederInputs cold = feeder;
    cold.ambientC = 25;
    cold.wireTempC = 25;
    const std::string script = ScriptFor(cold, *result.areaUsed) + "state RacKm\nstate XlKm\nstate Runs\n";
    auto printed = Play(script);
    SCOPED_TRACE(script);
    EXPECT_EQ(printed["WireTempC"], "25");
    EXPECT_EQ(result.numbers->racPerKmCold, Parsed<float>(printed["RacKm"]));
    EXPECT_EQ(result.numbers->xlPerKm, Parsed<double>(printed["XlKm"]));
    EXPECT_EQ(feeder.runs, Parsed<int>(printed["Runs"]));
    ++compared;
  }
  EXPECT_GT(compared, 40);
}

// Window states reached in ways the engine's own sequence never takes.
TEST_F(FeederDifferential, WindowStatesReachedByOtherPathsReadBackTheSame) {
  const struct {
    const char* name;
    const char* actions;
  } cases[] = {
      {"power typed, then the field left", "type W \"1500.5\"\ntick\nfocus L\ntick\n"},
      {"current reformatted on leaving", "type A \"12.345\"\nfocus V\ntick\n"},
      {"motor picked, then its power factor changed", "type V \"480\"\ntick\nselect ComHP 10\nclick OptPF095\ntick\n"},
      {"one user parameter alone is not used", "type TextACR \"0.5\"\ntick\n"},
      {"user parameters in feet", "click CmdUnit\ntype TextACR \"0.3\"\ntype TextXLR \"0.05\"\ntick\n"},
      {"user parameter refused after one was given",
       "type TextACR \"0.3\"\ntype TextXLR \"0.05\"\ntype TextXLR \"5\"\ntick\n"},
      {"ambient walked and the set temperature stepped",
       "click Opt90C\nclick AmbCmnd\nclick AmbCmnd\nspindown WOTPS\nspindown WOTPS\ntick\n"},
      {"aluminium in parallel runs", "click OptAL\nselect ComWS 12\ntick\nclick OptionNOF3\ntype A \"700\"\ntick\n"},
      {"single phase at a decimal voltage", "click SPh\ntype V \"0.75\"\ntype A \"2\"\ntick\n"},
      {"length left as a non-number", "type L \".\"\ntick\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string script = std::string(c.actions) + "tick\ntick\n" + PrintedState();
    FeederInputs readBack;
    const auto printed = Play(script, &readBack);
    // The window computes a zero length; a schedule's row refuses it.
    if (readBack.length != "0") {
      EXPECT_EQ(ThroughCells(readBack, false), readBack);
    }
    const FeederResult result = EvaluateFeeder(readBack);
    ASSERT_FALSE(result.error) << result.error->reason;
    ExpectSame(*result.numbers, printed, script);
  }
}

// Random distribution trees whose panels give no load of their own: the
// rows below a panel, each the kind a panel schedule lists.
class TreeMaker {
 public:
  explicit TreeMaker(std::uint32_t seed) : rng_(seed) {}

  static std::vector<std::string> Header() {
    return {"tag", "system", "voltage", "current", "power", "motor_hp", "material", "conduit", "length", "unit",
            "fed_from", "load_class", "qty", "legs", "continuous", "source_ka", "xfmr_kva", "xfmr_z_pct"};
  }

  std::vector<std::vector<std::string>> Make() {
    rows_.clear();
    const int kind = std::uniform_int_distribution<int>(0, 2)(rng_);
    Panel("", kind == 2, kind == 0 ? "480" : kind == 1 ? "208" : "240", 0);
    return rows_;
  }

 private:
  std::string Tag() { return "R" + std::to_string(rows_.size() + 1); }

  std::vector<std::string>& Row(const std::string& fedFrom, bool singlePhase, const std::string& volts) {
    rows_.push_back({Tag(), singlePhase ? "1" : "3", volts, "", "", "", Chance(rng_, 0.3) ? "al" : "cu",
                     Chance(rng_, 0.4) ? "pvc" : "steel", Decimal(rng_, 10, 300, 0), "ft", fedFrom, "", "", "", "",
                     "", "", ""});
    return rows_.back();
  }

  // A three-phase service gives its utility's fault current; a
  // single-phase one, and a panel after a transformer, its transformer.
  // Taken from the row's place, so the trees are those of the seeds.
  void Panel(const std::string& fedFrom, bool singlePhase, const std::string& volts, int depth,
             bool throughTransformer = false) {
    auto& panel = Row(fedFrom, singlePhase, volts);
    const std::string tag = panel[0];
    const std::size_t at = rows_.size() % 4;
    if (fedFrom.empty() && !singlePhase) panel[15] = std::vector<std::string>{"10", "22", "42", "65"}[at];
    if ((fedFrom.empty() && singlePhase) || throughTransformer) {
      panel[16] = std::vector<std::string>{"25", "50", "75", "150"}[at];
      panel[17] = std::vector<std::string>{"1.5", "2", "3.5", "5.75"}[at];
    }
    const int loads = std::uniform_int_distribution<int>(2, 5)(rng_);
    for (int i = 0; i < loads; ++i) {
      if (depth < 2 && Chance(rng_, 0.25)) {
        // A sub-panel, through a transformer from 480 V.
        const bool stepDown = !singlePhase && volts == "480" && Chance(rng_, 0.5);
        Panel(tag, singlePhase, stepDown ? "208" : volts, depth + 1, stepDown);
      } else {
        Load(tag, singlePhase, volts);
      }
    }
  }

  void Load(const std::string& fedFrom, bool panelSinglePhase, const std::string& volts) {
    const std::string lineToNeutral = volts == "480" ? "277" : "120";
    const int shape = std::uniform_int_distribution<int>(0, 2)(rng_);
    const bool singlePhase = panelSinglePhase || shape > 0;
    auto& row = Row(fedFrom, singlePhase, shape == 1 ? lineToNeutral : volts);
    const int load = std::uniform_int_distribution<int>(0, 4)(rng_);
    if (load == 0) {
      row[5] = Pick(rng_, singlePhase ? std::vector<std::string>{"1/2", "1", "2", "3"}
                                      : std::vector<std::string>{"1", "5", "10", "15"});
    } else if (load == 1 && row[2] == "120") {
      row[11] = "receptacle";
      row[12] = std::to_string(std::uniform_int_distribution<int>(1, 40)(rng_));
    } else {
      row[load == 2 ? 4 : 3] = load == 2 ? Decimal(rng_, 100, 9000, 0) : Decimal(rng_, 1, 40, 1);
      row[11] = Pick(rng_, std::vector<std::string>{"", "lighting", "heating", "kitchen", "other"});
      if (Chance(rng_, 0.3)) row[12] = std::to_string(std::uniform_int_distribution<int>(2, 4)(rng_));
      if (Chance(rng_, 0.3)) row[14] = Chance(rng_, 0.5) ? "yes" : "no";
    }
    if (singlePhase && !panelSinglePhase && Chance(rng_, 0.6))
      row[13] = shape == 1 ? Pick(rng_, std::vector<std::string>{"A", "B", "C"})
                           : Pick(rng_, std::vector<std::string>{"AB", "BC", "CA"});
  }

  std::mt19937 rng_;
  std::vector<std::vector<std::string>> rows_;
};

// A panel that takes its load from the rows it feeds shows what the same
// row shows with that current typed into the window.
TEST_F(FeederDifferential, APanelsLoadIsItsCalculatedCurrentTyped) {
  const ScheduleLayout layout(TreeMaker::Header());
  const DecimalMark mark{false, true};
  FeederEngine engine;
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 16; ++seed) {
    const auto rows = TreeMaker(seed).Make();
    std::vector<TreeRow> treeRows;
    for (std::size_t r = 0; r < rows.size(); ++r)
      treeRows.push_back(ReadTreeRow(rows[r], static_cast<int>(r) + 2, layout, {}, mark));
    const DistributionTree tree(std::move(treeRows));
    const RolledLoads loads = RollUpLoads(tree, [&](std::size_t r) {
      return UnitCurrentOf(engine, rows[r], static_cast<int>(r) + 2, layout, {}, mark);
    });
    std::vector<EvaluatedRow> done(rows.size());
    for (const auto& level : tree.Levels())
      for (std::size_t r : level) {
        const auto supply = tree.SupplyOf(r);
        const SupplyPath path = tree.PathOf(r, supply ? EndOf(done[*supply]) : PathEnd{});
        done[r] = EvaluateRow(engine, rows[r], static_cast<int>(r) + 2, layout, {}, mark, path, loads.Of(r));
      }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      // Every path starts at a source or a transformer: every row has its fault current.
      if (done[r].error.empty()) {
        EXPECT_TRUE(done[r].fault) << "seed " << seed << ", " << rows[r][0] << ": " << done[r].faultNote;
      }
      const RowLoad* load = loads.Of(r);
      if (!load || !load->fromSubtree) continue;
      SCOPED_TRACE("seed " + std::to_string(seed) + ", " + rows[r][0]);
      ASSERT_EQ(done[r].error, "");
      if (!done[r].result->numbers) continue;  // no size fits
      FeederInputs typed = std::get<FeederInputs>(ReadFeeder(rows[r], static_cast<int>(r) + 2, layout, {}, mark));
      typed.load = LoadKind::Current;
      typed.loadText = ExactText(load->current);
      const std::string script = ScriptFor(typed, *done[r].result->areaUsed);
      ExpectSame(*done[r].result->numbers, Play(script), script);
      EXPECT_EQ(done[r].result->design->basis.designCurrent, load->designCurrent);
      ++compared;
    }
  }
  EXPECT_GT(compared, 30);
}

}  // namespace
}  // namespace quillet
