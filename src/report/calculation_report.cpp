#include "report/calculation_report.h"

#include <initializer_list>

#include "core/elcal.h"
#include "platform/desktop.h"
#include "platform/utf8.h"
#include "report/summary_words.h"

namespace quillet {
namespace {

constexpr char kTitle[] = "Voltage drop calculation";
constexpr char kFooter[] =
    "Conductor data follow NEC Chapter 9, Tables 8 and 9 (recalculated from ASTM B193-16); ampacity "
    "Table 310.16; ambient correction Table 310.15(B)(1); motor currents Tables 430.248 and 430.250.";
// Long enough for any tag, short enough for every file system.
constexpr int kMaxNameCharacters = 100;

// The value after the caption's "=", as the window's parameter lines read
// "AC resistance = 0.402 Ohm/km".
std::string AfterEquals(const std::string& caption) {
  const auto at = caption.find('=');
  return Squeezed(at == std::string::npos ? caption : caption.substr(at + 1));
}

// The parts that say something, joined by commas.
std::string JoinedParts(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts)
    if (!part.empty()) out += (out.empty() ? "" : ", ") + part;
  return out;
}

std::string AmpacityVerdict(const Elcal& w) {
  switch (w.state.LoadCheck) {
    case AmpacityCheck::Over100: return "less than the current";
    case AmpacityCheck::Ok: return "at least 125 % of the current";
    case AmpacityCheck::Over80: break;
  }
  return "covers the current by less than 25 %";
}

// The DC drop only where the window shows it: single phase or DC at PF 1.
bool DcDropShown(const Elcal& w) {
  return w.FrameVDDC.ForeColor() != kGrayText && !Squeezed(w.VDC.Caption()).empty();
}

ReportSection Inputs(const Elcal& w) {
  return {"Inputs",
          {{"Voltage", Squeezed(VoltageWords(w))},
           {"Current", Squeezed(CurrentWords(w))},
           {"Power", Squeezed(PowerWords(w))},
           {"Feeder", Squeezed(FeederWords(w))},
           {"Conductors", Squeezed(ConductorWords(w))}}};
}

ReportSection Results(const Elcal& w) {
  const ElcalState& s = w.state;
  ReportSection results{"Results", {{"AC voltage drop", Squeezed(AcDropWords(w))}}};
  auto& rows = results.rows;
  if (DcDropShown(w))
    rows.push_back({"DC voltage drop", Squeezed(w.VDC.Caption() + " / " + w.VDCPER.Caption()) +
                                           " of the supply voltage."});
  rows.push_back({"DC resistance (Rdc)", AfterEquals(w.DCres.Caption())});
  rows.push_back({"AC resistance (Rac)", AfterEquals(w.ACres.Caption()) + " at " + w.WOTD.Caption()});
  rows.push_back({"XL reactance", AfterEquals(w.XLreact.Caption())});
  rows.push_back({"Z impedance", AfterEquals(w.ImedanceZ.Caption())});
  rows.push_back({"Cross-section", AfterEquals(w.WireArea.Caption())});
  rows.push_back({"Feeder ampacity", JoinedParts({Squeezed(w.Ampacit.Caption() + " " + w.AmpacAmb.Caption()),
                                                  Squeezed(w.AmpacCorr.Caption()), AmpacityVerdict(w)})});
  rows.push_back({"Wire temperature", "set to " + w.WOTD.Caption() + ", estimated " + w.EAWOTD.Caption() +
                                          " with continuous load"});
  if (!s.AlternateBlock.empty())
    rows.push_back({"Alternate drop", Squeezed(w.VDACact.Caption() + " / " + w.VDACactPer.Caption()) +
                                          " with AC resistance " + w.TextACR.Text() + s.ResistanceUnit +
                                          " and XL reactance " + w.TextXLR.Text() + s.ResistanceUnit});
  return results;
}

ReportSection Notes(const Elcal& w) {
  ReportSection notes{"Notes", {}};
  for (const std::string* note : {&w.state.AmpacityNote, &w.state.MotorText, &w.state.RunsNote})
    if (std::string text = Squeezed(*note); !text.empty()) notes.rows.push_back({"", text});
  return notes;
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Characters no common file system takes in a name.
bool Forbidden(char32_t c) {
  return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
         c == '<' || c == '>' || c == '|';
}

// The field's prompt is not a job name: a page prints a blank for it.
std::string JobOnPaper(const std::string& job) { return job == kJobPrompt ? "" : Squeezed(job); }

}  // namespace

std::string Squeezed(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // U+00A0 counts as a blank on the page too.
    const bool nbsp = text[i] == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
    if (Blank(text[i]) || nbsp) {
      if (!out.empty() && out.back() != ' ') out += ' ';
      if (nbsp) ++i;
      continue;
    }
    out += text[i];
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

CalculationReport BuildCalculationReport(const Elcal& w, std::vector<ReportSection> extra) {
  CalculationReport report;
  report.title = kTitle;
  report.job = w.Job.Text();
  report.heading = {{kJobLabel, JobOnPaper(w.Job.Text())},
                    {"Date", w.Screen().Os().NowText()},
                    {"Program", w.state.ProgramName + " " + w.state.VersionText}};
  report.sections = {Inputs(w), Results(w)};
  for (ReportSection& section : extra) report.sections.push_back(std::move(section));
  if (ReportSection notes = Notes(w); !notes.rows.empty()) report.sections.push_back(std::move(notes));
  report.footer = kFooter;
  return report;
}

std::string SuggestedPdfName(const std::string& name, const std::string& fallback) {
  std::string safe;
  const int count = Utf8Length(name);
  for (int i = 0; i < count; ++i) {
    const std::size_t from = Utf8Offset(name, i);
    const std::string character = name.substr(from, Utf8Offset(name, i + 1) - from);
    safe += Forbidden(Utf8First(character)) ? std::string(" ") : character;
  }
  safe = Squeezed(safe);
  safe.resize(Utf8Offset(safe, kMaxNameCharacters));
  // Dots or blanks at the ends would hide the file or swallow the extension.
  while (!safe.empty() && (safe.front() == '.' || safe.front() == ' ')) safe.erase(0, 1);
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  if (safe.empty() || name == kJobPrompt) safe = fallback;
  return safe + ".pdf";
}

std::string SuggestedPdfName(const std::string& job) { return SuggestedPdfName(job, kTitle); }

}  // namespace quillet
