#include "help/help_hints.h"

#include <functional>
#include <string>

#include "core/elcal.h"

namespace quillet {
namespace {

constexpr char kArrowsHint[] = " Use keyboard arrows and Tab Key to modify values";
constexpr char kInsulationHint[] = " Check breaker and load terminals rating to select \"Insulation Rating.\"";
constexpr char kAmbientResetNote[] = " NOTE: Ambient will reset to 30°C.";

enum class On { Hover, Focus };

struct FixedHint {
  const char* control;
  On event;
  const char* text;
};

const FixedHint kFixedHints[] = {
    {"A", On::Hover,
     " Clicking this field locks the Current (I) value. The Power (P) will be recalculated if you change the "
     "voltage or power factor."},
    {"W", On::Hover,
     " Clicking this field locks the Power (P) value. The Current (I) will be recalculated if you change the "
     "voltage or power factor."},
    {"AmbCmnd", On::Hover,
     "  Change ambient temperature. Correction factors will be applied to Maximum Feeder Ampacity"},
    {"AmpacCorr", On::Hover, " CF - Ambient Temperature Correction Factor based on NEC and CEC"},
    {"CmdAbout", On::Hover, " Click this button for important information."},
    {"CmdDeg", On::Focus, " Press space bar to toggle between Celsius and Fahrenheit units. "},
    {"CmdDeg", On::Hover, "  Toggle between Celsius and Fahrenheit units."},
    {"CmdUnit", On::Focus, " Press space bar to toggle between the metric and imperial system."},
    {"CmdUnit", On::Hover, " Toggle between the metric and imperial system."},
    {"ComWS", On::Focus, kArrowsHint},
    {"Command2", On::Hover, " Set preferences and provide inputs for feeder efficiency calculations"},
    {"Tools", On::Hover, " Smallest size for a voltage-drop limit, feeder schedule, printing and PDF."},
    {"EAWOTD", On::Hover,
     " Shows estimated wire operating temperature. Set wire operating temperature above this value or increase "
     "wire size."},
    {"Label2", On::Hover,
     "Shows estimated wiring operated temperature. If desired and feasible set the wire operating temperature "
     "above this value. "},
    {"Label5", On::Hover, kArrowsHint},
    {"Label6", On::Hover, kArrowsHint},
    {"Opt60C", On::Focus, kArrowsHint},
    {"Opt75C", On::Focus, kArrowsHint},
    {"Opt90C", On::Focus, kArrowsHint},
    {"SPh", On::Focus, kArrowsHint},
    {"TPh", On::Focus, kArrowsHint},
    {"SPh", On::Hover, " Click the word - System - for explanation."},
    {"OptPF075", On::Hover, " P.F. = 0.75 - Very Heavy inductive load."},
    {"OptPF08", On::Hover, " P.F. = 0.8 - Heavily inductive load. For example induction motors."},
    {"OptPF085", On::Hover, " P.F. = 0.85 - Significant inductive load."},
    {"OptPF09", On::Hover,
     " P.F. = 0.9 - Mixed resistive and inductive load, power corrected fluorescent lighting e.t.c."},
    {"OptPF095", On::Hover, " P.F. = 0.95 - Light inductive load. Typical for offices."},
    {"OptPF1", On::Hover, " P.F. = 1.0 - Resistive load. For example heating and/or incandescent lighting."},
    {"PasteComm", On::Hover,
     "From Clipboard you may to paste the calculation summary in to any text or spreadsheet application."},
    {"Stat", On::Hover,
     "                                    DOUBLE CLICK   H E R E   T O   S E E   T H E   \"ABOUT/READ ME\"   "
     "P A G E"},
    {"TextACR", On::Hover,
     "Enter AC resistance value between 0.001 and 12 ... ..... match the operating temperature and the \"units \" "
     "displayed before entering data."},
    {"TextXLR", On::Hover,
     "Enter reactance value between 0.001 and 1 ...... match the \"units \"displayed before entering data."},
    {"Frame3D3", On::Hover,
     " Use \"Power\"  as the input value for a balanced load or when you need to calculate the \"Current\"."},
    {"Frame3D4", On::Hover,
     " Set PF after setting the \"Power\" to calculate \"Current\". Setting \"Current\" recalculate \"Power\"."},
    {"Frame3D6", On::Hover, kArrowsHint},
    {"Frame3D7", On::Hover, "Select the conduit material."},
    {"Frame3D8", On::Hover, " Insert length of the feeder (one way) from the supply to the utilization point."},
    {"Frame3D13", On::Hover, " Double Click the word - System - for explanation."},
    {"Frame3D14", On::Hover, " Based on USA and Canadian code. Double Click for more."},
    {"FrameAlternate", On::Hover, " Optional calculation. Double click for more information."},
    {"FrameWOT", On::Hover,
     " Check that breaker and load terminals rating temperature is not exceeded. Double Click for more "
     "information."},
};

// A hint that depends on what the window shows; nullptr leaves the line as it is.
using HintRule = std::function<const char*(const Elcal&)>;

struct ConditionalHint {
  const char* control;
  HintRule rule;
};

bool AmbientAtDefault(const Elcal& w) { return w.AmbCmnd.Caption() == kAmbientDefaultCaption; }

std::string AmpacityHint(const Elcal& w) {
  const AmpacityCheck check = w.state.LoadCheck;
  const char* colour = check == AmpacityCheck::Over100 ? " Red color - selected wire ampacity is less then the "
                       : check == AmpacityCheck::Over80
                           ? " Black colour - the selected wire ampacity matches or exceeds but by LESS than 125% the "
                           : " Green color - the selected wire ampacity exceeds by not less than 125% the ";
  return colour + w.Frame3D2.Caption();
}

std::string InsulationHint(const Elcal& w, const char* atDefault) {
  return std::string(kInsulationHint) + (AmbientAtDefault(w) ? atDefault : kAmbientResetNote);
}

const ConditionalHint kConditionalHints[] = {
    {"Frame3D1",
     [](const Elcal& w) {
       return w.TPh.Value() ? "For Three Phase system always choose the phase to phase voltage."
                            : "For Single Phase system choose the phase to phase or phase to neutral voltage as "
                              "required.";
     }},
    {"Frame3D2",
     [](const Elcal& w) {
       return w.Frame3D2.Caption() == "Current (I)"
                  ? " Use the current of the most heavily loaded phase as an input."
                  : " Verify the FLA - Full Load Amps value with the motor manufacturer data.  Also check for inrush "
                    "current voltage drop";
     }},
    {"Frame3D15",
     [](const Elcal& w) {
       return w.OptionNOR1.Value() && w.state.SizeIndex < 9
                  ? " Parallel installation is acceptable from gauge 1/0 up. Increase wire size."
                  : "Double Click to learn about parallel feeders maximum ampacity and voltage drop.";
     }},
    {"Frame3D16",
     [](const Elcal& w) {
       return w.state.PhaseCode != 0
                  ? " Select Motor HP to find out Full Load Ampers (! Select SYSTEM Line voltage first i.e. 120, 208, "
                    "240 etc.  Double click."
                  : " Select Motor HP to find out Full Load Ampers ( ! Select SYSTEM Line voltage first i.e. 208, 240 "
                    "etc.) - Double click.";
     }},
    {"FrameVDAC",
     [](const Elcal& w) {
       return w.TPh.Value() ? "Three phase voltage drop due to feeder effective impedance Z defined as Rac x PF + XL x "
                              "sin [arccos (PF)]"
                            : "Single phase voltage drop due to feeder effective impedance Z defined as Rac x PF + XL "
                              "x sin [arccos (PF)]";
     }},
    {"FrameVDDC",
     [](const Elcal& w) {
       return w.TPh.Value() || static_cast<double>(w.state.PowerFactor) < 1.0
                  ? " Select \"1-Phase or DC\" System and/or change Power Factor to 1 to enable DC voltage drop "
                    "calculation."
                  : " DC voltage drop.  (vd = Rdc x I x \"Feeder Length\" x 2)";
     }},
    {"VDACL",
     [](const Elcal& w) -> const char* {
       if (w.VDACL.ForeColor() != kRed) return nullptr;
       return w.state.Voltage > 700
                  ? " Red - reminder that the calculator input data is based on voltages up to 600V."
                  : " Red - voltage drop shown does not account for multiple runs proximity factor.";
     }},
    {"VDACPRCL",
     [](const Elcal& w) -> const char* {
       if (w.VDACPRCL.ForeColor() != kRed) return nullptr;
       return w.state.Voltage > 700 ? " Data for calculation is based on voltages up to 600V."
                                    : " Based on single conduit run divided by the number of runs and not accounting "
                                      "for multiple runs proximity factor.";
     }},
    {"WOTD",
     [](const Elcal& w) -> const char* {
       if (w.WOTD.ForeColor() == kRed)
         return " Red color indicates that the wire operating temperature is set below estimated conductor "
                "temperature. Verify.";
       if (w.WOTD.ForeColor() == kBlack)
         return " If appropriate. Set the wire operating temperature using the spin buttons. ";
       return nullptr;
     }},
};

}  // namespace

void AttachHelpHints(Elcal& w) {
  for (const FixedHint& h : kFixedHints) {
    Control& control = w.Named(h.control);
    (h.event == On::Hover ? control.MouseMove : control.GotFocus) = [&w, text = h.text] { w.Stat.SetCaption(text); };
  }
  for (const ConditionalHint& h : kConditionalHints) {
    w.Named(h.control).MouseMove = [&w, &rule = h.rule] {
      if (const char* text = rule(w)) w.Stat.SetCaption(text);
    };
  }
  w.Ampacit.MouseMove = [&w] { w.Stat.SetCaption(AmpacityHint(w)); };
  w.Frame3D9.MouseMove = [&w] { w.Stat.SetCaption(InsulationHint(w, " Double Click for more information.")); };
  for (Control* option : {&w.Opt60C, &w.Opt75C, &w.Opt90C})
    option->MouseMove = [&w] { w.Stat.SetCaption(InsulationHint(w, "")); };
  w.MouseMoveOnWindow = [&w] { w.Stat.SetCaption(" "); };
}

}  // namespace quillet
