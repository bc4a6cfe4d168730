#include "app/tools_menu.h"

#include "app/program.h"
#include "report/calculation_report.h"
#include "report/report_printer.h"

namespace quillet {
namespace {

// The report as the window stands once the title block is given; its
// printer's dialogs hold the desktop busy as a message box does.
void SendReport(Program& p, const char* purpose, void (*send)(Program&, const CalculationReport&)) {
  if (!p.reportPrinter) return;
  auto go = [&p, send](const TitleBlock& title) {
    if (!p.reportPrinter) return;
    const Desktop::Guard busy(p.desktop);
    CalculationReport report = p.Report();
    report.titleBlock = title;
    send(p, report);
  };
  if (p.askTitleBlock) p.askTitleBlock(purpose, go);
  else go({});
}

void PrintCalculation(Program& p) {
  SendReport(p, "Print calculation",
             [](Program& program, const CalculationReport& r) { program.reportPrinter->Print(r); });
}

void SaveCalculationAsPdf(Program& p) {
  SendReport(p, "Save calculation as PDF", [](Program& program, const CalculationReport& r) {
    program.reportPrinter->SavePdf(r, SuggestedPdfName(program.main.Job.Text()));
  });
}

// The calculation's own items, after the tools'.
const struct {
  const char* text;
  const char* shortcut;
  void (*run)(Program&);
  bool writesFile;
} kReportItems[] = {
    {"Print calculation…", "Ctrl+P", PrintCalculation, false},
    {"Save calculation as PDF…", "Ctrl+Shift+S", SaveCalculationAsPdf, true},
};

}  // namespace

void FillToolsMenu(Program& p) {
  std::vector<MenuItem> items;
  for (const Tool& tool : p.Tools())
    if (!tool.window || p.Shows(*tool.window)) items.push_back({tool.text, tool.shortcut, tool.run});
  for (const auto& item : kReportItems)
    if (!item.writesFile || p.Support().pdfFiles)
      items.push_back({item.text, item.shortcut, [&p, run = item.run] { run(p); }});
  p.main.ToolsMenu.SetItems(std::move(items));
}

void AttachToolsMenu(Program& p) {
  FillToolsMenu(p);
  p.main.Tools.Click = [&p] { p.main.ToolsMenu.Popup(&p.main.Tools); };
  p.main.RightClickOnWindow = [&p] { p.main.ToolsMenu.Popup(nullptr); };
}

}  // namespace quillet
