// One calculator kept for many feeders: brought back between them to exactly
// the state a fresh one starts in, and giving a schedule byte for byte what
// a fresh calculator for every row gives.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/elcal.h"
#include "platform/desktop.h"
#include "platform/menu.h"
#include "schedule/columns.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"
#include "schedule/schedule.h"
#include "state_text.h"

namespace quillet {
namespace {

// Random rows of every kind: sizes given and found, currents, powers and
// motors, aluminium, parallel runs, the user's R and X, hot ambients; and
// values the window refuses with a box (a length beyond its range), that no
// size fits, or that its lists lack.
class RandomRows {
 public:
  explicit RandomRows(unsigned seed) : rng_(seed) {}

  static std::string Header() {
    return "tag,system,voltage,current,power,motor_hp,pf,material,conduit,insulation,ambient,wire_temp,length,"
           "unit,runs,size,user_r,user_x,max_vd_pct,continuous,ocpd";
  }

  std::string Row(int n) {
    const std::string system = Pick({"3", "3", "1", "1", "DC"});
    const bool threePhase = system == "3";
    std::string current, power, motor;
    switch (Whole(0, 3)) {
      case 0: power = Decimal(50, 900000); break;
      case 1: motor = threePhase ? Pick({"1/2", "5", "10", "25", "50", "100", "200"}) : Pick({"1/6", "1", "5", "10"}); break;
      default: current = Chance(0.95) ? Decimal(1, 1500) : Pick({"0.004", "3000", "50000000"}); break;
    }
    const int rating = Pick({60, 75, 90});
    std::vector<std::string> cells = {
        "R" + std::to_string(n),
        system,
        Pick({"24", "120", "208", "240", "277", "480", "480", "600", "4160", "13800"}),
        current,
        power,
        motor,
        Chance(0.4) ? Pick({"0.75", "0.8", "0.85", "0.9", "0.95", "1", "1"}) : "",
        Chance(0.3) ? "al" : "cu",
        Chance(0.4) ? "pvc" : "steel",
        std::to_string(rating),
        Chance(0.3) ? std::to_string(5 * Whole(2, rating == 60 ? 12 : 18)) : "",
        Chance(0.2) ? std::to_string(5 * Whole(6, rating / 5)) : "",
        Chance(0.97) ? Decimal(1, 2500) : Pick({"150000", "99999"}),
        Chance(0.5) ? "ft" : "m",
        Chance(0.25) ? std::to_string(Whole(2, 6)) : "",
        Chance(0.5) ? Pick({"12", "10", "6", "2", "1/0", "4/0", "350", "600", "1000"}) : "",
        "",
        "",
        Chance(0.3) ? Pick({"1", "2", "5"}) : "",
        Chance(0.3) ? "yes" : "",
        Chance(0.1) ? Pick({"20", "400", "1200"}) : "",
    };
    if (Chance(0.2)) {
      cells[16] = Decimal(0, 3);
      cells[17] = "0.0" + std::to_string(Whole(10, 99));
    }
    std::string line;
    for (const std::string& cell : cells) line += (line.empty() ? "" : ",") + cell;
    return line;
  }

  std::mt19937& Engine() { return rng_; }

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  int Whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  template <typename T>
  T Pick(std::initializer_list<T> items) {
    return items.begin()[Whole(0, static_cast<int>(items.size()) - 1)];
  }
  std::string Pick(std::initializer_list<const char*> items) { return Pick<const char*>(items); }
  std::string Decimal(int low, int high) {
    std::string text = std::to_string(Whole(low, high));
    if (Chance(0.5)) text += "." + std::to_string(Whole(0, 9));
    return text;
  }

  std::mt19937 rng_;
};

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> cells;
  std::istringstream in(line);
  for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
  if (!line.empty() && line.back() == ',') cells.push_back("");
  return cells;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += item + "|";
  return text;
}

// Everything a later feeder's entry could meet, one line each: every field
// of the state, every control's values, the window's own and the desktop's.
std::vector<std::string> Seen(const Elcal& w) {
  std::vector<std::string> seen;
  ElcalState state = w.state;
  for (const StateField& field : StateFields(state))
    seen.push_back(std::string(field.name) + "=" + FieldText(field.ref));
  for (const Control* c : w.Controls()) {
    const Bounds& at = c->Place();
    std::string line = c->Name() + ": caption=" + c->Caption() + " colour=" + std::to_string(c->ForeColor()) +
                       " enabled=" + std::to_string(c->Enabled()) + " visible=" + std::to_string(c->Visible()) +
                       " tip=" + c->ToolTip() + " at=" + std::to_string(at.left) + "," + std::to_string(at.top) +
                       "," + std::to_string(at.width) + "," + std::to_string(at.height);
    if (const auto* box = dynamic_cast<const TextBox*>(c))
      line += " text=" + box->Text() + "@" + std::to_string(box->SelStart()) + "+" + std::to_string(box->SelLength());
    if (const auto* list = dynamic_cast<const ComboBox*>(c))
      line += " items=" + Joined(list->Items()) + " index=" + std::to_string(list->ListIndex());
    if (const auto* option = dynamic_cast<const OptionButton*>(c)) line += " value=" + std::to_string(option->Value());
    if (const auto* check = dynamic_cast<const CheckBox*>(c)) line += " value=" + std::to_string(check->Value());
    if (const auto* timer = dynamic_cast<const Timer*>(c)) line += " interval=" + std::to_string(timer->Interval());
    if (const auto* menu = dynamic_cast<const Menu*>(c))
      line += " anchor=" + (menu->Anchor() ? menu->Anchor()->Name() : "") + " items=" + std::to_string(menu->Items().size());
    seen.push_back(line);
  }
  seen.push_back("focus=" + (w.Focused() ? w.Focused()->Name() : std::string()));
  seen.push_back("window: caption=" + static_cast<const Window&>(w).Caption() + " at=" + std::to_string(w.Left()) + "," + std::to_string(w.Top()) +
                 "," + std::to_string(w.Width()) + "," + std::to_string(w.Height()) +
                 " state=" + std::to_string(static_cast<int>(w.State())) + " shown=" + std::to_string(w.Shown()) +
                 " modal=" + std::to_string(w.Modal()));
  seen.push_back("desktop: busy=" + std::to_string(w.Screen().Busy()) + " front=" +
                 std::to_string(w.Screen().Front() == &w) + " ticking=" + std::to_string(w.Screen().Ticking() != nullptr));
  return seen;
}

// The lines that differ, for a readable failure.
std::string Unlike(const std::vector<std::string>& seen, const std::vector<std::string>& fresh) {
  std::string text;
  for (std::size_t i = 0; i < std::min(seen.size(), fresh.size()); ++i)
    if (seen[i] != fresh[i]) text += "  " + seen[i] + "\n  fresh: " + fresh[i] + "\n";
  return text;
}

TEST(FeederEngine, AResetCalculatorIsAFreshOneAfterAnyRows) {
  const ScheduleLayout layout(Split(RandomRows::Header()));
  RandomRows rows(20261208);
  const std::vector<std::string> fresh = Seen(FeederEngine().Window());
  FeederEngine engine;
  ASSERT_EQ(Unlike(Seen(engine.Window()), fresh), "");
  int boxes = 0, motors = 0, noFit = 0, evaluated = 0, sequences = 0;
  for (int n = 0; sequences < 150; ++sequences) {
    const int count = std::uniform_int_distribution<int>(1, 5)(rows.Engine());
    for (int i = 0; i < count; ++i, ++n) {
      const auto read = ReadFeeder(Split(rows.Row(n)), n + 2, layout, {}, DecimalMark{});
      if (!std::holds_alternative<FeederInputs>(read)) continue;
      const FeederInputs& feeder = std::get<FeederInputs>(read);
      const FeederResult result = engine.Evaluate(feeder);
      boxes += result.error && result.error->reason.starts_with("the window says");
      noFit += result.noFit.has_value();
      motors += feeder.load == LoadKind::Motor && result.numbers;
      evaluated += result.numbers.has_value();
    }
    const std::vector<std::string> left = Seen(engine.Window());
    engine.Reset();
    EXPECT_EQ(Unlike(Seen(engine.Window()), fresh), "") << "after rows up to " << n;
    if (sequences == 0) {
      EXPECT_NE(left, fresh) << "a feeder leaves its values in the window";
    }
  }
  EXPECT_GT(boxes, 5);
  EXPECT_GT(motors, 20);
  EXPECT_GT(noFit, 5);
  EXPECT_GT(evaluated, 200);
}

std::string Scheduled(const std::string& csv, int jobs) {
  std::istringstream in(csv);
  std::ostringstream out;
  RunSchedule(in, out, {}, jobs);
  return out.str();
}

// Each row alone, a schedule of its own, which starts a calculator for it;
// at its own line, after blank ones, so its errors name the same line.
std::string ScheduledRowByRow(const std::vector<std::string>& lines) {
  std::string output;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string alone = lines[0] + "\n" + std::string(i - 1, '\n') + lines[i] + "\n";
    const std::string written = Scheduled(alone, 1);
    const std::size_t header = written.find('\n') + 1;
    if (i == 1) output = written.substr(0, header);
    output += written.substr(header);
  }
  return output;
}

TEST(FeederEngine, AScheduleGivesTheBytesOfAFreshCalculatorForEveryRow) {
  RandomRows rows(20261209);
  std::vector<std::string> lines = {RandomRows::Header()};
  for (int n = 0; n < 2000; ++n) lines.push_back(rows.Row(n));
  std::string csv;
  for (const std::string& line : lines) csv += line + "\n";
  const std::string fresh = ScheduledRowByRow(lines);
  EXPECT_EQ(Scheduled(csv, 1), fresh);
  EXPECT_EQ(Scheduled(csv, 2), fresh);
  EXPECT_NE(fresh.find(": no size fits"), std::string::npos);
  EXPECT_NE(fresh.find("the window says"), std::string::npos);
}

}  // namespace
}  // namespace quillet
