// Plays a script of user actions against a running program and prints what
// the controls show. One command a line; see the README for the commands.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "script/recorded_reports.h"
#include "script/schedule_commands.h"

namespace quillet {

class Grid;
class Program;
class ScriptedServices;

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Splits a line into arguments; quoted arguments take C escapes.
std::vector<std::string> SplitScriptLine(const std::string& line);
// A text as the driver prints it: quoted, with escapes.
std::string QuoteText(const std::string& text);
// Texts as the driver prints a list of them: ["a","b"].
std::string ListText(const std::vector<std::string>& items);
// A grid's headings, or one row's cells, of the columns given (all when none).
std::vector<std::string> GridHeadings(const Grid& grid, std::vector<int> columns = {});
std::vector<std::string> GridRow(const Grid& grid, int row, std::vector<int> columns = {});

class ScriptRunner {
 public:
  // Reports the program prints or saves are recorded while the runner lives.
  ScriptRunner(Program& program, ScriptedServices& services, std::ostream& out);
  ~ScriptRunner();
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  // Runs one line; blank lines and comments do nothing. Throws ScriptError.
  void RunLine(const std::string& line);
  // Runs every line; the error names the line number.
  void RunAll(std::istream& in);

 private:
  void TickRound();
  void Print(const std::string& what);
  void PrintState(const std::string& field);
  void PrintFile(const std::string& name);
  void PrintMessages();
  void PrintReport();
  void PrintReportRequests();
  void PickFromMenu(const std::string& menuName, const std::string& itemText);
  void PrintLines(const std::string& what, const std::string& text);
  void WriteFile(const std::string& name, const std::string& content);
  std::filesystem::path FolderPath(const std::string& name) const;

  Program& program_;
  ScriptedServices& services_;
  std::ostream& out_;
  RecordedReports reports_;
  // Present when the program has the feeder schedule.
  std::unique_ptr<ScheduleCommands> schedule_;
};

}  // namespace quillet
