#include "app/tools_menu.h"

#include "app/program.h"
#include "report/calculation_report.h"
#include "report/report_printer.h"

namespace quillet {
namespace {

void PrintCalculation(Program& p) {
  if (p.reportPrinter) p.reportPrinter->Print(BuildCalculationReport(p.main));
}

void SaveCalculationAsPdf(Program& p) {
  if (p.reportPrinter) p.reportPrinter->SavePdf(BuildCalculationReport(p.main), SuggestedPdfName(p.main.Job.Text()));
}

struct ToolsItem {
  const char* text;
  const char* shortcut;
  void (*run)(Program&);
};

// In menu order; a tool joins the menu with one line here.
constexpr ToolsItem kToolsItems[] = {
    {"Print calculation…", "Ctrl+P", PrintCalculation},
    {"Save calculation as PDF…", "Ctrl+Shift+S", SaveCalculationAsPdf},
};

}  // namespace

void AttachToolsMenu(Program& p) {
  for (const ToolsItem& item : kToolsItems)
    p.main.ToolsMenu.AddItem({item.text, item.shortcut, [&p, run = item.run] { run(p); }});
  p.main.Tools.Click = [&p] { p.main.ToolsMenu.Popup(&p.main.Tools); };
  p.main.RightClickOnWindow = [&p] { p.main.ToolsMenu.Popup(nullptr); };
}

}  // namespace quillet
