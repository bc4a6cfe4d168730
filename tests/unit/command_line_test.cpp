// The tools' shared command-line conventions: help and version on standard
// output with status 0, refusals on standard error with status 2.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "platform/version.h"

namespace quillet::cli {
namespace {

const Tool kTool = {"quillet-test", "[--value X] [--flag] [FILE]", "  --value X  a value\n",
                    {{"value", true, 1, 'v'}, {"flag", false, 2}}};

struct Outcome {
  Parsed parsed;
  std::string out, err;
  std::vector<std::string> seen;  // "id=value" for each option handled; the handler refuses "bad"
};

Outcome Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "quillet-test");
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Outcome run;
  std::ostringstream out, err;
  run.parsed = ParseCommandLine(kTool, static_cast<int>(args.size()), argv.data(),
                                [&](int id, const std::string& value) {
                                  run.seen.push_back(std::to_string(id) + "=" + value);
                                  return value == "bad" ? "refused " + value : "";
                                },
                                out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(CommandLine, HelpAndVersionEndWellAndRefusalsWithTheUsage) {
  const std::string usage = "usage: quillet-test [--value X] [--flag] [FILE]\n";
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string out, err;  // err: its start
  } rows[] = {
      {"help", {"--flag", "--help", "--bogus"}, kExitOk, usage + "  --value X  a value\n", ""},
      {"help, short", {"-h"}, kExitOk, usage + "  --value X  a value\n", ""},
      {"version", {"--version"}, kExitOk, "quillet-test " + ProgramVersionText() + "\n", ""},
      {"unknown long option", {"--bogus"}, kExitUsage, "", "quillet-test: unknown option --bogus\n" + usage},
      {"unknown short option", {"-x"}, kExitUsage, "", "quillet-test: unknown option -x\n" + usage},
      {"value missing", {"--value"}, kExitUsage, "", "quillet-test: option --value needs a value\n" + usage},
      {"value on a flag", {"--flag=1"}, kExitUsage, "", "quillet-test: option --flag takes no value\n" + usage},
      {"unknown option with a value", {"--bogus=1"}, kExitUsage, "", "quillet-test: unknown option --bogus\n"},
      {"the handler refuses", {"--value", "bad"}, kExitUsage, "", "quillet-test: refused bad\n" + usage},
      {"one-letter form without its value", {"-v"}, kExitUsage, "", "quillet-test: option -v needs a value\n"},
  };
  for (const auto& row : rows) {
    const Outcome run = Parse(row.args);
    EXPECT_TRUE(run.parsed.exit) << row.name;
    EXPECT_EQ(run.parsed.status, row.status) << row.name;
    EXPECT_EQ(run.out, row.out) << row.name;
    EXPECT_TRUE(run.err.starts_with(row.err) && run.err.empty() == row.err.empty()) << row.name << ": " << run.err;
  }
}

TEST(CommandLine, HandsEachOptionToTheToolAndKeepsTheOperands) {
  const struct {
    const char* name;
    std::vector<std::string> args, seen, operands;
  } rows[] = {
      {"again from the start after a refusal", {"--value", "3", "-"}, {"1=3"}, {"-"}},
      {"options in any order, operands after --", {"in.script", "--value=7", "--flag", "--", "--not-an-option"},
       {"1=7", "2="}, {"in.script", "--not-an-option"}},
      {"one-letter forms", {"-v", "5", "-v6", "in.csv"}, {"1=5", "1=6"}, {"in.csv"}},
  };
  Parse({"--bogus"});
  for (const auto& row : rows) {
    const Outcome run = Parse(row.args);
    EXPECT_FALSE(run.parsed.exit) << row.name;
    EXPECT_EQ(run.seen, row.seen) << row.name;
    EXPECT_EQ(run.parsed.operands, row.operands) << row.name;
  }
}

}  // namespace
}  // namespace quillet::cli
