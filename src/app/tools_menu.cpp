#include "app/tools_menu.h"

#include "app/program.h"
#include "report/calculation_report.h"
#include "report/report_printer.h"

namespace quillet {
namespace {

void PrintCalculation(Program& p) {
  if (p.reportPrinter) p.reportPrinter->Print(p.Report());
}

void SaveCalculationAsPdf(Program& p) {
  if (p.reportPrinter) p.reportPrinter->SavePdf(p.Report(), SuggestedPdfName(p.main.Job.Text()));
}

// The calculation's own items, after the tools'.
const struct {
  const char* text;
  const char* shortcut;
  void (*run)(Program&);
} kReportItems[] = {
    {"Print calculation…", "Ctrl+P", PrintCalculation},
    {"Save calculation as PDF…", "Ctrl+Shift+S", SaveCalculationAsPdf},
};

}  // namespace

void FillToolsMenu(Program& p) {
  std::vector<MenuItem> items;
  for (const Tool& tool : p.Tools()) items.push_back({tool.text, tool.shortcut, tool.run});
  for (const auto& item : kReportItems) items.push_back({item.text, item.shortcut, [&p, run = item.run] { run(p); }});
  p.main.ToolsMenu.SetItems(std::move(items));
}

void AttachToolsMenu(Program& p) {
  FillToolsMenu(p);
  p.main.Tools.Click = [&p] { p.main.ToolsMenu.Popup(&p.main.Tools); };
  p.main.RightClickOnWindow = [&p] { p.main.ToolsMenu.Popup(nullptr); };
}

}  // namespace quillet
