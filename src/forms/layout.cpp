#include "forms/layout.h"

#include <algorithm>

#include "platform/window.h"

namespace quillet {

void Arrange(Window& window, std::span<const Placement> placements) {
  for (const Placement& p : placements) {
    window.Named(p.name).SetPlace(p.bounds);
  }
}

namespace {

constexpr int kLineGap = 120;

struct Flowed {
  std::vector<Bounds> places;
  int height = 0;
};

// The items of the group that starts at `first` and the gaps between them.
int GroupWidth(std::span<const FlowItem> items, std::size_t first) {
  int width = items[first].width;
  for (std::size_t i = first + 1; i < items.size() && items[i].flow == Flow::Along; ++i)
    width += items[i].gap + items[i].width;
  return width;
}

// A group too wide for any line breaks between its items.
Flowed FlowOf(std::span<const FlowItem> items, int width) {
  Flowed out;
  out.places.resize(items.size());
  std::vector<std::size_t> line;
  int right = 0, top = 0;
  const auto endLine = [&] {
    int height = 0;
    for (std::size_t i : line) height = std::max(height, items[i].height);
    for (std::size_t i : line) out.places[i].top = top + (height - items[i].height) / 2;
    if (const std::size_t last = line.back(); items[last].fills)
      out.places[last].width = std::max(items[last].width, width - out.places[last].left);
    top += height + kLineGap;
    line.clear();
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    const FlowItem& item = items[i];
    const int needed = item.flow == Flow::Along ? item.width : GroupWidth(items, i);
    if (!line.empty() && (item.flow == Flow::Line || right + item.gap + needed > width)) endLine();
    const int left = line.empty() ? 0 : right + item.gap;
    out.places[i] = {left, 0, item.width, item.height};
    right = left + item.width;
    line.push_back(i);
  }
  if (!line.empty()) endLine();
  out.height = std::max(0, top - kLineGap);
  return out;
}

// Twips, relative to the group frame for the controls inside one. The
// client area is 9015 wide; the status panel fills the last 270 of 6015.
constexpr Placement kElcalPlaces[] = {
    // Row 1
    {"Frame3D13", {60, 30, 1650, 690}},
    {"TPh", {120, 225, 1440, 210}},
    {"SPh", {120, 435, 1440, 210}},
    {"Frame3D1", {1770, 30, 2250, 690}},
    {"V", {120, 270, 1050, 300}},
    {"VS", {1200, 270, 210, 300}},
    {"Label1", {1470, 315, 360, 210}},
    {"FrameVDDC", {4080, 30, 2250, 690}},
    {"VDC", {120, 225, 2010, 210}},
    {"VDCPER", {120, 435, 2010, 210}},
    {"FrameVDAC", {6390, 30, 2565, 690}},
    {"VDACL", {120, 225, 2070, 210}},
    {"VDACPRCL", {120, 435, 2070, 210}},
    {"VDPS", {2265, 225, 210, 420}},
    // Row 2
    {"Frame3D4", {60, 750, 1650, 930}},
    {"OptPF1", {120, 225, 690, 210}},
    {"OptPF095", {870, 225, 720, 210}},
    {"OptPF09", {120, 450, 690, 210}},
    {"OptPF085", {870, 450, 720, 210}},
    {"OptPF08", {120, 675, 690, 210}},
    {"OptPF075", {870, 675, 720, 210}},
    {"Frame3D2", {1770, 750, 2250, 930}},
    {"A", {120, 330, 1050, 300}},
    {"AS", {1200, 330, 210, 300}},
    {"Label3", {1470, 375, 360, 210}},
    {"AmbCmnd", {4080, 840, 2250, 840}},
    {"FrameWOT", {6390, 750, 2565, 930}},
    {"Label2", {120, 240, 810, 210}},
    {"EAWOTD", {930, 240, 1050, 210}},
    {"Label4", {120, 570, 810, 210}},
    {"WOTD", {930, 570, 720, 210}},
    {"WOTPS", {1680, 510, 210, 330}},
    {"CmdDeg", {2010, 510, 450, 330}},
    // Row 3
    {"Frame3D16", {60, 1710, 1650, 660}},
    {"ComHP", {120, 240, 1410, 330}},
    {"Frame3D3", {1770, 1710, 2250, 660}},
    {"W", {120, 255, 1050, 300}},
    {"PS", {1200, 255, 210, 300}},
    {"VA", {1470, 300, 450, 210}},
    {"Frame3D7", {4080, 1710, 2250, 660}},
    {"OptMAG", {120, 300, 930, 240}},
    {"OptNONM", {1140, 300, 930, 240}},
    {"Frame3D8", {6390, 1710, 2565, 660}},
    {"L", {120, 255, 1050, 300}},
    {"LS", {1200, 255, 210, 300}},
    {"CmdUnit", {1500, 255, 600, 300}},
    // Row 4
    {"FrameAlternate", {60, 2400, 3960, 1170}},
    {"Label8", {120, 270, 1260, 210}},
    {"TextACR", {1380, 225, 840, 285}},
    {"Label9", {120, 585, 1260, 210}},
    {"TextXLR", {1380, 540, 840, 285}},
    {"Label10", {2310, 420, 390, 210}},
    {"LabelUnit", {2700, 420, 1170, 210}},
    {"Line1", {90, 870, 3780, 15}},
    {"VDACact", {120, 915, 2250, 210}},
    {"VDACactPer", {2400, 915, 1470, 210}},
    {"Frame3D9", {4080, 2400, 2250, 1170}},
    {"Opt90C", {120, 255, 2010, 240}},
    {"Opt75C", {120, 540, 2010, 240}},
    {"Opt60C", {120, 825, 2010, 240}},
    {"Frame3D14", {6390, 2400, 2565, 1170}},
    {"AmpacAmb", {120, 225, 2100, 210}},
    {"AmpacCorr", {120, 450, 2100, 210}},
    {"Ampacit", {120, 690, 2100, 420}},
    {"AmpS", {2265, 675, 210, 420}},
    // Rows 5 and 6
    {"LabelCP", {120, 3660, 3900, 210}},
    {"Line2", {90, 3915, 3870, 15}},
    {"DCres", {120, 3990, 3900, 210}},
    {"ACres", {120, 4230, 3900, 210}},
    {"XLreact", {120, 4470, 3900, 210}},
    {"ImedanceZ", {120, 4710, 3900, 210}},
    {"Line3", {90, 4965, 3870, 15}},
    {"Frame3D12", {4080, 3600, 2250, 810}},
    {"OptCU", {120, 360, 960, 240}},
    {"OptAL", {1140, 360, 1050, 240}},
    {"Frame3D6", {6390, 3600, 2565, 810}},
    {"ComWS", {120, 210, 1350, 330}},
    {"WireArea", {120, 555, 2370, 210}},
    {"Frame3D15", {4080, 4440, 4875, 510}},
    {"OptionNOR1", {150, 210, 600, 240}},
    {"OptionNOF2", {930, 210, 600, 240}},
    {"OptionNOF3", {1710, 210, 600, 240}},
    {"OptionNOF4", {2490, 210, 600, 240}},
    {"OptionNOF5", {3270, 210, 600, 240}},
    {"OptionNOF6", {4050, 210, 600, 240}},
    {"Label5", {0, 3600, 105, 1380}},
    {"Label6", {3970, 4440, 105, 510}},
    // Row 7
    {"CmdAbout", {60, 5070, 900, 360}},
    {"PasteComm", {1050, 5040, 2940, 330}},
    {"Job", {1050, 5385, 2940, 300}},
    {"Command1", {4080, 5070, 2250, 360}},
    {"Command2", {6390, 5070, 1350, 360}},
    {"Tools", {7830, 5070, 1125, 360}},
    // Row 8
    {"Stat", {0, 5745, 9015, 270}},
};

}  // namespace

void ArrangeElcal(Window& window) { Arrange(window, kElcalPlaces); }

int FlowHeight(std::span<const FlowItem> items, int width) { return FlowOf(items, width).height; }

void ArrangeFlow(Window& window, std::span<const FlowItem> items, int left, int top, int width) {
  const Flowed flowed = FlowOf(items, width);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Bounds& at = flowed.places[i];
    window.Named(items[i].name).SetPlace({left + at.left, top + at.top, at.width, at.height});
  }
}

}  // namespace quillet
