// The feeder length field `L`.
#pragma once

namespace quillet {

class Elcal;

void AttachLengthEntry(Elcal& window);

}  // namespace quillet
