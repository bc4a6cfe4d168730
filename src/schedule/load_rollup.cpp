#include "schedule/load_rollup.h"

#include <string>
#include <utility>

#include "core/numbers.h"
#include "schedule/cell_text.h"
#include "schedule/distribution_tree.h"

namespace quillet {
namespace {

// What a supply has gathered from the rows it feeds.
struct Gathered {
  LoadSum sum;
  // The row named for a load with an error: of those that have one, the
  // first tag in alphabetical order, so the text does not depend on the
  // order of the rows.
  std::optional<std::size_t> failed;
  bool waiting = false;
};

// What a row hands its supply: its loads, or why it cannot.
struct Handed {
  LoadSum sum;
  bool failed = false;
  bool waiting = false;
};

// A row's own load in volt-amperes for one unit: its current at its
// voltage, or the yoke of a receptacle that gives none.
double UnitVoltAmperes(bool loadGiven, double unitAmperes, double volts, bool threePhase) {
  return loadGiven ? VoltAmperes(unitAmperes, volts, threePhase) : kReceptacleVaPerYoke;
}

std::string Named(const TreeRow& row) {
  const std::string line = "line " + std::to_string(row.line);
  return row.tag.empty() ? line : row.tag + " (" + line + ")";
}

// A single-phase feeder's legs must be legs of a three-phase supply, and of
// the kind its voltage makes it: across two lines at the supply's voltage,
// on one at its line-to-neutral voltage.
std::optional<FeederError> LegsError(const DistributionTree& tree, std::size_t r) {
  const TreeRow& row = tree.Row(r);
  if (!row.legs) return std::nullopt;
  if (!row.singlePhase) return FeederError{Column::Legs, "a three-phase row draws on all three legs"};
  const auto supply = tree.SupplyOf(r);
  if (!supply || tree.Row(*supply).singlePhase || tree.Row(*supply).volts == 0)
    return FeederError{Column::Legs, "the row is not fed from a three-phase row"};
  if (tree.ViaTransformer(r)) return std::nullopt;
  const double supplyVolts = tree.Row(*supply).volts;
  const bool lineToLine = row.volts == supplyVolts;
  if (LineToLine(*row.legs) == lineToLine) return std::nullopt;
  const std::string what = "a " + ExactText(row.volts) + " V row on a " + ExactText(supplyVolts) + " V supply is ";
  return FeederError{Column::Legs, what + (lineToLine ? "line-to-line: AB, BC or CA" : "line-to-neutral: A, B or C")};
}

std::optional<FeederError> LoadColumnsError(const DistributionTree& tree, std::size_t r) {
  if (tree.Row(r).volts == 0) return std::nullopt;  // the row has an error of its own
  if (tree.FeedsOthers(r) && tree.Row(r).load.quantity != 1)
    return FeederError{Column::Qty, "a row that feeds others stands for one feeder: 1"};
  return LegsError(tree, r);
}

// A row's own load, for one unit and as many units as it stands for.
Handed OwnLoad(const TreeRow& row, const UnitCurrent& unit) {
  Handed handed;
  if (unit.state == UnitCurrent::State::Waiting) handed.waiting = true;
  else if (unit.state == UnitCurrent::State::Refused) handed.failed = true;
  else
    handed.sum.Add(UnitLoad{row.load.loadClass, UnitVoltAmperes(row.loadGiven, unit.amperes, row.volts, !row.singlePhase),
                            row.load.quantity, row.load.continuous});
  return handed;
}

// The loads a row takes from the rows it feeds, and what it hands on when
// it takes its load from them.
void Gather(const DistributionTree& tree, std::size_t r, Gathered& below, RowLoad& load, Handed& handed) {
  const TreeRow& row = tree.Row(r);
  // A row that cannot be read has an error of its own, and no voltage.
  if (row.volts == 0) return;
  load.fromSubtree = !row.loadGiven;
  if (below.failed) {
    if (load.fromSubtree)
      load.below = FeederError{Column::Current, "its load " + Named(tree.Row(*below.failed)) + " has an error"};
  } else if (below.waiting) {
    load.waiting = true;
  } else {
    const CalculatedLoad served = Calculate(below.sum, row.occupancy);
    load.served = served;
    const bool threePhase = !row.singlePhase;
    load.current = LineCurrent(served.calculatedVa, served.calculatedLegs, row.volts, threePhase);
    load.designCurrent = LineCurrent(served.designVa, served.designLegs, row.volts, threePhase);
  }
  if (!load.fromSubtree) return;
  handed.failed = handed.failed || load.below.has_value();
  handed.waiting = load.waiting;
  if (!handed.failed && !handed.waiting) handed.sum = std::move(below.sum);
}

// Where the row's loads draw on its supply: a single-phase feeder of a
// three-phase supply on its legs; a three-phase transformer evenly.
void PlaceForSupply(const DistributionTree& tree, std::size_t r, const TreeRow& supply, LoadSum& sum) {
  const TreeRow& row = tree.Row(r);
  if (row.singlePhase && !supply.singlePhase) sum.PlaceOn(row.legs);
  else if (!row.singlePhase && tree.ViaTransformer(r)) sum.Spread();
}

}  // namespace

const RowLoad* RolledLoads::Of(std::size_t row) const {
  const auto found = loads_.find(row);
  return found == loads_.end() ? nullptr : &found->second;
}

bool NeedsUnitCurrent(const DistributionTree& tree, std::size_t row) {
  return tree.SupplyOf(row) && tree.Row(row).volts != 0 && tree.Row(row).loadGiven;
}

bool TakeLoadFromRules(FeederInputs& inputs, const RowLoad* load) {
  double amperes = 0;
  if (load && load->fromSubtree) {
    amperes = load->current;
    inputs.designCurrent = load->designCurrent;
  } else if (inputs.loadClass == LoadClass::Receptacle) {
    amperes = LineCurrent(kReceptacleVaPerYoke, std::nullopt, NumberValue(inputs.voltage), !inputs.singlePhase);
  } else {
    return false;
  }
  inputs.load = LoadKind::Current;
  inputs.loadText = ExactText(amperes);
  return true;
}

CalculatedLoad OwnServed(const FeederInputs& inputs, bool loadGiven, double unitAmperes) {
  LoadSum own;
  own.Add(UnitLoad{inputs.loadClass,
                   UnitVoltAmperes(loadGiven, unitAmperes, NumberValue(inputs.voltage), !inputs.singlePhase),
                   inputs.quantity, inputs.continuous});
  return Calculate(own, inputs.occupancy);
}

RolledLoads RollUpLoads(const DistributionTree& tree, const std::function<UnitCurrent(std::size_t)>& unitCurrent) {
  RolledLoads out;
  std::unordered_map<std::size_t, Gathered> gathered;
  const auto& levels = tree.Levels();
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
    for (const std::size_t r : *level) {
      const TreeRow& row = tree.Row(r);
      const bool feeds = tree.FeedsOthers(r);
      const auto supply = tree.SupplyOf(r);
      RowLoad load;
      load.own = LoadColumnsError(tree, r);
      Handed handed;
      if (row.volts == 0 || load.own) {
        handed.failed = true;
      } else if (row.loadGiven) {
        if (NeedsUnitCurrent(tree, r)) {
          const UnitCurrent unit = unitCurrent(r);
          load.own = unit.refusal;
          handed = OwnLoad(row, unit);
        }
      } else if (!feeds) {
        // No load given, and none from rows below: only a receptacle's yoke.
        if (row.load.loadClass == LoadClass::Receptacle) handed = OwnLoad(row, {UnitCurrent::State::Known, 0});
        else handed.failed = true;
      }
      if (feeds) {
        Gathered below;
        if (auto found = gathered.find(r); found != gathered.end()) {
          below = std::move(found->second);
          gathered.erase(found);
        }
        Gather(tree, r, below, load, handed);
      }
      if (feeds || load.own) out.loads_[r] = load;
      if (!supply || tree.Row(*supply).volts == 0) continue;
      Gathered& into = gathered[*supply];
      if (handed.failed) {
        const auto before = [&](std::size_t a, std::size_t b) {
          return std::pair(tree.Row(a).tag, tree.Row(a).line) < std::pair(tree.Row(b).tag, tree.Row(b).line);
        };
        if (!into.failed || before(r, *into.failed)) into.failed = r;
      } else if (handed.waiting) {
        into.waiting = true;
      } else {
        PlaceForSupply(tree, r, tree.Row(*supply), handed.sum);
        into.sum.Add(handed.sum);
      }
    }
  }
  return out;
}

}  // namespace quillet
