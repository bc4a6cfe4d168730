// Centring a window over the main window, with the screen clamps.
#include <gtest/gtest.h>

#include "forms/center_over_main.h"
#include "platform/desktop.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

struct CentringCase {
  const char* name;
  int mainLeft, mainTop, mainWidth, mainHeight;
  int width, height;
  int left, top;
};

class CenterOverMainTest : public ::testing::TestWithParam<CentringCase> {};

TEST_P(CenterOverMainTest, PlacesTheWindow) {
  const CentringCase& c = GetParam();
  ScriptedServices services(".");
  Desktop desktop(services, 19200, 10800);
  Window main(desktop, "Elcal");
  main.Move(c.mainLeft, c.mainTop);
  main.SetSize(c.mainWidth, c.mainHeight);
  Window window(desktop, "Other");
  window.SetSize(c.width, c.height);
  CenterOverMain(window, main, c.width, c.height);
  EXPECT_EQ(window.Left(), c.left);
  EXPECT_EQ(window.Top(), c.top);
  EXPECT_EQ(window.Width(), c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CenterOverMainTest,
    ::testing::Values(
        CentringCase{"centred", 1000, 1000, 9000, 6000, 5000, 3000, 3000, 2500},
        CentringCase{"odd_difference_truncates", 1000, 1000, 9001, 6001, 5000, 3000, 3000, 2500},
        CentringCase{"negative_sum_gives_zero", -3000, -2000, 4000, 2000, 5000, 3000, 0, 0},
        CentringCase{"zero_sum_gives_zero", -2000, 0, 6000, 3000, 2000, 3000, 0, 0},
        CentringCase{"right_edge_pushes_left", 17000, 9000, 9000, 6000, 5000, 3000, 14200, 7800},
        CentringCase{"larger_than_the_main_window", 5000, 4000, 2000, 2000, 6000, 4000, 3000, 3000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
