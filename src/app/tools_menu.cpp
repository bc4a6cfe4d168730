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
  // Either a report of the program, or a feeder tool built above it that is
  // offered once it is set.
  void (*run)(Program&);
  std::function<void()> FeederTools::*tool;
};

// In menu order; a tool joins the menu with one line here.
const ToolsItem kToolsItems[] = {
    {"Find the smallest size…", "Ctrl+F", nullptr, &FeederTools::findSmallestSize},
    {"Feeder schedule…", "Ctrl+E", nullptr, &FeederTools::openSchedule},
    {"Add this feeder to the schedule", "Ctrl+D", nullptr, &FeederTools::addFeederToSchedule},
    {"Print calculation…", "Ctrl+P", PrintCalculation, nullptr},
    {"Save calculation as PDF…", "Ctrl+Shift+S", SaveCalculationAsPdf, nullptr},
};

std::function<void()> Action(Program& p, const ToolsItem& item) {
  if (item.tool) return [&p, tool = item.tool] { (p.feederTools.*tool)(); };
  return [&p, run = item.run] { run(p); };
}

}  // namespace

void FillToolsMenu(Program& p) {
  std::vector<MenuItem> items;
  for (const ToolsItem& item : kToolsItems)
    if (!item.tool || p.feederTools.*item.tool) items.push_back({item.text, item.shortcut, Action(p, item)});
  p.main.ToolsMenu.SetItems(std::move(items));
}

void AttachToolsMenu(Program& p) {
  FillToolsMenu(p);
  p.main.Tools.Click = [&p] { p.main.ToolsMenu.Popup(&p.main.Tools); };
  p.main.RightClickOnWindow = [&p] { p.main.ToolsMenu.Popup(nullptr); };
}

}  // namespace quillet
