// The Tools menu on Windows: what it offers there, the size finder with its
// table as a list view, and printing: the title block, the print dialog,
// and the report page drawn with GDI from the shared layout.
#include "win32_fixture.h"

#include <commctrl.h>

#include "core/elcal.h"
#include "platform/menu.h"
#include "platform/native_text.h"
#include "report/calculation_report.h"
#include "view_agreement.h"
#include "win32/gdi_page.h"
#include "win32/list_grid.h"

namespace quillet {
namespace {

// What a menu shows while it is up, read from inside its own loop, and the
// key that ends it there.
struct MenuWatch {
  bool seen = false;
  RECT place{};
  WORD key = VK_ESCAPE;
} watch;

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = ShownWindowOfClass(L"#32768");
  if (!menu) return;
  watch.seen = true;
  GetWindowRect(menu, &watch.place);
  SendInputs({KeyInput(watch.key, false), KeyInput(watch.key, true)});
}

class Win32ToolsTest : public Win32ViewTest {
 protected:
  void SetUp() override {
    Win32ViewTest::SetUp();
    watch = {};
    watcher_ = SetTimer(nullptr, 0, 60, WatchMenu);
  }
  void TearDown() override {
    KillTimer(nullptr, watcher_);
    Win32ViewTest::TearDown();
  }
  // 100 A over 100 m at 208 V: the drop governs.
  void EnterTheFeeder() {
    for (const char* field : {"A", "L"}) {
      Click(field);
      Press('A', true);
      Type("100");
    }
    Run(150);
  }
  const ListGrid& Sizes() const { return *View("Finder").ListOf(static_cast<const Grid&>(Model("Finder.Sizes"))); }
  bool FinderShown() const { return IsWindowVisible(View("Finder").Handle()) != 0; }

  UINT_PTR watcher_ = 0;
};

TEST_F(Win32ToolsTest, TheMenuOffersTheFinderAndPrintingBelowTheButtonAndEscapeClosesIt) {
  const Menu& menu = static_cast<const Menu&>(Model("ToolsMenu"));
  HMENU shown = View("Elcal").MenuOf(menu);
  ASSERT_EQ(GetMenuItemCount(shown), 2);
  wchar_t item[100] = {};
  GetMenuStringW(shown, 0, item, 100, MF_BYPOSITION);
  EXPECT_EQ(Utf8FromWide(item), "Find the smallest size…\tCtrl+F");
  GetMenuStringW(shown, 1, item, 100, MF_BYPOSITION);
  EXPECT_EQ(Utf8FromWide(item), "Print calculation…\tCtrl+P");
  Click("Tools");
  Run(300);
  EXPECT_TRUE(watch.seen);
  RECT button{};
  GetWindowRect(Handle("Tools"), &button);
  EXPECT_EQ(watch.place.top, button.bottom);
  EXPECT_FALSE(menu.Open());
  // The schedule's and the PDF's keys do nothing here.
  Press('E', true);
  Press('S', true, true);
  for (const auto& view : app_->Views())
    EXPECT_EQ(IsWindowVisible(view->Handle()) != 0, view->Model().Name() == "Elcal") << view->Model().Name();
  EXPECT_EQ(app_->View("Schedule"), nullptr);
}

TEST_F(Win32ToolsTest, ARightClickOnTheBackgroundOpensTheMenuThere) {
  // Between About and the paste button.
  RightClickOn("Elcal", 67, 346);
  Run(300);
  EXPECT_TRUE(watch.seen);
  POINT at{67, 346};
  ClientToScreen(View("Elcal").Handle(), &at);
  EXPECT_EQ(watch.place.left, at.x);
  EXPECT_EQ(watch.place.top, at.y);
}

TEST_F(Win32ToolsTest, CtrlFOpensTheFinderModalWithItsTableAndTheAnswerMarked) {
  EnterTheFeeder();
  Press('F', true);
  ASSERT_TRUE(FinderShown());
  EXPECT_FALSE(IsWindowEnabled(View("Elcal").Handle()));
  EXPECT_EQ(Text("Finder.Limit"), "3");
  const ListGrid& sizes = Sizes();
  ASSERT_EQ(sizes.Headings().size(), 8u);
  EXPECT_EQ(sizes.Headings()[2], "Design ampacity");
  ASSERT_EQ(sizes.Rows(), 12);
  EXPECT_EQ(sizes.Marked(), 10);
  EXPECT_EQ(sizes.Cell(10, 0), "2/0 AWG");
  EXPECT_EQ(sizes.Cell(10, 5), "2.67 %");
  EXPECT_EQ(Text("Finder.Answer"),
            "2/0 AWG copper: the voltage drop governs (2.67 % ≤ 3 %); the ampacity alone needs 1 AWG.");
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
  SavePicture("Finder", "win32-finder-window");
  // A looser limit finds a smaller size.
  Type("5");
  EXPECT_EQ(Text("Finder.Limit"), "5");
  EXPECT_EQ(sizes.Cell(sizes.Marked(), 0), "1 AWG");
  Press(VK_ESCAPE);
  EXPECT_FALSE(FinderShown());
  EXPECT_TRUE(IsWindowEnabled(View("Elcal").Handle()));
}

TEST_F(Win32ToolsTest, EnterUsesTheSizeAndTheMainWindowShowsTheRow) {
  EnterTheFeeder();
  Press('F', true);
  ASSERT_TRUE(FinderShown());
  const std::string drop = Sizes().Cell(10, 4), percent = Sizes().Cell(10, 5);
  Press(VK_RETURN);
  Run(200);
  EXPECT_FALSE(FinderShown());
  EXPECT_EQ(app_->Calculator().main.ComWS.Text(), " 2/0 AWG");
  EXPECT_EQ(Text("VDACL"), drop);
  EXPECT_EQ(Text("VDACPRCL"), percent);
  EXPECT_EQ(Disagreement(*app_), std::nullopt);
}

// Ctrl+P: the title block, then the print dialog; a cancelled dialog prints
// nothing and says nothing.
TEST_F(Win32ToolsTest, PrintingAsksForTheTitleBlockThenThePrinter) {
  int asked = 0;
  app_->Printer().choosePrinter = [&asked]() -> HDC {
    ++asked;
    return nullptr;
  };
  Press('P', true);
  ASSERT_TRUE(IsWindowVisible(View("TitleBlock").Handle()));
  Click("TitleBlock.Project");
  Type("Riverside plant");
  SavePicture("TitleBlock", "win32-titleblock-window");
  Click("TitleBlock.Ok");
  Run(100);
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(IsWindowVisible(View("TitleBlock").Handle()));
  // Cancel in the title block: no printer is asked for.
  Press('P', true);
  Click("TitleBlock.Cancel");
  EXPECT_EQ(asked, 1);
  // Windows' own print dialog, cancelled.
  app_->Printer().choosePrinter = nullptr;
  AnswerBoxes(IDCANCEL);
  Press('P', true);
  Click("TitleBlock.Ok");
  Run(500);
  EXPECT_EQ(BoxesAnswered(), 1);
}

// Two runs of 1/0 copper for a 200 HP motor, as the Qt report page has, on
// US Letter. Drawn at 160 dots an inch, where the type keeps its shapes as
// on paper, and shrunk to 80 for the picture: report-page.png's size.
TEST_F(Win32ToolsTest, TheReportPageIsDrawnWithGdiFromTheSharedLayout) {
  Program& program = app_->Calculator();
  program.actions.Select(program.main.ComWS, 9);
  Run(120);
  AnswerBoxes(IDOK);
  Click("OptionNOF2");
  Run(100);
  program.actions.Select(program.main.ComHP, 20);
  program.main.Job.SetText("Pump house P-1");
  Run(150);
  CalculationReport report = program.Report();
  report.titleBlock.project = "Riverside plant";
  report.titleBlock.date = app_->Os().TodayText();
  const Sheet letter{160, 1360, 1760, 0, 0};
  HDC screen = GetDC(nullptr);
  HDC page = CreateCompatibleDC(screen), picture = CreateCompatibleDC(screen);
  HBITMAP paper = CreateCompatibleBitmap(screen, letter.width, letter.height);
  HBITMAP small = CreateCompatibleBitmap(screen, letter.width / 2, letter.height / 2);
  HGDIOBJ oldPaper = SelectObject(page, paper), oldSmall = SelectObject(picture, small);
  const RECT all{0, 0, letter.width, letter.height};
  FillRect(page, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PaintReportPage(page, letter, report);
  // Ink inside the margins only: 20 mm is 126 dots at 160 an inch.
  int inkOutside = 0, inkInside = 0;
  for (int y = 0; y < letter.height; y += 2)
    for (int x = 0; x < letter.width; x += 2)
      if (GetPixel(page, x, y) != RGB(255, 255, 255))
        ++((x < 125 || y < 125 || x >= letter.width - 125 || y >= letter.height - 125) ? inkOutside : inkInside);
  EXPECT_EQ(inkOutside, 0);
  EXPECT_GT(inkInside, 5000);
  SetStretchBltMode(picture, HALFTONE);
  StretchBlt(picture, 0, 0, letter.width / 2, letter.height / 2, page, 0, 0, letter.width, letter.height, SRCCOPY);
  Pixels(picture, letter.width / 2, letter.height / 2).Save(PictureFolder() + "/win32-report-page.bmp");
  SelectObject(page, oldPaper);
  SelectObject(picture, oldSmall);
  DeleteObject(paper);
  DeleteObject(small);
  DeleteDC(page);
  DeleteDC(picture);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace quillet
