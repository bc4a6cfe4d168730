// The user's own AC resistance and XL reactance for the alternate drop.
#pragma once

namespace quillet {

class Elcal;

void AttachAlternateParameters(Elcal& window);

}  // namespace quillet
