// quillet [--folder DIR] [--trace-startup]
// The desktop calculator on Windows. The settings file lives beside the
// program when that folder is writable and the program is not installed,
// else in %APPDATA%\Quillet, unless --folder names another.
#include "win32/windows_api.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "command_line.h"
#include "core/elcal.h"
#include "platform/file_output.h"
#include "platform/native_text.h"
#include "platform/view_rules.h"
#include "settings/settings_folder.h"
#include "win32/desktop_app.h"

namespace {

enum OptionId { kFolder = 1, kTraceStartup };

const quillet::cli::Tool kTool = {
    "quillet",
    "[--folder DIR] [--trace-startup]",
    "The feeder conductor calculator.\n"
    "\n"
    "  --folder DIR      keep the settings file Quillet32.ini in DIR (default: the\n"
    "                    program's folder when writable and not installed, else\n"
    "                    %APPDATA%\\Quillet)\n"
    "  --trace-startup   print how long the first results took to show\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n",
    {{"folder", true, kFolder}, {"trace-startup", false, kTraceStartup}},
};

// Started from a console, a window program writes its help there.
void UseParentConsole() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

std::string ProgramFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return quillet::Utf8FromPath(quillet::PathFromUtf8(quillet::Utf8FromWide({path, length})).parent_path());
}

// Prints how long the first results took to show, once they have.
struct FirstResults {
  static inline const quillet::Elcal* main = nullptr;
  static inline std::chrono::steady_clock::time_point started;
  static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD) {
    if (main->VDACL.Caption() == "vd V") return;
    KillTimer(nullptr, timer);
    const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    std::fprintf(stderr, "quillet: first results shown after %.1f ms\n", ms.count());
    std::fflush(stderr);
  }
};

int Run(int argc, char** argv, std::chrono::steady_clock::time_point started) {
  std::string folder;
  bool forced = false, trace = false;
  const auto parsed = quillet::cli::ParseCommandLine(
      kTool, argc, argv,
      [&](int id, const std::string& value) {
        if (id == kFolder) {
          folder = value;
          forced = true;
        }
        if (id == kTraceStartup) trace = true;
        return std::string();
      },
      std::cout, std::cerr);
  if (parsed.exit) return parsed.status;
  if (!parsed.operands.empty())
    return quillet::cli::UsageError(kTool, "unexpected argument " + parsed.operands[0], std::cerr);
  const quillet::SettingsFolder settings =
      forced ? quillet::SettingsFolder{folder, false} : quillet::ChooseSettingsFolder(ProgramFolder());
  quillet::Win32App app(GetModuleHandleW(nullptr), settings);
  app.Start();
  if (trace) {
    FirstResults::main = &app.Calculator().main;
    FirstResults::started = started;
    SetTimer(nullptr, 0, 1, FirstResults::Poll);
  }
  return app.Run();
}

}  // namespace

int wmain(int, wchar_t**) {
  const auto started = std::chrono::steady_clock::now();
  UseParentConsole();
  quillet::RemoveTemporaryFilesOnInterrupt();
  try {
    quillet::Utf8Arguments arguments(0, nullptr);
    return Run(arguments.Count(), arguments.Values(), started);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, quillet::WideFromUtf8(quillet::FaultMessage(error.what())).c_str(),
                quillet::WideFromUtf8(quillet::kFaultTitle).c_str(), MB_ICONERROR | MB_OK);
  }
  return quillet::cli::kExitUsage;
}
