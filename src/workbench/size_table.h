// What the size finder shows for a feeder: every size from the smallest the
// runs allow up to one past the answer, as the main window would show each
// with the design's ampacity and protection, one sentence saying which rule
// chose the answer, and the design of the answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/grid.h"
#include "schedule/feeder.h"

namespace quillet {

struct SizeRow {
  int area = 0;  // 0 (14 AWG) to 20 (1000 kcmil)
  // The size's name, the main window's ampacity caption, the design
  // ampacity in the same form, the drop's volts and percent captions.
  std::string size, ampacity, designAmpacity, drop, dropPercent;
  float shownAmpacity = 0;
  std::optional<FeederDesign> design;
  bool withinLimit = false;
};

struct SizeTable {
  std::vector<SizeRow> rows;
  std::optional<int> answerArea;
  int answerRow = -1;  // the row of the answer, or -1
  std::string sentence;
  std::string design;  // the device, the terminals and the grounding conductor
  std::string conductorSet;  // the answer's, as drawings write it, or why no raceway holds it
};

// The feeder's own size is ignored: every size is tried through the engine.
SizeTable BuildSizeTable(FeederInputs inputs);

// The table as the finder's grid shows it, one column each: the size, the
// main window's ampacity, the design ampacity, whether the device protects
// the size, the drop's two captions and the two limits met.
class SizeTableSource final : public GridSource {
 public:
  SizeTable table;

  int RowCount() const override;
  int ColumnCount() const override;
  std::string Heading(int column) const override;
  std::string Cell(int row, int column) const override;
};

}  // namespace quillet
