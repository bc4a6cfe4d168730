// The main window's declaration: its controls in their containers with
// their initial captions and texts, and its size. `Elcal` adds the
// calculator state; the running program attaches the handlers.
#pragma once

#include <array>
#include <string>

#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/window.h"

namespace quillet {

inline constexpr int kHeightWithStatus = 6450;
inline constexpr int kHeightWithoutStatus = 6180;
inline constexpr int kMainWidth = 9135;  // 9015 twips of client area plus the frame
inline constexpr char kNbsp[] = "\u00a0";
inline constexpr char kJobPrompt[] = "Type Job Name/Feeder Tag here";
inline constexpr char kAmbientDefaultCaption[] = " Ambient  temperature <=30°C\u00a0(86°F)";

class ElcalForm : public Window {
 public:
  explicit ElcalForm(Desktop& desktop);

  // Two option groups in their order: power factor 0.75 … 1.0, runs 1 … 6.
  std::array<OptionButton*, 6> PowerFactorOptions() const {
    return {&OptPF075, &OptPF08, &OptPF085, &OptPF09, &OptPF095, &OptPF1};
  }
  std::array<OptionButton*, 6> RunsOptions() const {
    return {&OptionNOR1, &OptionNOF2, &OptionNOF3, &OptionNOF4, &OptionNOF5, &OptionNOF6};
  }

 private:
  Control& Plain(ControlKind kind, const char* name, Control* in, const char* caption);
  Control& Frame(const char* name, const char* caption) {
    return Plain(ControlKind::Frame3D, name, nullptr, caption);
  }
  Control& Caption(const char* name, Control* in, const char* caption) {
    return Plain(ControlKind::Label, name, in, caption);
  }
  Control& Button(const char* name, Control* in, const char* caption) {
    return Plain(ControlKind::CommandButton, name, in, caption);
  }
  Control& Command(const char* name, Control* in, const char* caption) {
    return Plain(ControlKind::Command3D, name, in, caption);
  }
  OptionButton& Option(const char* name, Control& in, const char* caption);
  TextBox& Text(const char* name, Control* in, const char* text);
  SpinButton& Spin(const char* name, Control& in) { return Add<SpinButton>(name, &in); }
  ComboBox& List(const char* name, Control& in) { return Add<ComboBox>(name, &in); }
  Timer& Ticker(const char* name, bool enabled);

 public:
  // Row 1
  Control& Frame3D13 = Frame("Frame3D13", "Voltage System");
  OptionButton& TPh = Option("TPh", Frame3D13, "3 Phase");
  OptionButton& SPh = Option("SPh", Frame3D13, "1 Phase or DC");
  Control& Frame3D1 = Frame("Frame3D1", "Voltage (U) (Phase to Phase)");
  TextBox& V = Text("V", &Frame3D1, "208");
  SpinButton& VS = Spin("VS", Frame3D1);
  Control& Label1 = Caption("Label1", &Frame3D1, "V");
  Control& FrameVDDC = Frame("FrameVDDC", "DC Voltage drop");
  Control& VDC = Caption("VDC", &FrameVDDC, "- V");
  Control& VDCPER = Caption("VDCPER", &FrameVDDC, "- %");
  Control& FrameVDAC = Frame("FrameVDAC", "AC Voltage drop  3-Ph");
  Control& VDACL = Caption("VDACL", &FrameVDAC, "vd V");
  Control& VDACPRCL = Caption("VDACPRCL", &FrameVDAC, "vd %");
  SpinButton& VDPS = Spin("VDPS", FrameVDAC);

  // Row 2
  Control& Frame3D4 = Frame("Frame3D4", "Power Factor (PF)");
  OptionButton& OptPF1 = Option("OptPF1", Frame3D4, "1.0");
  OptionButton& OptPF095 = Option("OptPF095", Frame3D4, "0.95");
  OptionButton& OptPF09 = Option("OptPF09", Frame3D4, "0.9");
  OptionButton& OptPF085 = Option("OptPF085", Frame3D4, "0.85");
  OptionButton& OptPF08 = Option("OptPF08", Frame3D4, "0.8");
  OptionButton& OptPF075 = Option("OptPF075", Frame3D4, "0.75");
  Control& Frame3D2 = Frame("Frame3D2", "Current ( I )");
  TextBox& A = Text("A", &Frame3D2, "10.0");
  SpinButton& AS = Spin("AS", Frame3D2);
  Control& Label3 = Caption("Label3", &Frame3D2, "A");
  Control& AmbCmnd = Button("AmbCmnd", nullptr, kAmbientDefaultCaption);
  Control& FrameWOT = Frame("FrameWOT", "Wire operating temperature");
  Control& Label2 = Caption("Label2", &FrameWOT, "Estimated");
  Control& EAWOTD = Caption("EAWOTD", &FrameWOT, "75°C");
  Control& Label4 = Caption("Label4", &FrameWOT, "Set to");
  Control& WOTD = Caption("WOTD", &FrameWOT, "75°C");
  SpinButton& WOTPS = Spin("WOTPS", FrameWOT);
  Control& CmdDeg = Command("CmdDeg", &FrameWOT, "°C");

  // Row 3
  Control& Frame3D16 = Frame("Frame3D16", "Motor Input");
  ComboBox& ComHP = List("ComHP", Frame3D16);
  Control& Frame3D3 = Frame("Frame3D3", "Power ( P )");
  TextBox& W = Text("W", &Frame3D3, "");
  SpinButton& PS = Spin("PS", Frame3D3);
  Control& VA = Caption("VA", &Frame3D3, "VA");
  Control& Frame3D7 = Frame("Frame3D7", "Conduit");
  OptionButton& OptMAG = Option("OptMAG", Frame3D7, "Steel");
  OptionButton& OptNONM = Option("OptNONM", Frame3D7, "PVC");
  Control& Frame3D8 = Frame("Frame3D8", "Feeder Length ");
  TextBox& L = Text("L", &Frame3D8, "10");
  SpinButton& LS = Spin("LS", Frame3D8);
  Control& CmdUnit = Command("CmdUnit", &Frame3D8, "FT");

  // Row 4
  Control& FrameAlternate = Frame("FrameAlternate", "Calculate with actual conductor parameters if known");
  Control& Label8 = Caption("Label8", &FrameAlternate, "AC resistance =");
  TextBox& TextACR = Text("TextACR", &FrameAlternate, "0.001");
  Control& Label9 = Caption("Label9", &FrameAlternate, "XL reactance  = ");
  TextBox& TextXLR = Text("TextXLR", &FrameAlternate, "0.001");
  Control& Label10 = Caption("Label10", &FrameAlternate, "Ohm");
  Control& LabelUnit = Caption("LabelUnit", &FrameAlternate, "1000ft");
  Control& Line1 = Plain(ControlKind::Line, "Line1", &FrameAlternate, "");
  Control& VDACact = Caption("VDACact", &FrameAlternate, "Voltage drop");
  Control& VDACactPer = Caption("VDACactPer", &FrameAlternate, "VD %");
  Control& Frame3D9 = Frame("Frame3D9", "Insulation Rating");
  OptionButton& Opt90C = Option("Opt90C", Frame3D9, "90°C (194°F)");
  OptionButton& Opt75C = Option("Opt75C", Frame3D9, "75°C (167°F)");
  OptionButton& Opt60C = Option("Opt60C", Frame3D9, "60°C (140°F)");
  Control& Frame3D14 = Frame("Frame3D14", "Max. Feeder Ampacity");
  Control& AmpacAmb = Caption("AmpacAmb", &Frame3D14, "At 30°C ambient temp.");
  Control& AmpacCorr = Caption("AmpacCorr", &Frame3D14, "CF = 1.00");
  Control& Ampacit = Caption("Ampacit", &Frame3D14, "");
  SpinButton& AmpS = Spin("AmpS", Frame3D14);

  // Row 5
  Control& LabelCP = Caption("LabelCP", nullptr, "Conductor parameters at temperature of");
  Control& DCres = Caption("DCres", nullptr, "DC resistance = ");
  Control& ACres = Caption("ACres", nullptr, "AC resistance = ");
  Control& XLreact = Caption("XLreact", nullptr, "XL reactance  = ");
  Control& ImedanceZ = Caption("ImedanceZ", nullptr, "Z   impedance =  ");
  Control& Line2 = Plain(ControlKind::Line, "Line2", nullptr, "");
  Control& Line3 = Plain(ControlKind::Line, "Line3", nullptr, "");
  Control& Frame3D12 = Frame("Frame3D12", "Conductor material");
  OptionButton& OptCU = Option("OptCU", Frame3D12, "Copper");
  OptionButton& OptAL = Option("OptAL", Frame3D12, "Aluminum");
  Control& Frame3D6 = Frame("Frame3D6", "Conductor size /  ");
  Control& WireArea = Caption("WireArea", &Frame3D6, "Cross-section");
  ComboBox& ComWS = List("ComWS", Frame3D6);

  // Row 6
  Control& Frame3D15 = Frame("Frame3D15", "Number of parallel conduit (feeder) runs");
  OptionButton& OptionNOR1 = Option("OptionNOR1", Frame3D15, "1");
  OptionButton& OptionNOF2 = Option("OptionNOF2", Frame3D15, "2");
  OptionButton& OptionNOF3 = Option("OptionNOF3", Frame3D15, "3");
  OptionButton& OptionNOF4 = Option("OptionNOF4", Frame3D15, "4");
  OptionButton& OptionNOF5 = Option("OptionNOF5", Frame3D15, "5");
  OptionButton& OptionNOF6 = Option("OptionNOF6", Frame3D15, "6");

  // Row 7
  Control& CmdAbout = Button("CmdAbout", nullptr, "About");
  Control& PasteComm = Button("PasteComm", nullptr, "Paste calculation to clipboard");
  TextBox& Job = Text("Job", nullptr, kJobPrompt);
  Control& Command1 = Button("Command1", nullptr, "Feeder Efficiency Tip");
  Control& Command2 = Button("Command2", nullptr, "Settings");
  Control& Tools = Button("Tools", nullptr, "Tools");
  // Opened by Tools and by a right click on the window; the running program fills it.
  Menu& ToolsMenu = Add<Menu>("ToolsMenu");

  // Row 8
  Control& Stat = Plain(ControlKind::Panel3D, "Stat", nullptr, "");

  // Hint strips and the hidden helpers.
  Control& Label5 = Caption("Label5", nullptr, "");
  Control& Label6 = Caption("Label6", nullptr, "");
  TextBox& Text1 = Text("Text1", nullptr, "");
  TextBox& Text2 = Text("Text2", nullptr, "");
  TextBox& Text3 = Text("Text3", nullptr, "");
  Control& TiCommon = Caption("TiCommon", nullptr, "hiden procedure TiCommon");
  Timer& Timer1 = Ticker("Timer1", true);
  Timer& Timer2 = Ticker("Timer2", false);
};

}  // namespace quillet
