// The soak's check must notice a widget that drifted from its model, or a
// passing soak would prove nothing.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <functional>

#include "qt_fixture.h"
#include "view_agreement.h"
#include "workbench/schedule_window.h"

namespace quillet {
namespace {

TEST_F(QtViewTest, AgreementCheckSpotsEachKindOfDrift) {
  const struct {
    const char* what;
    std::function<void()> drift;
    const char* reported;
    const char* window = "Elcal";
  } cases[] = {
      {"label text", [this] { As<QLabel>("VDACL")->setText("1 V"); }, "Elcal.VDACL shows"},
      {"field text", [this] { As<QLineEdit>("A")->setText("11"); }, "Elcal.A shows"},
      {"option", [this] { As<QAbstractButton>("OptAL")->setChecked(true); }, "Elcal.OptAL is checked"},
      {"visibility", [this] { Widget("Job")->hide(); }, "Elcal.Job is hidden"},
      {"enabled", [this] { Widget("ComHP")->setEnabled(false); }, "Elcal.ComHP is disabled"},
      {"list pick", [this] { As<QComboBox>("ComWS")->setCurrentIndex(As<QComboBox>("ComWS")->currentIndex() ^ 1); },
       "Elcal.ComWS shows pick"},
      {"name", [this] { Widget("V")->setAccessibleName("Volts"); }, "Elcal.V is named"},
      {"colour",
       [this] {
         QPalette red = Widget("Label1")->palette();
         red.setColor(QPalette::WindowText, Qt::red);
         Widget("Label1")->setPalette(red);
       },
       "Elcal.Label1 is drawn in"},
      {"window place", [this] { app_->View("Elcal").move(3, 4); }, "window Elcal sits at"},
      {"menu item", [this] { As<QMenu>("ToolsMenu")->actions()[1]->setShortcut(QKeySequence()); },
       "Elcal.ToolsMenu lists item 1 as"},
      // A schedule row the view was not told of.
      {"grid rows",
       [this] { static_cast<ScheduleWindow*>(app_->Calculator().FindWindow("Schedule"))->model.AddRow(); },
       "Schedule.Feeders lays out 0 x", "Schedule"},
  };
  for (const auto& c : cases) {
    StartFresh();
    Run(120);
    const WindowView& view = app_->View(c.window);
    ASSERT_EQ(Disagreement(view), std::nullopt) << c.what;
    c.drift();
    const std::string found = Disagreement(view).value_or("nothing");
    EXPECT_EQ(found.rfind(c.reported, 0), 0u) << c.what << ": " << found;
  }
}

}  // namespace
}  // namespace quillet
