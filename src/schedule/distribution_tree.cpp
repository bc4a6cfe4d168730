#include "schedule/distribution_tree.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <variant>

#include "core/numbers.h"
#include "schedule/columns.h"
#include "schedule/feeder_row.h"

namespace quillet {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
// A loop or a shared tag names this many rows; a longer list says how many more.
constexpr std::size_t kNamedRows = 6;

// A supply's voltage and the line-to-neutral voltage its rows may take
// without a transformer; 240/120 only from a single-phase supply.
constexpr struct {
  double supply, lineToNeutral;
  bool singlePhaseOnly;
} kLineToNeutral[] = {{208, 120, false}, {480, 277, false}, {600, 347, false}, {240, 120, true}};

std::string LineList(const std::vector<int>& lines) {
  std::string text;
  const std::size_t named = std::min(lines.size(), kNamedRows);
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += std::to_string(lines[i]);
  }
  if (named < lines.size()) text += " and " + std::to_string(lines.size() - named) + " more";
  return text;
}

}  // namespace

TreeRow ReadTreeRow(const std::vector<std::string>& cells, int line, const ScheduleLayout& layout,
                    const ScheduleDefaults& defaults, DecimalMark mark) {
  const RowReader reader(cells, layout, mark, defaults);
  TreeRow row;
  row.tag = reader.Text(Column::Tag);
  row.fedFrom = reader.Text(Column::FedFrom);
  row.line = line;
  const auto feeder = ReadFeeder(cells, line, layout, defaults, mark);
  if (const auto* f = std::get_if<FeederInputs>(&feeder)) {
    row.volts = NumberValue(f->voltage);
    row.singlePhase = f->singlePhase;
    row.viaTransformer = f->viaTransformer;
    row.loadGiven = f->load != LoadKind::None;
    row.load = {f->loadClass, 0, f->quantity, f->continuous};
    row.occupancy = f->occupancy;
    row.legs = f->legs;
  }
  return row;
}

bool ThroughTransformer(const TreeRow& supply, const TreeRow& row) {
  // A row that cannot be read has an error of its own, and no transformer.
  if (row.volts == 0 || supply.volts == 0) return false;
  if (row.viaTransformer) return *row.viaTransformer;
  if (row.volts == supply.volts) return false;
  for (const auto& pair : kLineToNeutral)
    if (supply.volts == pair.supply && row.volts == pair.lineToNeutral && (supply.singlePhase || !pair.singlePhaseOnly))
      return false;
  return true;
}

DistributionTree::DistributionTree(std::vector<TreeRow> rows)
    : rows_(std::move(rows)),
      supply_(rows_.size(), kNone),
      sameTag_(rows_.size(), kNone),
      referenceErrors_(rows_.size()) {
  FindSupplies();
  BreakLoops();
  Arrange();
}

std::string DistributionTree::LinesWithTag(std::size_t first) const {
  std::vector<int> lines;
  for (std::size_t r = first; r != kNone; r = sameTag_[r]) lines.push_back(rows_[r].line);
  return "lines " + LineList(lines) + " have this tag";
}

void DistributionTree::FindSupplies() {
  std::unordered_map<std::string_view, std::size_t> firstWithTag;
  firstWithTag.reserve(rows_.size());
  std::vector<std::size_t> lastWithTag(rows_.size(), kNone);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (rows_[r].tag.empty()) continue;
    const auto [at, added] = firstWithTag.emplace(rows_[r].tag, r);
    if (added) {
      lastWithTag[r] = r;
      continue;
    }
    sameTag_[lastWithTag[at->second]] = r;
    lastWithTag[at->second] = r;
  }
  // Worked out once for each shared tag: many rows may refer to one.
  std::unordered_map<std::size_t, std::string> sharedTags;
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (rows_[r].fedFrom.empty()) continue;
    const auto found = firstWithTag.find(rows_[r].fedFrom);
    if (found == firstWithTag.end()) {
      referenceErrors_[r] = "no row has this tag";
    } else if (sameTag_[found->second] != kNone) {
      const auto [shared, first] = sharedTags.try_emplace(found->second);
      if (first) shared->second = LinesWithTag(found->second);
      referenceErrors_[r] = shared->second;
    } else if (found->second == r) {
      referenceErrors_[r] = "the row feeds itself";
    } else {
      supply_[r] = found->second;
    }
  }
}

// Every row of a loop gets the same error, naming the loop in the order its
// rows feed each other from the first tag in alphabetical order, so the
// text does not depend on the order of the rows.
void DistributionTree::BreakLoops() {
  enum : char { kUnseen, kOnWalk, kDone };
  std::vector<char> state(rows_.size(), kUnseen);
  std::vector<std::size_t> walk;
  for (std::size_t start = 0; start < rows_.size(); ++start) {
    walk.clear();
    std::size_t r = start;
    for (; r != kNone && state[r] == kUnseen; r = supply_[r]) {
      state[r] = kOnWalk;
      walk.push_back(r);
    }
    if (r != kNone && state[r] == kOnWalk) {
      const std::vector<std::size_t> loop(std::find(walk.begin(), walk.end(), r), walk.end());
      // Up the supplies from the first row of the loop, then read backwards.
      const std::size_t first = *std::min_element(
          loop.begin(), loop.end(), [this](std::size_t a, std::size_t b) { return rows_[a].tag < rows_[b].tag; });
      std::vector<std::size_t> up = {first};
      for (std::size_t s = supply_[first]; s != first; s = supply_[s]) up.push_back(s);
      std::string text = rows_[first].tag;
      const std::size_t named = std::min(up.size(), kNamedRows);
      for (std::size_t i = 1; i < named; ++i) text += " → " + rows_[up[up.size() - i]].tag;
      if (named < up.size()) text += " → …";
      text += " → " + rows_[first].tag;
      if (named < up.size()) text += " (" + std::to_string(up.size()) + " rows)";
      for (std::size_t member : loop) {
        referenceErrors_[member] = "the supplies run in a loop: " + text;
        supply_[member] = kNone;
      }
    }
    for (std::size_t done : walk) state[done] = kDone;
  }
}

void DistributionTree::Arrange() {
  const std::size_t n = rows_.size();
  fedFirst_.assign(n + 1, 0);
  for (std::size_t r = 0; r < n; ++r)
    if (supply_[r] != kNone) ++fedFirst_[supply_[r] + 1];
  for (std::size_t r = 0; r < n; ++r) fedFirst_[r + 1] += fedFirst_[r];
  fed_.assign(fedFirst_[n], 0);
  std::vector<std::size_t> next(fedFirst_.begin(), fedFirst_.end() - 1);
  for (std::size_t r = 0; r < n; ++r)
    if (supply_[r] != kNone) fed_[next[supply_[r]]++] = r;

  // Each row's depth from the top of its path, without recursion: a chain
  // may be as long as the schedule.
  std::vector<std::size_t> depth(n, kNone), chain;
  for (std::size_t r = 0; r < n; ++r) {
    chain.clear();
    std::size_t s = r;
    for (; s != kNone && depth[s] == kNone; s = supply_[s]) chain.push_back(s);
    std::size_t d = s == kNone ? 0 : depth[s] + 1;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) depth[*it] = d++;
  }
  for (std::size_t r = 0; r < n; ++r) {
    if (depth[r] >= levels_.size()) levels_.resize(depth[r] + 1);
    levels_[depth[r]].push_back(r);
  }
}

std::optional<std::size_t> DistributionTree::SupplyOf(std::size_t row) const {
  if (supply_[row] == kNone) return std::nullopt;
  return supply_[row];
}

bool DistributionTree::ViaTransformer(std::size_t row) const {
  return supply_[row] != kNone && ThroughTransformer(rows_[supply_[row]], rows_[row]);
}

std::vector<std::size_t> DistributionTree::FedBy(std::size_t row) const {
  return {fed_.begin() + static_cast<std::ptrdiff_t>(fedFirst_[row]),
          fed_.begin() + static_cast<std::ptrdiff_t>(fedFirst_[row + 1])};
}

std::vector<std::size_t> DistributionTree::Tops() const {
  std::vector<std::size_t> tops;
  for (std::size_t r = 0; r < rows_.size(); ++r)
    if (supply_[r] == kNone) tops.push_back(r);
  return tops;
}

SupplyPath DistributionTree::PathOf(std::size_t row, const PathEnd& supply) const {
  if (!referenceErrors_[row].empty()) return {FeederError{Column::FedFrom, referenceErrors_[row]}, 0};
  const std::size_t s = supply_[row];
  if (s == kNone) return {};
  if (supply.error)
    return {FeederError{Column::FedFrom,
                        "its supply " + rows_[s].tag + " (line " + std::to_string(rows_[s].line) + ") has an error"},
            0};
  // The path starts again at a transformer, whose own drop is not counted.
  if (ViaTransformer(row)) return {};
  return {std::nullopt, supply.totalPercent};
}

std::optional<float> ReportedDropPercent(const FeederResult& result) {
  if (result.error || !result.numbers) return std::nullopt;
  return result.numbers->vdAcPercent;
}

double DropLimit(double maxVdPercent, double maxTotalPercent, float abovePercent) {
  if (abovePercent == 0) return std::min(maxVdPercent, maxTotalPercent);
  // What is left is worked out in double and kept at the precision of the drops.
  const float left = static_cast<float>(maxTotalPercent - static_cast<double>(abovePercent));
  return std::min(maxVdPercent, static_cast<double>(left));
}

float TotalDrop(float ownPercent, float abovePercent) {
  return static_cast<float>(static_cast<double>(ownPercent) + static_cast<double>(abovePercent));
}

}  // namespace quillet
