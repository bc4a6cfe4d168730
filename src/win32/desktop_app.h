// The calculator on a Windows desktop: the real services, the program with
// the tools this view can show (the size finder; printing through the
// Windows print dialog), one view per window, the timers and the message
// loop.
#pragma once

#include "win32/windows_api.h"

#include <memory>
#include <string>
#include <vector>

#include "win32/fonts.h"
#include "win32/ticker.h"
#include "win32/win32_printer.h"
#include "win32/win32_services.h"
#include "workbench/workbench.h"

namespace quillet {

class Win32View;

class Win32App {
 public:
  Win32App(HINSTANCE instance, const SettingsFolder& folder);
  ~Win32App();
  Win32App(const Win32App&) = delete;
  Win32App& operator=(const Win32App&) = delete;

  // Loads and shows the main window.
  void Start();
  // Runs the message loop until the main window closes; the exit status.
  int Run();
  // Handles the messages waiting, as the loop does; false once the program
  // has ended.
  bool Pump();

  Program& Calculator() { return program_; }
  Win32Services& Os() { return services_; }
  Win32Printer& Printer() { return printer_; }
  Ticker& Timers() { return ticker_; }
  const Ticker& Timers() const { return ticker_; }
  Fonts& ScreenFonts() { return fonts_; }
  HINSTANCE Instance() const { return instance_; }
  // The view of a window the program has; null for one this view cannot
  // show (the schedule and its tree).
  Win32View* View(const std::string& windowName) const;
  const std::vector<std::unique_ptr<Win32View>>& Views() const { return views_; }

  // A modal window was shown or closed: the others are disabled while one is up.
  void ModalityChanged();
  // An exception escaped a handler: shown in a box, and the program goes on.
  void ShowFault(const std::string& what);

 private:
  bool Dispatch(MSG& message);

  HINSTANCE instance_;
  Win32Services services_;
  Workbench workbench_;
  Program& program_ = workbench_.program;
  Fonts fonts_;
  Ticker ticker_;
  Win32Printer printer_;
  std::vector<std::unique_ptr<Win32View>> views_;
  // The modal windows shown, in the order they came.
  std::vector<const Win32View*> modalOrder_;
  bool ended_ = false;
  bool reporting_ = false;
  int status_ = 0;
};

// The work area of the screen the calculator opens on, in twips.
int WorkAreaWidthTwips();
int WorkAreaHeightTwips();

}  // namespace quillet
