#include "report/clipboard_summary.h"

#include "core/elcal.h"
#include "core/numbers.h"
#include "platform/desktop.h"

namespace quillet {
namespace {

constexpr char kCrLf[] = "\r\n";

std::string ResultsText(const Elcal& w) {
  const ElcalState& s = w.state;
  return "Voltage      \t= " + w.V.Text() + " V, " + s.PhaseText + kCrLf +
         "Current       \t= " + w.A.Text() + " Amp" + kCrLf +
         "Power         \t= " + w.W.Text() + " " + w.VA.Caption() + "  @ PF = " + ShortSingleText(s.PowerFactor) +
         kCrLf + "Voltage Drop\t= " + w.VDACL.Caption() + " / " + w.VDACPRCL.Caption() + " of the supply voltage.";
}

void PasteComm_Click(Elcal& w) {
  ElcalState& s = w.state;
  BuildReport(w);
  s.MsgText = std::string("Click OK to override current clipboard content") + kCrLf + "Click Cancel to abort";
  s.MsgButtons = "49";
  const int answer = w.Screen().MessageBox(s.MsgText, kStyleOkCancelExclamation, s.MsgTitle);
  s.MsgAnswer = std::to_string(answer);
  if (answer == kAnswerOk) {
    w.Screen().Os().ClearClipboard();
    w.Screen().Os().SetClipboardText(s.ReportText);
  }
  // Ready for the next job name.
  w.Job.SetFocus();
  w.Job.SetSelStart(0);
  w.Job.SetSelLength(w.Job.Length());
}

}  // namespace

std::string BuildReport(Elcal& w) {
  ElcalState& s = w.state;
  s.MsgTitle = "Pasting Calculation to Clipboard";
  s.JobName = w.Job.Text();
  s.ResultsText = ResultsText(w);
  s.AmpacityLine = "Feeder Code ampacity " + s.AmbientText + " = " + w.Ampacit.Caption();
  const std::string lines[] = {
      "Voltage Drop Calculations - Date: " + w.Screen().Os().NowText(),
      "Job Name/Feeder Tag: " + w.Job.Text(),
      s.AmpacityNote + s.MotorText,
      s.ResultsText,
      "For " + w.L.Text() + " " + w.CmdUnit.Caption() + " long, " + s.RunsText + s.WiresText + w.ComWS.Text() +
          s.MaterialText + s.ConduitText,
      s.AmpacityLine,
      "Estimated circuit operating temperature (with continuous load) is " + w.EAWOTD.Caption(),
      "",
      "Conductor parameters used in calculation: ",
      w.ACres.Caption() + " for conductor temperature of " + w.WOTD.Caption(),
      w.XLreact.Caption(),
      s.WireTypeText + s.InsulationText + s.AlternateBlock + s.RunsNote,
      s.SeparatorText,
  };
  s.ReportText.clear();
  for (const std::string& line : lines) s.ReportText += line + kCrLf;
  return s.ReportText;
}

void AttachClipboardSummary(Elcal& w) {
  w.PasteComm.Click = [&w] { PasteComm_Click(w); };
}

}  // namespace quillet
