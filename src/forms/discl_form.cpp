#include "forms/discl_form.h"

#include <initializer_list>
#include <string>

#include "forms/layout.h"
#include "forms/naming.h"

namespace quillet {
namespace {

constexpr int kDisclWidth = 10620;
constexpr int kDisclHeight = 9675;

constexpr Placement kDisclPlaces[] = {
    {"Text4", {120, 90, 10260, 300}},
    {"Text1", {120, 420, 10260, 5880}},
    {"Text2", {120, 6330, 10260, 900}},
    {"Text3", {120, 7260, 10260, 300}},
    {"Text5", {120, 7590, 10260, 1110}},
    {"Command3", {4560, 8760, 1380, 360}},
};

// The boxes hold texts, not captions: each gets a short name of its own.
constexpr Naming kDisclNames[] = {
    {"Text4", nullptr, "Read Me heading"}, {"Text1", nullptr, "Read Me"},
    {"Text2", nullptr, "Insulation note"}, {"Text3", nullptr, "Disclaimer heading"},
    {"Text5", nullptr, "Disclaimer"}};

// Every line ends with CR LF, the last one too.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

const std::string kReadMe = Lines({
    "The aim of this software is to provide a fast and convenient way of estimating the voltage drop. ",
    "Voltage drop of a circuit depends upon several factors, the value of which can not be precisely determined.",
    "",
    "Data for the voltage drop calculation is based on the 2017 to 2023 editions of NFPA70. Tables 8 and 9 values were ",
    "recalculated based on ASTM International B193-16 data to allow for calculations at other than 75°C (167°F) wire",
    "operating temperatures, eliminate rounding and eliminate some discrepancies between DC and AC resistance.",
    "The resulting difference in calculated effective impedance/voltage drop if compared with calculations that",
    "use unmodified NEC tables is very small and space has been provided to input exact NEC Table 9 values",
    "or insert specific conductor/cable manufacturer data if desired/available.",
    "",
    "This software shall be used only by electrical tradesman in conjunction with all applicable electrical codes ",
    "and regulations imposed by any other authority having jurisdiction. User shall be familiar with and adhere to",
    "all rules that apply to the referenced NEC tables.",
    "",
    "When using the calculator please keep in mind:",
    "  \u2022\tNEC Table 9 provides AC Resistance and Reactance for 600-Volt, 3-Phase, 60 Hz, - Three Single RHH*",
    "\ttype wires with Class B stranding, installed in conduit, in cradled configuration, operating at 75°C (167°F).",
    "\tFor a particular cable with different parameters the calculated voltage drop will likely differ, therefore, it is",
    "\trecommended to verify the NEC data with the data provided by cable manufacturer in the space provided. ",
    "\tNote! most assembled cables have reactance (XL) significantly smaller.",
    "  \u2022\tPresence of magnetic materials in feeder proximity may increase the voltage drop.",
    "  \u2022\tThe voltage drop results for parallel runs show values calculated for a single run divided by the   '",
    "\tnumber of runs to provide orientation. Runs spacing and configuration, may affect voltage drop ",
    "\tand the proximity factor should be accounted for by the user.",
    "  \u2022\tResistance of stranded wires is 2% greater than solid wires. This calculator data is only for",
    "\tstranded wires (down to #14 AWG.)",
    "  \u2022\tAC only motor data conforms to NEC Tables: 430.248 && 430.250 for  Induction-Type Squirrel Cage ",
    "\tand Wound Rotor motors.",
});

const std::string kWireNote = Lines({
    " * RHH - R-Rubber Insulation, HH-High Heat 90°C (194°F) Resistant (CSA equivalent R90).",
    "   This calculator can be used for cables with cross-linked polyethylene (XLPE) that is often used in lieu of ",
    "   EPR insulation - within the design temperature up to 90°C (194°F) and voltages up to 600V.",
});

const std::string kDisclaimer = Lines({
    "This software is sold as is without any warranties as to performance or accuracy or fitness for a particular "
    "purpose or",
    "any other warranties whether expressed or implied. ",
    "The user must assume the entire risk of using this program. ",
    "Any liability of the seller will be limited exclusively to software replacement or refund of the purchase price.",
});

}  // namespace

DisclForm::DisclForm(Desktop& desktop) : Window(desktop, "Discl") {
  SetCaption("Quillet - Read Me");
  SetSize(kDisclWidth, kDisclHeight);
  Arrange(*this, kDisclPlaces);
  NameControls(*this, kDisclNames);
  const struct {
    TextBox& box;
    const std::string text;
    bool bold;
  } boxes[] = {{Text4, "READ ME", true},   {Text1, kReadMe, false}, {Text2, kWireNote, false},
               {Text3, "DISCLAIMER OF WARRANTIES & LIMITATION OF LIABILITY", true}, {Text5, kDisclaimer, false}};
  for (const auto& b : boxes) {
    b.box.SetMultiLine(true);
    b.box.SetText(b.text);
    b.box.SetTypeface({8, b.bold});
  }
  Command3.SetCaption(" OK");
}

}  // namespace quillet
