// The recalculation pass `TiCommon_Click`: reads the whole state and the
// options it needs, computes every result and rewrites every result caption.
#pragma once

namespace quillet {

class Elcal;

void RecalculationPass(Elcal& window);

}  // namespace quillet
