#include "help/explanations.h"

#include <initializer_list>
#include <string>

#include "core/elcal.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

struct ExplanationText {
  Explanation which;
  const char* title;
  std::initializer_list<const char*> lines;  // joined by line feeds
};

const ExplanationText kExplanations[] = {
    {Explanation::MaximumAmpacity,
     "Maximum Conductor Ampacity",
     {"Maximum Ampacity values for single run of not more than 3 conductors.", "", "SOURCES:",
      " - 2017/2023 NEC - Tables 310.15(B)(16) / 310.16 ",
      "For Ambient Temperatures other than 30°C (86°F) correction factors are based on:",
      " - 2017/2023 NEC - Tables 310.15(B)(2)(a)/310.15(B)(1)", "",
      "Since 2011 NEC (USA) and since 2012 CEC (Canada) have identical maximum ampacity values as a result of "
      "ongoing harmonization."}},
    {Explanation::ParallelFeeders,
     "Parallel feeders Maximum Ampacity",
     {"Maximum Allowable Ampacity values for multiple runs assume:",
      " - Each run is installed in a separate raceway or cable assembly.",
      " - Each run contains not more than 3 conductors in raceway or cable.",
      " - All runs are installed horizontally in the air and spaced one diameter apart.", "", "! NOTE",
      "Voltage drop for multiple runs represents single run voltage drop divided by the number of runs.",
      "The user must account for the runs proximity factor based on runs spacing and other factors that may "
      "apply."}},
    {Explanation::InsulationRating,
     "Insulation Rating.",
     {"Select \"Insulation Rating\" based on the lowest temperature rated circuit terminal.",
      "The selection determines \"Maximum Feeder Ampacity\" shown.", "", "Generally, circuits rated: ",
      "   - 100 Amp or less shall not exceed the 60°C (140°F) operating temperature. ",
      "   -  Over 100 Amp shall not exceed the 75°C (167°F) operating temperature. ", "",
      "A higher than terminals rating conductor temperature is permitted if: ",
      "  - The conductors ampacity is based on the lowest rated terminal temperature.",
      "  - The equipment and all circuit terminals are listed for use at the higher temperature rating.",
      "  - Special arrangements (approved by AHJ) limit conductor temperature at all devices and terminals to "
      "below their temperature rating."}},
    {Explanation::AlternateCalculation,
     "OPTIONAL - Alternate Calculation",
     {"If you do have actual conductor/cable parameters provided by the wiring manufacturer enter them here for "
      "more accurate results.",
      "",
      "Calculator data is for 600V, stranded, RHH type wires cradled in conduit. Assembled cables, wiring with "
      "thinner insulation or in triangular configuration may yield better (lower vd) results because of lower XL "
      "Reactance.",
      "", "Note: Enter the AC resistance at the same operating temperature as set for the default data."}},
    {Explanation::WireTemperature,
     "OPTIONAL - Set wire operating temperature/resistance",
     {"Wire operating temperature shall not exceed breaker and load terminals rating.",
      "If the feeder \"Insulation Rating\" is higher then the terminals of the breaker or connected load verify it "
      "here and change accordingly.",
      "",
      "Wire operating temperature is estimated based on the ratio of Current (I) to Maximum Feeder Ampacity at the "
      "ambient temperature assuming continuous (3 hrs +) operation.",
      "",
      "When wiring is oversized to reduce voltage drop, its operating temperature and resistance drops. Not taking "
      "this in to account may lead to over sizing the feeder beyond actual requirements. You must however decide "
      "if other factors like; cyclical nature of the circuit demand, frequency of inrushes, possibility of the "
      "load change in the future, etc. warrants setting of the wire operating temperature lower to reduce "
      "calculated voltage drop to avoid over sizing the feeder."}},
};

std::string Joined(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += (text.empty() ? "" : "\n") + std::string(line);
  return text;
}

}  // namespace

void ShowExplanation(Desktop& desktop, Explanation which) {
  for (const ExplanationText& e : kExplanations)
    if (e.which == which) desktop.MessageBox(Joined(e.lines), kStyleInformation, e.title);
}

void AttachExplanations(Elcal& w) {
  const auto explain = [&w](Explanation which) { return [&w, which] { ShowExplanation(w.Screen(), which); }; };
  for (Control* c : {&w.Frame3D14, &w.AmpacAmb, &w.AmpacCorr, &w.Ampacit})
    c->DblClick = explain(Explanation::MaximumAmpacity);
  w.Frame3D15.DblClick = explain(Explanation::ParallelFeeders);
  w.Frame3D9.DblClick = explain(Explanation::InsulationRating);
  w.FrameAlternate.DblClick = explain(Explanation::AlternateCalculation);
  w.FrameWOT.DblClick = explain(Explanation::WireTemperature);
}

}  // namespace quillet
