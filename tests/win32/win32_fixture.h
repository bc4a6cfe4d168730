// Shared by the tests of the Windows view, run under Wine on a headless X
// server: the program folder in a temporary directory, input as a user
// gives it (SendInput: the pointer, the keys), message boxes answered as
// they open, and pictures of the windows saved for review.
#pragma once

#include "win32/windows_api.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fresh_folder.h"
#include "win32/desktop_app.h"
#include "win32/window_view.h"

namespace quillet {

// What a device context shows, copied pixel by pixel, and saved as a BMP
// (turned into PNG by the test's runner).
class Pixels {
 public:
  Pixels(HDC source, int width, int height);
  COLORREF At(int x, int y) const;
  void Save(const std::string& path) const;

 private:
  int Stride() const;

  int width_;
  int height_;
  std::vector<std::uint8_t> rows_;
};

class Win32ViewTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A new program folder and a new calculator, as at the start of a test.
  void StartFresh();
  // Lets the message loop run, timers included, for about that long.
  void Run(int milliseconds);

  Win32View& View(const std::string& window) const;
  // The control bound to a control of the main window (or "Window.Control").
  HWND Handle(const std::string& name) const;
  std::string Text(const std::string& name) const;
  const Control& Model(const std::string& name) const;

  // The pointer, as the user moves it: to a point of a control (fractions
  // of its size), then the button down and up, once or twice.
  void Click(const std::string& name, double x = 0.5, double y = 0.5);
  void DoubleClick(const std::string& name, double x = 0.5, double y = 0.5);
  void RightClickOn(const std::string& window, int x, int y);
  // Keys as typed: a character at a time (any character: sent as
  // Unicode), or a key with the modifiers held ("Ctrl", "Shift").
  void Type(const std::string& text);
  void Press(int virtualKey, bool control = false, bool shift = false);

  // The next message boxes get OK (or Cancel); a box that nobody expected
  // fails the test and is closed.
  void AnswerBoxes(int answer = IDOK, int count = 1);
  int BoxesAnswered() const;

  // The window's client area as the screen shows it once it has painted
  // itself and every control anew; saved as a PNG beside the other pictures.
  Pixels Capture(const std::string& window);
  Pixels SavePicture(const std::string& window, const std::string& name);

  std::unique_ptr<FreshFolder> folder_;
  std::unique_ptr<Win32App> app_;
};

// Where the pictures go: the build folder, as Windows names it.
std::string PictureFolder();

// Input as the user gives it: the pointer (to a point of the screen) and keys
// (a Unicode character where `unit` is given).
INPUT MouseInput(DWORD flags, POINT at = {});
INPUT KeyInput(WORD virtualKey, bool up, WORD unit = 0);
void SendInputs(std::vector<INPUT> inputs);
// A key pressed and let go, with Ctrl or Shift held.
std::vector<INPUT> KeyStroke(WORD virtualKey, bool control, bool shift);
// The first shown window of the program of a class: "#32768" a menu,
// "#32770" a message box; null when none is up.
HWND ShownWindowOfClass(const wchar_t* kind);

}  // namespace quillet
