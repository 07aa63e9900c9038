#include "binding/ui/wheel_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "binding/fake_memory_area.h"
#include "binding/ui/vd_track_bar.h"

namespace {

// A page taller than its window, so that the wheel has something to scroll, with the
// application-wide guard in place as the program installs it.
class WheelGuardPage : public ::testing::Test {
 protected:
  void SetUp() override {
    qApp->installEventFilter(&guard);
    window.resize(300, 200);
    auto* content = new QWidget;
    content->setMinimumHeight(2000);
    layout = new QVBoxLayout(content);
    window.setWidget(content);
    window.setWidgetResizable(true);
    // The window gives its first control the focus; here that is not one under test.
    layout->addWidget(new QLineEdit);
  }
  void TearDown() override { qApp->removeEventFilter(&guard); }

  void Show() {
    layout->addStretch();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  // One notch of the wheel, down, over the middle of the widget.
  static void Wheel(QWidget& widget) {
    const QPointF local(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent wheel(local, widget.mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
  }
  int Scrolled() const { return window.verticalScrollBar()->value(); }

  TWheelGuard guard;
  QScrollArea window;
  QVBoxLayout* layout = nullptr;
};

TEST_F(WheelGuardPage, UnfocusedTrackBarScrollsThePageAndChangesNothing) {
  TFakeMemoryArea area;
  auto* bar = new TVDTrackBar;
  bar->setOrientation(Qt::Horizontal);
  bar->setRange(0, 10);
  TComponentData& data = bar->ComponentData();
  data.SetLanAddr(2);
  data.SetMemID(mlExt);
  data.SetAddr(40);
  data.SetDataType(stByte);
  area.Attach(*bar);
  area.Fill(40, {5});
  area.LoadAll();
  layout->addWidget(bar);
  Show();
  ASSERT_FALSE(bar->hasFocus());

  Wheel(*bar);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(area.ModifiedCalls(), 0) << "a scroll over the page marks nothing unwritten";
  EXPECT_GT(Scrolled(), 0) << "the wheel scrolls the page instead";

  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->rect().center());
  ASSERT_TRUE(bar->hasFocus());
  const int clicked = bar->Position();
  const int scrolled = Scrolled();
  const int marks = area.ModifiedCalls();
  Wheel(*bar);
  EXPECT_NE(bar->Position(), clicked) << "once the user chose the bar, the wheel moves it";
  EXPECT_GT(area.ModifiedCalls(), marks);
  EXPECT_EQ(Scrolled(), scrolled);
}

// Each kind of control that would change its value on the wheel: the value it shows.
struct TWheelCase {
  const char* name;
  std::function<QWidget*()> make;
  std::function<int(QWidget&)> value;
};

TEST_F(WheelGuardPage, ComboAndSpinBoxesTakeTheWheelOnlyWithFocus) {
  const TWheelCase cases[] = {
      {"combo box",
       [] {
         auto* combo = new QComboBox;
         combo->addItems({QStringLiteral("а"), QStringLiteral("б"), QStringLiteral("в")});
         return combo;
       },
       [](QWidget& w) { return static_cast<QComboBox&>(w).currentIndex(); }},
      {"spin box",
       [] {
         auto* spin = new QSpinBox;
         spin->setRange(0, 10);
         spin->setValue(5);
         return spin;
       },
       [](QWidget& w) { return static_cast<QSpinBox&>(w).value(); }},
  };
  std::vector<QWidget*> controls;
  for (const TWheelCase& c : cases) {
    controls.push_back(c.make());
    layout->addWidget(controls.back());
  }
  Show();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    QWidget& control = *controls[i];
    EXPECT_NE(control.focusPolicy() & Qt::WheelFocus, Qt::WheelFocus)
        << "the wheel itself would give the focus";
    ASSERT_FALSE(control.hasFocus());
    const int before = cases[i].value(control);
    Wheel(control);
    EXPECT_EQ(cases[i].value(control), before);

    control.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control.hasFocus());
    Wheel(control);
    EXPECT_NE(cases[i].value(control), before);
  }
}

}  // namespace
