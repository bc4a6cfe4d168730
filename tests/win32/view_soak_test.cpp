// Seeded random events on the real Windows controls of every window the
// program shows: the pointer pressed, released, clicked, double-clicked and
// moved, keys and characters typed, the clipboard keys, timer ticks, the
// menu's items, and answers to the boxes the events open. After every burst
// each control must show exactly its model control, no box or menu may be
// left open, and after every tick the model soak's rules must hold. A
// failure prints the seed and the events before it.
#include <random>
#include <string>
#include <vector>

#include "platform/menu.h"
#include "platform/native_text.h"
#include "platform/window.h"
#include "soak/soak_rules.h"
#include "view_agreement.h"
#include "win32_fixture.h"

namespace quillet {
namespace {

struct SoakEvent {
  enum class Kind { Press, Release, Click, DoubleClick, Move, RightClick, Key, Character, Tick };
  Kind kind = Kind::Tick;
  double window = 0, control = -1;  // fractions of the windows and controls shown; < 0: the window itself
  double x = 0, y = 0;              // fractions of the target's size
  WORD key = 0;
  wchar_t character = 0;
  bool withControl = false, withShift = false;
  std::string clipboard;  // put there before Ctrl+V
  bool answerOk = true;   // each box the event opens gets OK, else Cancel
};

const char* const kClipboardTexts[] = {"", "208", "0.5", "12x", "99999999", "1,5", "abc", "\xe2\x82\xac", "0.0005",
                                       "24\n7", "-3"};
const WORD kNamedKeys[] = {VK_UP,    VK_DOWN,  VK_LEFT, VK_RIGHT, VK_TAB, VK_SPACE, VK_RETURN,
                           VK_ESCAPE, VK_BACK, VK_DELETE, VK_HOME, VK_END, VK_F4};
const char kTypedCharacters[] = "0123456789../,- ax";

class EventMaker {
 public:
  explicit EventMaker(unsigned seed) : random_(seed) {}

  SoakEvent Next() {
    SoakEvent e;
    e.window = Fraction();
    e.control = Between(0, 3) ? Fraction() : -1;
    e.x = Fraction();
    e.y = Fraction();
    e.answerOk = Between(0, 2) != 0;
    const int roll = Between(0, 99);
    if (roll < 15) e.kind = SoakEvent::Kind::Tick;
    else if (roll < 30) e.kind = SoakEvent::Kind::Move;
    else if (roll < 37) e.kind = SoakEvent::Kind::Press;
    else if (roll < 44) e.kind = SoakEvent::Kind::Release;
    else if (roll < 57) e.kind = SoakEvent::Kind::Click;
    else if (roll < 62) e.kind = SoakEvent::Kind::DoubleClick;
    else if (roll < 63) e.kind = SoakEvent::Kind::RightClick;
    else MakeKey(e);
    return e;
  }

 private:
  void MakeKey(SoakEvent& e) {
    const int roll = Between(0, 99);
    if (roll < 40) {
      e.kind = SoakEvent::Kind::Character;
      e.character = static_cast<wchar_t>(kTypedCharacters[Between(0, sizeof kTypedCharacters - 2)]);
    } else if (roll < 45) {
      // Any character of the basic plane but the surrogates.
      e.kind = SoakEvent::Kind::Character;
      int code = Between(0x20, 0xFFFD);
      if (code >= 0xD800 && code <= 0xDFFF) code -= 0x800;
      e.character = static_cast<wchar_t>(code);
    } else if (roll < 85) {
      e.kind = SoakEvent::Kind::Key;
      e.key = kNamedKeys[Between(0, static_cast<int>(std::size(kNamedKeys)) - 1)];
      e.withShift = e.key == VK_TAB && Between(0, 1);
    } else {
      e.kind = SoakEvent::Kind::Key;
      const WORD keys[] = {'C', 'V', 'X'};
      e.key = keys[Between(0, 2)];
      e.withControl = true;
      e.clipboard = kClipboardTexts[Between(0, static_cast<int>(std::size(kClipboardTexts)) - 1)];
    }
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  double Fraction() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  std::mt19937 random_;
};

int Scaled(double fraction, int count) { return std::min(count - 1, static_cast<int>(fraction * count)); }

// A menu that opens is closed, or one of its items picked, from inside its
// own loop, as the event that opened it says.
int menuChoice = 0;
BOOL CALLBACK EndOpenMenu(HWND window, LPARAM) {
  wchar_t kind[16] = {};
  GetClassNameW(window, kind, static_cast<int>(std::size(kind)));
  if (std::wstring(kind) != L"#32768" || !IsWindowVisible(window)) return TRUE;
  std::vector<INPUT> keys;
  auto press = [&keys](WORD key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    keys.push_back(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    keys.push_back(input);
  };
  for (int i = 0; i < menuChoice; ++i) press(VK_DOWN);
  press(menuChoice ? VK_RETURN : VK_ESCAPE);
  SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  return FALSE;
}
void CALLBACK EndMenus(HWND, UINT, UINT_PTR, DWORD) { EnumWindows(EndOpenMenu, 0); }

bool OpenPopup(const wchar_t* kindName) {
  struct Search {
    const wchar_t* kind;
    bool found = false;
  } search{kindName};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        auto& s = *reinterpret_cast<Search*>(found);
        wchar_t kind[16] = {};
        GetClassNameW(window, kind, static_cast<int>(std::size(kind)));
        if (std::wstring(kind) == s.kind && IsWindowVisible(window)) s.found = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class Win32ViewSoak : public Win32ViewTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  void SetUp() override {
    Win32ViewTest::SetUp();
    ender_ = SetTimer(nullptr, 0, 10, EndMenus);
  }
  void TearDown() override {
    KillTimer(nullptr, ender_);
    AnswerBoxes(IDOK, 0);
    Win32ViewTest::TearDown();
  }

  // Plays one event; returns what it did, for the failure report.
  std::string Play(const SoakEvent& e) {
    AnswerBoxes(e.answerOk ? IDOK : IDCANCEL, kMostBoxes);
    menuChoice = static_cast<int>(e.x * 3);
    if (e.kind == SoakEvent::Kind::Tick) {
      app_->Timers().TickAll();
      app_->Pump();
      return "tick";
    }
    std::string done = Input(e);
    // The input waits in the queue already: handled as the loop would.
    app_->Pump();
    return done + Answered();
  }

  std::optional<std::string> Broken(const SoakRules& rules, bool afterTick) {
    if (BoxesAnswered() >= kMostBoxes) return "message boxes kept coming back";
    if (auto disagreement = Disagreement(*app_)) return disagreement;
    if (OpenPopup(L"#32770")) return "a box was left open";
    // A menu is up only inside its own loop, which the events have left.
    for (const auto& view : app_->Views())
      for (const Control* control : view->Model().Controls())
        if (auto* menu = dynamic_cast<const Menu*>(control); menu && menu->Open())
          return view->Model().Name() + "." + menu->Name() + " is open with nothing shown";
    if (afterTick) return rules.Broken();
    return std::nullopt;
  }

 private:
  static constexpr int kMostBoxes = 20;

  std::string Answered() const {
    const int boxes = BoxesAnswered();
    return boxes == 0 ? "" : ", " + std::to_string(boxes) + " box(es) answered";
  }

  // A window shown: the modal one while it is up.
  Win32View* TargetWindow(double pick) const {
    std::vector<Win32View*> shown;
    for (const auto& view : app_->Views()) {
      if (!IsWindowVisible(view->Handle())) continue;
      if (IsWindowEnabled(view->Handle()) && view->Model().Modal()) return view.get();
      if (IsWindowEnabled(view->Handle())) shown.push_back(view.get());
    }
    return shown.empty() ? nullptr : shown[static_cast<std::size_t>(Scaled(pick, static_cast<int>(shown.size())))];
  }

  std::string Input(const SoakEvent& e) {
    Win32View* view = TargetWindow(e.window);
    if (!view) return "nothing shown";
    if (e.kind == SoakEvent::Kind::Key || e.kind == SoakEvent::Kind::Character) return Keys(e, *view);
    HWND on = view->Handle();
    std::string where = view->Model().Name();
    if (e.control >= 0) {
      std::vector<const Control*> controls;
      for (const Control* control : view->Model().Controls())
        if (HWND handle = view->HandleOf(*control); handle && IsWindowVisible(handle)) controls.push_back(control);
      if (!controls.empty()) {
        const Control* control = controls[static_cast<std::size_t>(Scaled(e.control, static_cast<int>(controls.size())))];
        on = view->HandleOf(*control);
        where += "." + control->Name();
      }
    }
    RECT r{};
    if (on == view->Handle()) {
      GetClientRect(on, &r);
      MapWindowPoints(on, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
      GetWindowRect(on, &r);
    }
    const POINT at{r.left + static_cast<LONG>(e.x * std::max<LONG>(0, r.right - r.left - 1)),
                   r.top + static_cast<LONG>(e.y * std::max<LONG>(0, r.bottom - r.top - 1))};
    std::vector<INPUT> inputs = {Pointer(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at)};
    const char* what = "move";
    switch (e.kind) {
      case SoakEvent::Kind::Press:
        inputs.push_back(Pointer(MOUSEEVENTF_LEFTDOWN));
        what = "press";
        break;
      case SoakEvent::Kind::Release:
        inputs.push_back(Pointer(MOUSEEVENTF_LEFTUP));
        what = "release";
        break;
      case SoakEvent::Kind::Click:
        inputs.push_back(Pointer(MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(Pointer(MOUSEEVENTF_LEFTUP));
        what = "click";
        break;
      case SoakEvent::Kind::DoubleClick:
        for (int i = 0; i < 2; ++i) {
          inputs.push_back(Pointer(MOUSEEVENTF_LEFTDOWN));
          inputs.push_back(Pointer(MOUSEEVENTF_LEFTUP));
        }
        what = "double-click";
        break;
      case SoakEvent::Kind::RightClick:
        inputs.push_back(Pointer(MOUSEEVENTF_RIGHTDOWN));
        inputs.push_back(Pointer(MOUSEEVENTF_RIGHTUP));
        what = "right click";
        break;
      default:
        break;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return std::string(what) + " " + where + " at " + std::to_string(at.x - r.left) + "," +
           std::to_string(at.y - r.top);
  }

  std::string Keys(const SoakEvent& e, Win32View& view) {
    SetForegroundWindow(view.Handle());
    std::vector<INPUT> inputs;
    auto key = [&inputs](WORD virtualKey, bool up, wchar_t unit = 0) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = virtualKey;
      input.ki.wScan = unit;
      input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (unit ? KEYEVENTF_UNICODE : 0);
      inputs.push_back(input);
    };
    std::string what;
    if (e.kind == SoakEvent::Kind::Character) {
      key(0, false, e.character);
      key(0, true, e.character);
      what = "type \"" + Utf8FromWide(std::wstring(1, e.character)) + "\"";
    } else {
      if (e.withControl) {
        if (e.key == 'V') app_->Os().SetClipboardText(e.clipboard);
        key(VK_CONTROL, false);
      }
      if (e.withShift) key(VK_SHIFT, false);
      key(e.key, false);
      key(e.key, true);
      if (e.withShift) key(VK_SHIFT, true);
      if (e.withControl) key(VK_CONTROL, true);
      what = std::string(e.withControl ? "ctrl+" : "") + (e.withShift ? "shift+" : "") + "key " +
             std::to_string(e.key) +
             (e.key == 'V' && e.withControl ? " with \"" + e.clipboard + "\" on the clipboard" : "");
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return what + " in " + view.Model().Name();
  }

  static INPUT Pointer(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = at.x * 65535 / std::max(1, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / std::max(1, GetSystemMetrics(SM_CYSCREEN) - 1);
    return input;
  }

  UINT_PTR ender_ = 0;
};

constexpr std::size_t kBurst = 10;
constexpr std::size_t kEventsBeforeFailure = 40;

// Two sessions of 2,500 events (QUILLET_WIN32_SOAK_EVENTS sets the length
// of each).
TEST_P(Win32ViewSoak, RandomEventsKeepEveryControlShowingItsModel) {
  const unsigned seed = GetParam();
  EventMaker maker(seed);
  // The soak ticks the timers itself, so a session plays the same at any speed.
  app_->Timers().Hold(true);
  app_->Printer().choosePrinter = []() -> HDC { return nullptr; };
  const SoakRules rules(app_->Calculator(), folder_->Text());
  std::vector<std::string> played;
  std::optional<std::string> broken;
  const std::size_t events = EventsPerSession("QUILLET_WIN32_SOAK_EVENTS", 2500);
  std::size_t at = 0;
  for (; at < events && !broken; ++at) {
    const SoakEvent e = maker.Next();
    played.push_back(Play(e));
    const bool tick = e.kind == SoakEvent::Kind::Tick;
    if (tick || (at + 1) % kBurst == 0 || at + 1 == events) broken = Broken(rules, tick);
  }
  if (!broken) return;
  std::string before;
  for (std::size_t i = played.size() - std::min(kEventsBeforeFailure, played.size()); i < played.size(); ++i)
    before += "  " + played[i] + "\n";
  ADD_FAILURE() << "seed " << seed << ": " << *broken << " after event " << at << "\nthe events before it:\n" << before;
}

INSTANTIATE_TEST_SUITE_P(Seeds, Win32ViewSoak, ::testing::Values(1u, 2u));

}  // namespace
}  // namespace quillet
