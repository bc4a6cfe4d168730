// What the size finder shows for a feeder: every size from the smallest the
// runs allow up to one past the answer, as the main window would show each,
// and one sentence saying which limit chose the answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/grid.h"
#include "schedule/feeder.h"

namespace quillet {

struct SizeRow {
  int area = 0;  // 0 (14 AWG) to 20 (1000 kcmil)
  // The size's name, then the main window's ampacity, drop and drop % captions.
  std::string size, ampacity, drop, dropPercent;
  bool carries = false, withinLimit = false;
};

struct SizeTable {
  std::vector<SizeRow> rows;
  std::optional<int> answerArea;
  int answerRow = -1;  // the row of the answer, or -1
  std::string sentence;
};

// The feeder's own size is ignored: every size is tried through the engine.
SizeTable BuildSizeTable(FeederInputs inputs);

// The table as the finder's grid shows it: the size, the main window's
// three captions and the two limits met, one column each.
class SizeTableSource final : public GridSource {
 public:
  SizeTable table;

  int RowCount() const override;
  int ColumnCount() const override;
  std::string Heading(int column) const override;
  std::string Cell(int row, int column) const override;
};

}  // namespace quillet
