// The tools' shared command-line conventions: help and version on standard
// output with status 0, refusals on standard error with status 2.
#include <gtest/gtest.h>

#include <initializer_list>
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
  std::vector<std::string> seen;  // "id=value" for each option handled
};

Outcome Parse(std::initializer_list<const char*> args, const std::string& refuse = "") {
  std::vector<std::string> storage{"quillet-test"};
  storage.insert(storage.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Outcome run;
  std::ostringstream out, err;
  run.parsed = ParseCommandLine(kTool, static_cast<int>(storage.size()), argv.data(),
                                [&](int id, const std::string& value) {
                                  run.seen.push_back(std::to_string(id) + "=" + value);
                                  return value == refuse && !refuse.empty() ? "refused " + value : "";
                                },
                                out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(CommandLine, HelpGoesToStandardOutputWithStatusZero) {
  for (const char* option : {"--help", "-h"}) {
    const Outcome run = Parse({"--flag", option, "--bogus"});
    EXPECT_TRUE(run.parsed.exit) << option;
    EXPECT_EQ(run.parsed.status, kExitOk);
    EXPECT_EQ(run.out, "usage: quillet-test [--value X] [--flag] [FILE]\n  --value X  a value\n");
    EXPECT_EQ(run.err, "");
  }
}

TEST(CommandLine, VersionIsTheProgramVersion) {
  const Outcome run = Parse({"--version"});
  EXPECT_TRUE(run.parsed.exit);
  EXPECT_EQ(run.parsed.status, kExitOk);
  EXPECT_EQ(run.out, "quillet-test " + ProgramVersionText() + "\n");
}

TEST(CommandLine, RefusalsGoToStandardErrorWithStatusTwo) {
  struct Row {
    const char* name;
    std::vector<const char*> args;
    std::string message;
  } rows[] = {
      {"unknown long option", {"--bogus"}, "unknown option --bogus"},
      {"unknown short option", {"-x"}, "unknown option -x"},
      {"value missing", {"--value"}, "option --value needs a value"},
      {"value on a flag", {"--flag=1"}, "option --flag takes no value"},
      {"unknown long option with a value", {"--bogus=1"}, "unknown option --bogus"},
      {"handler refuses", {"--value", "bad"}, "refused bad"},
      {"one-letter form without its value", {"-v"}, "option -v needs a value"},
  };
  for (const Row& row : rows) {
    const Outcome run =
        row.args.size() == 1 ? Parse({row.args[0]}, "bad") : Parse({row.args[0], row.args[1]}, "bad");
    EXPECT_TRUE(run.parsed.exit) << row.name;
    EXPECT_EQ(run.parsed.status, kExitUsage) << row.name;
    EXPECT_EQ(run.out, "") << row.name;
    EXPECT_EQ(run.err.rfind("quillet-test: " + row.message + "\nusage: quillet-test ", 0), 0u)
        << row.name << ": " << run.err;
  }
}

TEST(CommandLine, OptionsInAnyOrderAndOperandsAfterThem) {
  const Outcome run = Parse({"in.script", "--value=7", "--flag", "--", "--not-an-option"});
  EXPECT_FALSE(run.parsed.exit);
  EXPECT_EQ(run.seen, (std::vector<std::string>{"1=7", "2="}));
  EXPECT_EQ(run.parsed.operands, (std::vector<std::string>{"in.script", "--not-an-option"}));
}

TEST(CommandLine, OneLetterFormsReachTheHandlerAsTheirOption) {
  const Outcome run = Parse({"-v", "5", "-v6", "in.csv"});
  EXPECT_FALSE(run.parsed.exit);
  EXPECT_EQ(run.seen, (std::vector<std::string>{"1=5", "1=6"}));
  EXPECT_EQ(run.parsed.operands, (std::vector<std::string>{"in.csv"}));
}

TEST(CommandLine, ParsesAgainFromTheStart) {
  Parse({"--bogus"});
  const Outcome run = Parse({"--value", "3", "-"});
  EXPECT_FALSE(run.parsed.exit);
  EXPECT_EQ(run.seen, (std::vector<std::string>{"1=3"}));
  EXPECT_EQ(run.parsed.operands, (std::vector<std::string>{"-"}));
}

}  // namespace
}  // namespace quillet::cli
