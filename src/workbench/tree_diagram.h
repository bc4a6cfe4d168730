// The schedule's distribution tree as a one-line diagram: the rows at the
// top of their paths (the services) along the top, each row a box under the
// row that feeds it with its tag, size, device, own and total drop,
// coloured as the table colours the same cells, and a transformer marked
// on the line to the row it feeds. No toolkit: the view paints the
// drawing, the printer puts it on pages and the driver prints it.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/diagram.h"
#include "schedule/columns.h"

namespace quillet {

class ScheduleModel;

struct TreeDrawing {
  DiagramDrawing drawing;
  std::vector<std::size_t> rows;  // the row each box shows, box by box
};

TreeDrawing DrawTree(const ScheduleModel& model);

// How the window shows a cell's tone.
Colour ToneColour(CellTone tone);

}  // namespace quillet
