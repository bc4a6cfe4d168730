// Seeded random user sessions through the script driver, checking after every
// tick what must always hold. A failure prints the seed and the shortest
// script found that still breaks the rule; play it with quillet-script.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/program.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"
#include "soak_rules.h"
#include "workbench/workbench.h"

namespace quillet {
namespace {

using Script = std::vector<std::string>;

// ---- The random session -------------------------------------------------

const char* const kTextBoxes[] = {"V", "A", "W", "L", "TextACR", "TextXLR", "Job",
                                  "EffCon.Text1", "EffCon.Text2", "EffCon.Text3", "Finder.Limit"};
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
    "Finder.CloseButton"};
const char* const kSpins[] = {"VS", "AS", "PS", "LS", "VDPS", "WOTPS", "AmpS"};
const char* const kKeyTargets[] = {"A", "V", "W", "L", "ComWS", "ComHP", "TPh", "OptPF08", "OptCU", "OptionNOF3",
                                   "CmdUnit", "TextACR", "EffCon.Text2", "Elcal", "Discl", "Finder.Limit",
                                   "Finder.Runs", "Finder.UseSize"};
const char* const kKeyCodes[] = {"38", "40", "32", "13", "27", "65"};
const char* const kHovered[] = {"Command1", "Frame3D15", "Ampacit", "VDACL", "WOTD", "Frame3D16", "Elcal",
                                "Phases.Panel3ph", "Opt60C"};
const char* const kDoubleClicked[] = {"Stat", "Frame3D13", "Frame3D16", "Frame3D14", "FrameWOT", "Frame3D9",
                                      "FrameAlternate", "Frame3D15", "AmpacCorr"};
const char* const kShortcuts[] = {"Ctrl+P", "Ctrl+Shift+S", "Ctrl+F"};
const char* const kFocused[] = {"V", "A", "W", "L", "Job", "ComWS", "CmdDeg", "Opt90C", "TextXLR"};

class SessionMaker {
 public:
  explicit SessionMaker(unsigned seed) : random_(seed) {}

  std::string NextEvent() {
    const int roll = Between(0, 99);
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
    return "deactivate Phases";
  }

 private:
  const char* PickList() {
    const int roll = Between(0, 4);
    return roll < 2 ? "ComWS" : roll < 4 ? "ComHP" : "Finder.Runs";
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

Outcome Play(const Script& script, const std::string& label) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("quillet-soak-" + label);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  Outcome outcome;
  {
    ScriptedServices services(folder.string());
    Workbench workbench(services, 19200, 10800);
    Program& program = workbench.program;
    program.Start();
    std::ostringstream discard;
    ScriptRunner runner(program, services, discard);
    for (std::size_t i = 0; i < script.size() && !outcome.broken; ++i) {
      try {
        runner.RunLine(script[i]);
      } catch (const ScriptError& error) {
        outcome.broken = "the driver refused \"" + script[i] + "\": " + error.what();
      }
      services.shown.clear();
      if (!outcome.broken && script[i] == "tick") outcome.broken = BrokenRule(program, folder.string());
      outcome.at = i;
    }
  }
  std::filesystem::remove_all(folder);
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
