// The driver's `schedule` commands: the feeder schedule window played as a
// person would use it, and its table printed.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "workbench/schedule_printout.h"

namespace quillet {

class ScheduleWindow;
class ScriptedServices;
class UserActions;

class ScheduleCommands {
 public:
  // `folderPath` turns a bare file name into its place in the program folder.
  ScheduleCommands(ScheduleWindow& window, UserActions& actions, ScriptedServices& services, std::ostream& out,
                   std::function<std::filesystem::path(const std::string&)> folderPath);
  ~ScheduleCommands();
  ScheduleCommands(const ScheduleCommands&) = delete;
  ScheduleCommands& operator=(const ScheduleCommands&) = delete;

  // args[0] is "schedule". Throws ScriptError.
  void Run(const std::vector<std::string>& args);

 private:
  void Wait();
  void PrintTable(const std::vector<std::string>& columns);
  void PrintValues(const std::vector<std::string>& columns);
  void PrintCell(int row, int column);
  void PrintDiagram();
  int RowArg(const std::string& text) const;
  int ColumnArg(const std::string& text) const;
  void SelectRow(int row);

  ScheduleWindow& window_;
  UserActions& actions_;
  ScriptedServices& services_;
  std::ostream& out_;
  std::function<std::filesystem::path(const std::string&)> folderPath_;
  // The answers of the next save dialogs, and of the open dialog of the
  // import under way; none cancels.
  std::deque<std::string> files_;
  std::string importing_;
  // The print and PDF requests since the last `schedule prints`.
  class RecordedPrints : public SchedulePrinter {
   public:
    void Print(const SchedulePrintout& printout) override;
    void SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) override;
    std::vector<std::string> requests;
  };
  RecordedPrints prints_;
};

}  // namespace quillet
