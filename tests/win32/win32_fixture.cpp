#include "win32_fixture.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/controls.h"
#include "platform/native_text.h"
#include "platform/window.h"
#include "settings/settings_file.h"

namespace quillet {
namespace {

// The boxes the test expects next, answered from a timer that runs inside
// any box's own message loop.
struct Answering {
  int answer = IDOK;
  int expected = 0;
  int answered = 0;
  std::vector<std::string> unexpected;
} answering;

void AnswerOne(HWND window) {
  int answer = answering.answer;
  if (answering.expected > 0) {
    --answering.expected;
    ++answering.answered;
  } else {
    wchar_t title[200] = {};
    GetWindowTextW(window, title, static_cast<int>(std::size(title)));
    answering.unexpected.push_back(Utf8FromWide(title));
    answer = IDCANCEL;
  }
  // The button as the user would press it, where the box has one.
  if (!GetDlgItem(window, answer)) answer = IDOK;
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, answer)));
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = ShownWindowOfClass(L"#32770")) AnswerOne(box);
}

POINT PointIn(HWND handle, double x, double y) {
  RECT r{};
  GetWindowRect(handle, &r);
  return {r.left + static_cast<LONG>(x * (r.right - r.left - 1)), r.top + static_cast<LONG>(y * (r.bottom - r.top - 1))};
}

UINT_PTR answerer = 0;

}  // namespace

std::string PictureFolder() {
  const std::string folder = EnvironmentText("QUILLET_SHOT_DIR");
  return folder.empty() ? "." : folder;
}

INPUT MouseInput(DWORD flags, POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = at.x * 65535 / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  return input;
}

INPUT KeyInput(WORD virtualKey, bool up, WORD unit) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = unit;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unit ? KEYEVENTF_UNICODE : 0);
  return input;
}

void SendInputs(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<INPUT> KeyStroke(WORD virtualKey, bool control, bool shift) {
  std::vector<INPUT> keys;
  if (control) keys.push_back(KeyInput(VK_CONTROL, false));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, false));
  keys.push_back(KeyInput(virtualKey, false));
  keys.push_back(KeyInput(virtualKey, true));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, true));
  if (control) keys.push_back(KeyInput(VK_CONTROL, true));
  return keys;
}

HWND ShownWindowOfClass(const wchar_t* kind) {
  struct Search {
    const wchar_t* kind;
    HWND found = nullptr;
  } search{kind};
  EnumWindows(
      [](HWND window, LPARAM param) {
        auto& s = *reinterpret_cast<Search*>(param);
        wchar_t name[16] = {};
        GetClassNameW(window, name, static_cast<int>(std::size(name)));
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId() || std::wstring(name) != s.kind || !IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Pixels::Pixels(HDC source, int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const std::uint8_t*>(bits);
  rows_.assign(first, first + static_cast<std::ptrdiff_t>(Stride()) * height);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
}

int Pixels::Stride() const { return (width_ * 3 + 3) / 4 * 4; }

COLORREF Pixels::At(int x, int y) const {
  // Rows run bottom to top, each pixel blue, green, red.
  const std::size_t at = static_cast<std::size_t>((height_ - 1 - y) * Stride() + x * 3);
  return RGB(rows_.at(at + 2), rows_.at(at + 1), rows_.at(at));
}

void Pixels::Save(const std::string& path) const {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width_;
  header.biHeight = height_;
  header.biPlanes = 1;
  header.biBitCount = 24;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows_.size());
  if (std::FILE* out = _wfopen(WideFromUtf8(path).c_str(), L"wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(rows_.data(), rows_.size(), 1, out);
    std::fclose(out);
  } else {
    ADD_FAILURE() << "cannot write " << path;
  }
}

void Win32ViewTest::SetUp() {
  answering = {};
  answerer = SetTimer(nullptr, 0, 10, AnswerBox);
  StartFresh();
}

void Win32ViewTest::TearDown() {
  Run(50);
  app_.reset();
  folder_.reset();
  KillTimer(nullptr, answerer);
  for (const std::string& title : answering.unexpected) ADD_FAILURE() << "a box nobody expected: " << title;
  if (answering.expected > 0) ADD_FAILURE() << answering.expected << " expected box(es) never came";
}

void Win32ViewTest::StartFresh() {
  app_.reset();
  folder_ = std::make_unique<FreshFolder>();
  // A settings file in place: no restore message at start.
  ASSERT_TRUE(WriteSettingsFile(folder_->Text(), Settings{}));
  app_ = std::make_unique<Win32App>(GetModuleHandleW(nullptr), SettingsFolder{folder_->Text(), false});
  app_->Start();
  Run(200);
}

void Win32ViewTest::Run(int milliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    if (!app_->Pump()) return;
    Sleep(2);
  } while (std::chrono::steady_clock::now() < until);
}

Win32View& Win32ViewTest::View(const std::string& window) const {
  Win32View* view = app_->View(window);
  if (!view) throw std::logic_error("no view of " + window);
  return *view;
}

const Control& Win32ViewTest::Model(const std::string& name) const {
  const auto dot = name.find('.');
  const std::string window = dot == std::string::npos ? "Elcal" : name.substr(0, dot);
  return View(window).Model().Named(dot == std::string::npos ? name : name.substr(dot + 1));
}

HWND Win32ViewTest::Handle(const std::string& name) const {
  const auto dot = name.find('.');
  const std::string window = dot == std::string::npos ? "Elcal" : name.substr(0, dot);
  HWND handle = View(window).HandleOf(Model(name));
  EXPECT_NE(handle, nullptr) << name;
  return handle;
}

std::string Win32ViewTest::Text(const std::string& name) const {
  HWND handle = Handle(name);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void Win32ViewTest::Click(const std::string& name, double x, double y) {
  const POINT at = PointIn(Handle(name), x, y);
  SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at), MouseInput(MOUSEEVENTF_LEFTDOWN),
              MouseInput(MOUSEEVENTF_LEFTUP)});
  Run(60);
}

void Win32ViewTest::DoubleClick(const std::string& name, double x, double y) {
  const POINT at = PointIn(Handle(name), x, y);
  SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at), MouseInput(MOUSEEVENTF_LEFTDOWN),
              MouseInput(MOUSEEVENTF_LEFTUP), MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
  Run(60);
}

void Win32ViewTest::RightClickOn(const std::string& window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(View(window).Handle(), &at);
  SendInputs({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at), MouseInput(MOUSEEVENTF_RIGHTDOWN),
              MouseInput(MOUSEEVENTF_RIGHTUP)});
}

void Win32ViewTest::Type(const std::string& text) {
  for (wchar_t unit : WideFromUtf8(text)) {
    const SHORT key = VkKeyScanW(unit);
    // Plain keys as keys, so the field hears them as a user types them.
    if ((unit >= L'0' && unit <= L'9') || (unit >= L'a' && unit <= L'z') || unit == L'.' || unit == L' ')
      SendInputs({KeyInput(LOBYTE(key), false), KeyInput(LOBYTE(key), true)});
    else
      SendInputs({KeyInput(0, false, unit), KeyInput(0, true, unit)});
    Run(10);
  }
  Run(30);
}

void Win32ViewTest::Press(int virtualKey, bool control, bool shift) {
  SendInputs(KeyStroke(static_cast<WORD>(virtualKey), control, shift));
  Run(60);
}

void Win32ViewTest::AnswerBoxes(int answer, int count) {
  answering.answer = answer;
  answering.expected = count;
  answering.answered = 0;
}

int Win32ViewTest::BoxesAnswered() const { return answering.answered; }

Pixels Win32ViewTest::Capture(const std::string& window) {
  HWND handle = View(window).Handle();
  RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Run(150);
  RECT client{};
  GetClientRect(handle, &client);
  HDC dc = GetDC(handle);
  Pixels shown(dc, client.right, client.bottom);
  ReleaseDC(handle, dc);
  return shown;
}

Pixels Win32ViewTest::SavePicture(const std::string& window, const std::string& name) {
  Pixels shown = Capture(window);
  shown.Save(PictureFolder() + "/" + name + ".bmp");
  return shown;
}

}  // namespace quillet
