// Seeded random events on the real Windows controls of every window the
// program shows: the pointer pressed, released, clicked, double-clicked and
// moved, keys and characters typed, the clipboard keys, timer ticks, the
// menu's items, and answers to the boxes the events open. After every burst
// each control must show exactly its model control, no box or menu may be
// left open, and after every tick the model soak's rules must hold. A
// failure prints the seed and the shortest event list that still fails.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/menu.h"
#include "platform/window.h"
#include "soak/soak_rules.h"
#include "soak/view_soak.h"
#include "view_agreement.h"
#include "win32_fixture.h"

namespace quillet {
namespace {

// A menu that opens is closed, or one of its items picked, from inside its
// own loop, as the event that opened it says.
int menuChoice = 0;
void CALLBACK EndMenus(HWND, UINT, UINT_PTR, DWORD) {
  if (!ShownWindowOfClass(L"#32768")) return;
  std::vector<INPUT> keys;
  for (int i = 0; i <= menuChoice; ++i) {
    const WORD key = i < menuChoice ? VK_DOWN : menuChoice ? VK_RETURN : VK_ESCAPE;
    keys.push_back(KeyInput(key, false));
    keys.push_back(KeyInput(key, true));
  }
  SendInputs(keys);
}

// The pointer's buttons for each kind of mouse event.
const std::map<ViewEvent::Kind, std::vector<DWORD>> kButtons = {
    {ViewEvent::Kind::Press, {MOUSEEVENTF_LEFTDOWN}},
    {ViewEvent::Kind::Release, {MOUSEEVENTF_LEFTUP}},
    {ViewEvent::Kind::Click, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}},
    {ViewEvent::Kind::DoubleClick, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}},
    {ViewEvent::Kind::RightClick, {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}},
    {ViewEvent::Kind::Move, {}}};

class Win32ViewSoak : public Win32ViewTest, public ViewPlayer, public ::testing::WithParamInterface<unsigned> {
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

  void Start() override {
    rules_.reset();
    StartFresh();
    // The soak ticks the timers itself, so a session plays the same at any speed.
    app_->Timers().Hold(true);
    app_->Printer().choosePrinter = []() -> HDC { return nullptr; };
    rules_.emplace(app_->Calculator(), folder_->Text());
    boxesLooped_ = false;
  }

  std::string Play(const ViewEvent& e) override {
    boxesLooped_ = boxesLooped_ || BoxesAnswered() >= kMostBoxes;
    AnswerBoxes(e.answerOk ? IDOK : IDCANCEL, kMostBoxes);
    menuChoice = static_cast<int>(e.x * 3);
    if (e.kind == ViewEvent::Kind::Tick) {
      app_->Timers().TickAll();
      app_->Pump();
      return "";
    }
    std::string done = Input(e);
    // The input waits in the queue already: handled as the loop would.
    app_->Pump();
    return done + Answered();
  }

  std::optional<std::string> Broken(bool afterTick) override {
    if (boxesLooped_ || BoxesAnswered() >= kMostBoxes) return "message boxes kept coming back";
    if (auto disagreement = Disagreement(*app_)) return disagreement;
    if (ShownWindowOfClass(L"#32770")) return "a box was left open";
    // A menu is up only inside its own loop, which the events have left.
    for (const auto& view : app_->Views())
      for (const Control* control : view->Model().Controls())
        if (auto* menu = dynamic_cast<const Menu*>(control); menu && menu->Open())
          return view->Model().Name() + "." + menu->Name() + " is open with nothing shown";
    if (afterTick) return rules_->Broken();
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

  std::string Input(const ViewEvent& e) {
    Win32View* view = TargetWindow(e.window);
    if (!view) return " with nothing shown";
    if (e.kind == ViewEvent::Kind::Key || e.kind == ViewEvent::Kind::Character) return Keys(e, *view);
    HWND on = view->Handle();
    std::string where = " " + view->Model().Name();
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
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at)};
    for (DWORD button : kButtons.at(e.kind)) inputs.push_back(MouseInput(button));
    SendInputs(inputs);
    return where + " at " + std::to_string(at.x - r.left) + "," + std::to_string(at.y - r.top);
  }

  std::string Keys(const ViewEvent& e, Win32View& view) {
    SetForegroundWindow(view.Handle());
    if (e.kind == ViewEvent::Kind::Character) {
      const auto unit = static_cast<WORD>(e.character);
      SendInputs({KeyInput(0, false, unit), KeyInput(0, true, unit)});
    } else {
      if (e.withControl && e.key == 'V') app_->Os().SetClipboardText(e.clipboard);
      SendInputs(KeyStroke(static_cast<WORD>(e.key), e.withControl, e.withShift));
    }
    return " in " + view.Model().Name();
  }

  UINT_PTR ender_ = 0;
  std::optional<SoakRules> rules_;
  bool boxesLooped_ = false;
};

// Two sessions of 2,500 events (QUILLET_WIN32_SOAK_EVENTS sets the length
// of each).
TEST_P(Win32ViewSoak, RandomEventsKeepEveryControlShowingItsModel) {
  SoakView(GetParam(), EventsPerSession("QUILLET_WIN32_SOAK_EVENTS", 2500), *this);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Win32ViewSoak, ::testing::Values(1u, 2u));

}  // namespace
}  // namespace quillet
