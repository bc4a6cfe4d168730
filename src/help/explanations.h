// The longer explanations behind the main window's frames, shown in an
// information box on a double-click.
#pragma once

namespace quillet {

class Desktop;
class Elcal;

enum class Explanation { MaximumAmpacity, ParallelFeeders, InsulationRating, AlternateCalculation, WireTemperature };

void ShowExplanation(Desktop& desktop, Explanation which);

// Double-clicks on the frames (and the ampacity labels) open their explanation.
void AttachExplanations(Elcal& window);

}  // namespace quillet
