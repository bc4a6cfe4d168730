// The six option groups: power factor, voltage system, material, conduit,
// insulation rating and parallel runs.
#pragma once

namespace quillet {

class Elcal;

void AttachOptions(Elcal& window);

// The explanation of parallel feeders, also shown by double-clicking the runs frame.
void ShowParallelFeedersMessage(Elcal& window);

}  // namespace quillet
