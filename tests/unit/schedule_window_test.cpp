// The schedule window against the schedule tool: the same file gives the
// same output. (Rows opened in the calculator, the load ratio, a long file
// and "Add this feeder": the schedule_* scenarios.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fresh_folder.h"
#include "schedule/schedule.h"
#include "script/scripted_services.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

std::string ToolOutput(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  RunSchedule(in, out, ScheduleDefaults{}, 1);
  return out.str();
}

TEST(ScheduleWindowTest, ExportsWhatTheToolWritesForTheSameFile) {
  const struct {
    const char* name;
    std::string content;
  } files[] = {
      {"comma and LF",
       "tag,voltage,current,length,size,note\nA,208,100,30,,kept\nB,480,,50,2,\nC,x,10,10,,\n"},
      {"semicolon, decimal comma, CR LF, BOM",
       "\xEF\xBB\xBFtag;voltage;power;length;unit;max_vd_pct\r\nA;230;1500,5;12,5;m;2,5\r\nB;400;;10;m;\r\n"},
      {"quoted line break",
       "tag,voltage,current,length\n\"two\nlines\",208,10,30\nafter,208,10,-1\n"},
  };
  const FreshFolder folder;
  ScriptedServices services{folder.Text()};
  Workbench bench{services, 28800, 16200};
  ScheduleWindow& s = bench.schedule;
  const std::string in = (folder / "in.csv").string(), out = (folder / "out.csv").string();
  std::string nextFile;
  bench.program.Start();
  s.askFileName = [&nextFile](FileQuestion, const std::string&) { return nextFile; };
  s.Open();
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    std::ofstream(in, std::ios::binary) << file.content;
    nextFile = in;
    bench.program.actions.Click(s.Import);
    s.model.EvaluateAll();
    nextFile = out;
    bench.program.actions.Click(s.Export);
    std::ifstream written(out, std::ios::binary);
    std::ostringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), ToolOutput(file.content));
    EXPECT_FALSE(std::filesystem::exists(out + ".part"));
  }
}

}  // namespace
}  // namespace quillet
