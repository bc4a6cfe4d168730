#include "workbench/tree_diagram.h"

#include <algorithm>
#include <optional>
#include <string>

#include "workbench/schedule_model.h"

namespace quillet {
namespace {

// Twips. A box holds five lines; between levels a line drops to a bus and
// from it to each box, with room on the last stretch for a transformer.
constexpr int kMargin = 120;
constexpr int kBoxWidth = 2160;
constexpr int kLineHeight = 210;
constexpr int kPadding = 60;
constexpr int kBoxHeight = 5 * kLineHeight + 2 * kPadding;
constexpr int kGapX = 240;
constexpr int kGapY = 900;
constexpr int kBusDrop = 300;
// The tops' trees side by side until a band holds this many boxes across;
// then a new band below, so a long list of feeders stays a page wide.
constexpr int kBandSlots = 10;

// The result column of that name, where the results have it.
std::optional<ScheduleColumn> Result(const char* name) {
  const auto& names = ResultColumnNames();
  const auto at = std::find(names.begin(), names.end(), name);
  if (at == names.end()) return std::nullopt;
  return ScheduleColumn{ScheduleColumn::Kind::Result, static_cast<std::size_t>(at - names.begin())};
}

class Drawer {
 public:
  explicit Drawer(const ScheduleModel& model)
      : model_(model),
        tree_(model.Tree()),
        size_(Result("size_used")),
        device_(Result("ocpd_a")),
        own_(Result("vd_pct")),
        total_(Result("vd_total_pct")),
        load_(Result("calculated_va")) {}

  TreeDrawing Draw() {
    Order();
    Place();
    for (std::size_t b = 0; b < order_.size(); ++b) out_.drawing.boxes.push_back(Box(b));
    for (std::size_t b = 0; b < order_.size(); ++b) Link(b);
    out_.rows = order_;
    return std::move(out_);
  }

 private:
  // Depth first from each top, the rows a row feeds in the file's order;
  // without recursion, since a chain may be as long as the schedule.
  void Order() {
    std::vector<std::pair<std::size_t, int>> stack;
    const std::vector<std::size_t> tops = tree_.Tops();
    for (auto top = tops.rbegin(); top != tops.rend(); ++top) stack.emplace_back(*top, 0);
    boxOf_.assign(tree_.Size(), 0);
    while (!stack.empty()) {
      const auto [row, level] = stack.back();
      stack.pop_back();
      boxOf_[row] = order_.size();
      order_.push_back(row);
      level_.push_back(level);
      const std::vector<std::size_t> fed = tree_.FedBy(row);
      for (auto it = fed.rbegin(); it != fed.rend(); ++it) stack.emplace_back(*it, level + 1);
    }
  }

  // Each top's tree is a run of boxes in that order. Its leaves side by
  // side, each supply centred over the rows it feeds; the trees in bands.
  void Place() {
    centre_.assign(order_.size(), 0);
    top_.assign(order_.size(), 0);
    int bandTop = kMargin, bandSlots = 0, bandLevels = 0, widest = 0;
    for (std::size_t first = 0, end; first < order_.size(); first = end) {
      int leaves = 0, levels = 0;
      for (end = first; end < order_.size() && (end == first || level_[end] > 0); ++end) {
        leaves += tree_.FedBy(order_[end]).empty();
        levels = std::max(levels, level_[end] + 1);
      }
      if (bandSlots > 0 && bandSlots + leaves > kBandSlots) {
        bandTop += bandLevels * (kBoxHeight + kGapY);
        bandSlots = bandLevels = 0;
      }
      for (std::size_t b = first; b < end; ++b) {
        top_[b] = bandTop + level_[b] * (kBoxHeight + kGapY);
        if (tree_.FedBy(order_[b]).empty()) centre_[b] = kMargin + bandSlots++ * (kBoxWidth + kGapX) + kBoxWidth / 2;
      }
      for (std::size_t b = end; b-- > first;) {
        const std::vector<std::size_t> fed = tree_.FedBy(order_[b]);
        if (!fed.empty()) centre_[b] = (centre_[boxOf_[fed.front()]] + centre_[boxOf_[fed.back()]]) / 2;
      }
      bandLevels = std::max(bandLevels, levels);
      widest = std::max(widest, bandSlots);
    }
    out_.drawing.rowPitch = kBoxHeight + kGapY;
    out_.drawing.columnPitch = kBoxWidth + kGapX;
    out_.drawing.width = widest == 0 ? 0 : 2 * kMargin + widest * (kBoxWidth + kGapX) - kGapX;
    out_.drawing.height = order_.empty() ? 0 : bandTop + bandLevels * (kBoxHeight + kGapY) - kGapY + kMargin;
  }

  int Top(std::size_t box) const { return top_[box]; }

  DiagramText Figure(std::size_t row, const std::optional<ScheduleColumn>& column, const char* before,
                     const char* after) const {
    if (!column) return {};
    const std::string cell = model_.Cell(row, *column);
    if (cell.empty()) return {};
    return {before + cell + after, ToneColour(model_.Tone(row, *column))};
  }

  DiagramBox Box(std::size_t box) const {
    const std::size_t row = order_[box];
    DiagramBox out;
    out.place = {centre_[box] - kBoxWidth / 2, Top(box), kBoxWidth, kBoxHeight};
    const std::string& tag = tree_.Row(row).tag;
    out.lines.push_back({tag.empty() ? "line " + std::to_string(model_.Line(row)) : tag, kWindowText, true});
    if (model_.HasError(row)) {
      out.border = ToneColour(CellTone::Bad);
      out.lines.push_back({"error", out.border});
      out.lines.resize(5);
      return out;
    }
    DiagramText size = Figure(row, size_, "", "");
    if (const DiagramText device = Figure(row, device_, "  ", " A"); !size.text.empty() && !device.text.empty())
      size.text += device.text;
    out.lines.push_back(size);
    out.lines.push_back(Figure(row, own_, "own ", " %"));
    out.lines.push_back(Figure(row, total_, "total ", " %"));
    out.lines.push_back(Figure(row, load_, "", " kVA"));
    return out;
  }

  // From the supply's foot down to a bus, along it and down to the box.
  void Link(std::size_t box) {
    const auto supply = tree_.SupplyOf(order_[box]);
    if (!supply) return;
    const std::size_t from = boxOf_[*supply];
    const int foot = Top(from) + kBoxHeight, bus = foot + kBusDrop;
    out_.drawing.links.push_back({static_cast<int>(from),
                                  static_cast<int>(box),
                                  {centre_[from], foot, centre_[from], bus, centre_[box], bus, centre_[box], Top(box)},
                                  tree_.ViaTransformer(order_[box])});
  }

  const ScheduleModel& model_;
  const DistributionTree& tree_;
  std::optional<ScheduleColumn> size_, device_, own_, total_, load_;
  std::vector<std::size_t> order_, boxOf_;
  std::vector<int> level_, centre_, top_;
  TreeDrawing out_;
};

}  // namespace

Colour ToneColour(CellTone tone) {
  switch (tone) {
    case CellTone::Good:
      return kDarkGreen;
    case CellTone::Bad:
      return kRed;
    case CellTone::Normal:
      break;
  }
  return kWindowText;
}

TreeDrawing DrawTree(const ScheduleModel& model) { return Drawer(model).Draw(); }

}  // namespace quillet
