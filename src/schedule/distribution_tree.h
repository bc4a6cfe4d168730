// A schedule as a distribution tree: each row's `fed_from` names the row
// whose load end supplies it. The tree finds each row's supply and what is
// wrong with a reference, an order in which every supply comes before the
// rows it feeds, whether a transformer lies between, and the drops along a
// path: a row's own drop is held to what the path above leaves of its total
// limit, and its total is its own drop plus its supply's.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "schedule/decimal_mark.h"
#include "schedule/feeder.h"

namespace quillet {

class ScheduleLayout;

// What the tree keeps of a row: no more than the references and the
// transformer rule need, so a long schedule stays small.
struct TreeRow {
  std::string tag;      // without the blanks around it
  std::string fedFrom;  // likewise; empty at the top of a path
  int line = 0;
  double volts = 0;  // 0 when the row cannot be read (it then has an error of its own)
  bool singlePhase = false;
  std::optional<bool> viaTransformer;  // as the row says; none: from the voltages
  // What the loads of the rows above take from the row.
  bool loadGiven = false;  // current, power or horsepower
  UnitLoad load = {};      // its class, quantity and continuity; the volt-amperes come from the window
  Occupancy occupancy = Occupancy::Other;
  std::optional<Legs> legs = {};
};

TreeRow ReadTreeRow(const std::vector<std::string>& cells, int line, const ScheduleLayout& layout,
                    const ScheduleDefaults& defaults, DecimalMark mark);

// Whether a transformer lies between the supply and the row: as the row
// says, else whenever the row's voltage is neither the supply's nor its
// line-to-neutral voltage; never where either cannot be read.
bool ThroughTransformer(const TreeRow& supply, const TreeRow& row);

// What a row hands down to the rows it feeds, once evaluated.
struct PathEnd {
  bool error = false;
  float totalPercent = 0;
};

// What a row's evaluation takes from the path above it.
struct SupplyPath {
  std::optional<FeederError> problem;  // the row cannot be evaluated: a reference, or its supply's error
  float abovePercent = 0;              // the drop above the row's supply end; 0 where a path starts

  bool operator==(const SupplyPath&) const = default;
};

class DistributionTree {
 public:
  explicit DistributionTree(std::vector<TreeRow> rows);

  std::size_t Size() const { return rows_.size(); }
  const TreeRow& Row(std::size_t row) const { return rows_[row]; }
  // The row its fed_from names, when that is exactly one other row and no loop.
  std::optional<std::size_t> SupplyOf(std::size_t row) const;
  bool ViaTransformer(std::size_t row) const;
  // What is wrong with the row's reference; "" when nothing.
  const std::string& ReferenceError(std::size_t row) const { return referenceErrors_[row]; }
  // The rows a row feeds, and the rows fed by no row of the tree, in input order.
  std::vector<std::size_t> FedBy(std::size_t row) const;
  bool FeedsOthers(std::size_t row) const { return fedFirst_[row + 1] > fedFirst_[row]; }
  std::vector<std::size_t> Tops() const;
  // The rows in groups: each row's supply lies in an earlier group, so the
  // rows of a group can be evaluated at once. Input order within a group.
  const std::vector<std::vector<std::size_t>>& Levels() const { return levels_; }

  // The path the row is evaluated with, its supply (if any) evaluated.
  SupplyPath PathOf(std::size_t row, const PathEnd& supply) const;

 private:
  void FindSupplies();
  void BreakLoops();
  void Arrange();
  std::string LinesWithTag(std::size_t first) const;

  std::vector<TreeRow> rows_;
  std::vector<std::size_t> supply_;   // kNone where the row has no supply in the tree
  std::vector<std::size_t> sameTag_;  // the next row with the same tag, or kNone
  std::vector<std::string> referenceErrors_;
  std::vector<std::size_t> fedFirst_, fed_;  // the rows each row feeds: fed_[fedFirst_[r] .. fedFirst_[r + 1])
  std::vector<std::vector<std::size_t>> levels_;
};

// The drop a row reports as its own, in percent: the AC drop (the DC drop
// for a DC row). None when the row has no figures.
std::optional<float> ReportedDropPercent(const FeederResult& result);

// What the row's own drop is held to: its own limit, or what the path above
// leaves of its total limit when that is less.
double DropLimit(double maxVdPercent, double maxTotalPercent, float abovePercent);
// The drop from the top of the path to the row's load end.
float TotalDrop(float ownPercent, float abovePercent);

}  // namespace quillet
