// Seeded random user sessions through the script driver, checking after every
// tick what must always hold. A failure prints the seed and the shortest
// script found that still breaks the rule; play it with quillet-script.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "fresh_folder.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"
#include "soak_rules.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

using Script = std::vector<std::string>;

// ---- The random session -------------------------------------------------

const char* const kTextBoxes[] = {"V", "A", "W", "L", "TextACR", "TextXLR", "Job",
                                  "EffCon.Text1", "EffCon.Text2", "EffCon.Text3", "Finder.Limit",
                                  "Schedule.NewLimit"};
const char* const kCharacters[] = {"0", "1", "2", "5", "7", "9", ".", ",", " ", "a", "x", "e", "-", "+",
                                   "/", "\\b", "\\b", "\\u00e9", "\\u20ac", "\\t", "\\\"", "0", "3", "8"};
const char* const kTexts[] = {"", "0", "0.0", "1", "208", "600", "701", "99999", "100000", ".5", "1,000",
                              "99999999999999999999999999999", "0.000000001", "12x", "24", "1000", "0.0005",
                              "5.08", "30"};
const char* const kClickables[] = {
    "TPh", "SPh", "OptPF1", "OptPF095", "OptPF09", "OptPF085", "OptPF08", "OptPF075", "OptMAG", "OptNONM",
    "Opt90C", "Opt75C", "Opt60C", "OptCU", "OptAL", "OptionNOR1", "OptionNOF2", "OptionNOF3", "OptionNOF4",
    "OptionNOF5", "OptionNOF6", "AmbCmnd", "CmdDeg", "CmdUnit", "CmdAbout", "PasteComm", "Command1", "Command2",
    "Tools", "Stat", "Frame3D2", "Ampacit", "A", "Job", "EffCon.Command1", "EffCon.Command2", "EffCon.System",
    "EffCon.Help", "About.Command2", "About.Command3", "About", "Discl", "Discl.Text1", "Discl.Command3",
    "Phases.Label1", "Phases.Picture2", "Motor", "Motor.Label1", "Finder.Continuous", "Finder.UseSize",
    "Finder.CloseButton", "Schedule.AddRow", "Schedule.DeleteRow", "Schedule.DeleteRow", "Schedule.OpenInCalc",
    "Schedule.NewContinuous"};
const char* const kSpins[] = {"VS", "AS", "PS", "LS", "VDPS", "WOTPS", "AmpS"};
const char* const kKeyTargets[] = {"A", "V", "W", "L", "ComWS", "ComHP", "TPh", "OptPF08", "OptCU", "OptionNOF3",
                                   "CmdUnit", "TextACR", "EffCon.Text2", "Elcal", "Discl", "Finder.Limit",
                                   "Finder.Runs", "Finder.UseSize"};
const char* const kKeyCodes[] = {"38", "40", "32", "13", "27", "65"};
const char* const kHovered[] = {"Command1", "Frame3D15", "Ampacit", "VDACL", "WOTD", "Frame3D16", "Elcal",
                                "Phases.Panel3ph", "Opt60C"};
const char* const kDoubleClicked[] = {"Stat", "Frame3D13", "Frame3D16", "Frame3D14", "FrameWOT", "Frame3D9",
                                      "FrameAlternate", "Frame3D15", "AmpacCorr"};
const char* const kShortcuts[] = {"Ctrl+P", "Ctrl+Shift+S", "Ctrl+F", "Ctrl+E", "Ctrl+D"};
// The schedule's cells: rows from 1 (a row the table lacks is left out when
// played), input columns, and texts that mean something in them.
const char* const kScheduleColumns[] = {"tag",    "system",  "voltage",    "current", "power",  "motor_hp",
                                        "pf",     "material", "conduit",   "insulation", "ambient", "length",
                                        "unit",   "runs",    "size",       "wire_temp", "user_r", "max_vd_pct",
                                        "continuous"};
const char* const kCellTexts[] = {"", "1", "3", "DC", "208", "480", "24", "100", "2000", "0.8", "al", "cu", "pvc",
                                  "60", "90", "40", "ft", "m", "4", "4/0", "250 kcmil", "14", "yes", "7.5", "x", "-1"};
const char* const kPastedBlocks[] = {"208\\t100", "480\\t10\\r\\n208\\t20\\r\\n", "x", "\\t\\t\\t", "1\\n2\\n3\\n4\\n5"};
const char* const kFocused[] = {"V", "A", "W", "L", "Job", "ComWS", "CmdDeg", "Opt90C", "TextXLR"};

class SessionMaker {
 public:
  explicit SessionMaker(unsigned seed) : random_(seed) {}

  std::string NextEvent() {
    const int roll = Between(0, 109);
    if (roll < 30) return "tick";
    if (roll < 45) return "type " + std::string(Pick(kTextBoxes)) + " \"" + Characters() + "\"";
    if (roll < 50) return "settext " + std::string(Pick(kTextBoxes)) + " \"" + Pick(kTexts) + "\"";
    if (roll < 62) return "click " + std::string(Pick(kClickables));
    if (roll < 70) return std::string("select ") + PickList() + " " + std::to_string(Between(-2, 22));
    if (roll < 78) return std::string(Between(0, 1) ? "spinup " : "spindown ") + Pick(kSpins);
    if (roll < 84) return "key " + std::string(Pick(kKeyTargets)) + " " + Pick(kKeyCodes);
    if (roll < 88) return "hover " + std::string(Pick(kHovered));
    if (roll < 91) return "dblclick " + std::string(Pick(kDoubleClicked));
    if (roll < 95) return "focus " + std::string(Pick(kFocused));
    if (roll < 98) return "answer " + std::to_string(Between(1, 2));
    if (roll < 99) return "shortcut " + std::string(Pick(kShortcuts));
    if (roll < 100) return "deactivate Phases";
    return ScheduleEvent();
  }

 private:
  const char* PickList() {
    const int roll = Between(0, 4);
    return roll < 2 ? "ComWS" : roll < 4 ? "ComHP" : "Finder.Runs";
  }
  // Typed edits, pastes, undo and the row buttons of the schedule window.
  std::string ScheduleEvent() {
    const std::string row = " " + std::to_string(Between(1, 4));
    const std::string column = std::string(" ") + Pick(kScheduleColumns);
    // Deletes outnumber the rows added, so the table stays a few rows long.
    switch (Between(0, 10)) {
      case 0: case 1: case 2: return "schedule set" + row + column + " \"" + Pick(kCellTexts) + "\"";
      case 3: return std::string("setclipboard \"") + Pick(kPastedBlocks) + "\"";
      case 4: return "schedule paste" + row + column;
      case 5: return "schedule undo";
      case 6: return "schedule add";
      case 7: case 8: return "schedule delete" + row;
      case 9: return "schedule duplicate" + row;
      default: return "schedule open" + row;
    }
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  template <typename T, std::size_t N>
  const char* Pick(T (&items)[N]) {
    return items[static_cast<std::size_t>(Between(0, static_cast<int>(N) - 1))];
  }
  // Mostly characters that mean something to the fields, sometimes any
  // character of the basic plane (surrogates are not characters).
  std::string Characters() {
    std::string text;
    for (int i = Between(1, 4); i > 0; --i) text += Between(0, 4) ? Pick(kCharacters) : AnyCharacter();
    return text;
  }
  std::string AnyCharacter() {
    int code = Between(1, 0xFFFD);
    if (code >= 0xD800 && code <= 0xDFFF) code -= 0x800;
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", code);
    return escape;
  }
  std::mt19937 random_;
};

// ---- Playing and shrinking ------------------------------------------------

// A person acts only on rows the table shows; the sessions are made ahead,
// so an event on a row the table no longer has is left out.
bool NamesAMissingRow(const std::string& line, std::size_t rows) {
  static const std::set<std::string> kRowVerbs = {"set", "paste", "delete", "duplicate", "open"};
  const std::vector<std::string> args = SplitScriptLine(line);
  return args.size() > 2 && args[0] == "schedule" && kRowVerbs.count(args[1]) && std::stoul(args[2]) > rows;
}

Outcome Play(const Script& script, const std::string& label) {
  const FreshFolder folder("soak-" + label);
  Outcome outcome;
  {
    ScriptedServices services(folder.Text());
    Workbench workbench(services, 19200, 10800);
    Program& program = workbench.program;
    program.Start();
    const SoakRules rules(program, folder.Text());
    std::ostringstream discard;
    ScriptRunner runner(program, services, discard);
    for (std::size_t i = 0; i < script.size() && !outcome.broken; ++i) {
      outcome.at = i;
      if (NamesAMissingRow(script[i], workbench.schedule.model.RowCount())) continue;
      try {
        runner.RunLine(script[i]);
      } catch (const ScriptError& error) {
        outcome.broken = "the driver refused \"" + script[i] + "\": " + error.what();
      }
      services.shown.clear();
      if (!outcome.broken && script[i] == "tick") outcome.broken = rules.Broken();
    }
  }
  return outcome;
}

class SoakTest : public ::testing::TestWithParam<unsigned> {};

// Four sessions of 50,000 events each: 200,000 per run.
TEST_P(SoakTest, RandomSessionKeepsEveryRule) {
  const unsigned seed = GetParam();
  SessionMaker maker(seed);
  Script script;
  for (std::size_t i = 0, n = EventsPerSession("QUILLET_SOAK_EVENTS", 50000); i < n; ++i)
    script.push_back(maker.NextEvent());
  const std::string label = std::to_string(seed);
  const Outcome outcome = Play(script, label);
  if (!outcome.broken) return;
  std::string repro;
  const std::function<Outcome(const Script&)> play = [&label](const Script& events) { return Play(events, label); };
  for (const std::string& line : Shrink(script, play)) repro += line + "\n";
  ADD_FAILURE() << "seed " << seed << ": " << *outcome.broken << " after event " << outcome.at + 1
                << "\nshortest script that still fails:\n" << repro;
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace quillet
