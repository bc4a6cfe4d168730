// The loads flow up the distribution tree before the sizes and drops come
// down it: a row that feeds others collects the loads of every row it
// serves, through sub-panels and transformers, as connected loads, and the
// load rules (design/loads.h) are applied once to that whole. A row that
// gives its own load stands for everything below it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <unordered_map>

#include "design/loads.h"
#include "schedule/feeder.h"

namespace quillet {

class DistributionTree;
struct TreeRow;

// A row's load current for one unit, as the window found it.
struct UnitCurrent {
  enum class State { Waiting, Known, Refused };
  State state = State::Waiting;
  double amperes = 0;
  // What the window refused; none when the row cannot even be read.
  std::optional<FeederError> refusal = {};
};

// What a row's load is, from the rows it feeds.
struct RowLoad {
  // load_from: the row gives no load of its own and takes the subtree's.
  bool fromSubtree = false;
  // The loads it serves; none while one of them waits or has an error.
  std::optional<CalculatedLoad> served = {};
  // The line and design currents of what it serves, at the row's voltage:
  // what the calculator is given for a row that takes its load from them.
  double current = 0, designCurrent = 0;
  // The row's own legs or quantity, or its load the window refused.
  std::optional<FeederError> own = {};
  // One of the loads it serves has an error: its load cannot be found.
  std::optional<FeederError> below = {};
  bool waiting = false;  // a unit current below is not found yet

  bool operator==(const RowLoad&) const = default;
};

class RolledLoads {
 public:
  // The row's, where it feeds others or something is wrong with its own
  // load; none for a row whose load is its own alone.
  const RowLoad* Of(std::size_t row) const;

 private:
  friend RolledLoads RollUpLoads(const DistributionTree&, const std::function<UnitCurrent(std::size_t)>&);
  std::unordered_map<std::size_t, RowLoad> loads_;
};

// Whether the rows above need the window's load current of this row.
bool NeedsUnitCurrent(const DistributionTree& tree, std::size_t row);

// Deepest rows first, so each row has everything below it before its
// supply takes it.
RolledLoads RollUpLoads(const DistributionTree& tree, const std::function<UnitCurrent(std::size_t)>& unitCurrent);

// Gives a row that gives no load the current a rule gives it, in the text
// a person would type: the rows it feeds (with the design current they ask
// for), or a receptacle's yoke. False when no rule gives it one.
bool TakeLoadFromRules(FeederInputs& inputs, const RowLoad* load);

// What a row that feeds no others serves: its own units, from the current
// the window showed for one (a receptacle's yoke when it gives no load).
CalculatedLoad OwnServed(const FeederInputs& inputs, bool loadGiven, double unitAmperes);

}  // namespace quillet
