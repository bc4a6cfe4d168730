// The six option groups: power factor, voltage system, material, conduit,
// insulation rating and parallel runs.
#pragma once

namespace quillet {

class Elcal;

void AttachOptions(Elcal& window);

}  // namespace quillet
