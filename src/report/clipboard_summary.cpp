#include "report/clipboard_summary.h"

#include "core/elcal.h"
#include "platform/desktop.h"
#include "report/summary_words.h"

namespace quillet {
namespace {

constexpr char kCrLf[] = "\r\n";

std::string ResultsText(const Elcal& w) {
  return "Voltage      \t= " + VoltageWords(w) + kCrLf + "Current       \t= " + CurrentWords(w) + kCrLf +
         "Power         \t= " + PowerWords(w) + kCrLf + "Voltage Drop\t= " + AcDropWords(w);
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
  s.AmpacityLine = AmpacityWords(w);
  const std::string lines[] = {
      "Voltage Drop Calculations - Date: " + w.Screen().Os().NowText(),
      std::string(kJobLabel) + ": " + w.Job.Text(),
      s.AmpacityNote + s.MotorText,
      s.ResultsText,
      "For " + FeederWords(w),
      s.AmpacityLine,
      OperatingTemperatureWords(w),
      "",
      "Conductor parameters used in calculation: ",
      ResistanceWords(w),
      w.XLreact.Caption(),
      ConductorWords(w) + s.AlternateBlock + s.RunsNote,
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
