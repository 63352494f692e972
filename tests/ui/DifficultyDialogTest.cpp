// The settings window before a puzzle is made, driven through its real
// slider and buttons.

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <functional>
#include <vector>

#include "generate/DifficultyDialog.h"
#include "storage/Settings.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

namespace {

// The widget of a gadget of the settings window, found by its number.
QWidget* Gadget(int number) {
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->property("gadget").toInt() == number && widget->property("gadget").isValid()) return widget;
  return nullptr;
}

class DifficultyDialog : public ::testing::Test {
 protected:
  void SetUp() override { OpenMainWindow(); }
  void TearDown() override { CloseWindow(kMainWindow); }

  // Runs AskDifficulty while the steps act on its window, one step per tick
  // of a timer, so that the dialog takes the events of one step before the
  // next.
  std::string Ask(int startPosition, std::vector<std::function<void()>> steps) {
    QTimer timer;
    std::size_t next = 0;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
      if (!Gadget(kSettingsGoOn)) return;
      if (next + 1 >= steps.size()) timer.stop();
      if (next < steps.size()) steps[next++]();
    });
    timer.start(10);
    return AskDifficulty(startPosition);
  }
  static std::string Label() { return GetGadgetText(kSettingsLevel); }
};

TEST_F(DifficultyDialog, LevelsChangeAtSeventeenAndFortyFour) {
  EXPECT_EQ(LevelLabel(10), "Stufe: Leicht");
  EXPECT_EQ(LevelLabel(26), "Stufe: Leicht");
  EXPECT_EQ(LevelLabel(27), "Stufe: Mittel");
  EXPECT_EQ(LevelLabel(53), "Stufe: Mittel");
  EXPECT_EQ(LevelLabel(54), "Stufe: Schwer");
  EXPECT_EQ(LevelLabel(60), "Stufe: Schwer");
}

TEST_F(DifficultyDialog, ResultsCarryTheirDifficulty) {
  EXPECT_EQ(DifficultyOfResult("weiter35"), 35);
  EXPECT_EQ(DifficultyOfResult("zur\xFC" "ck40"), 40);
  EXPECT_EQ(DifficultyOfResult("40"), 40);
  EXPECT_TRUE(ResultGoesOn("weiter35"));
  EXPECT_FALSE(ResultGoesOn("zur\xFC" "ck35"));
  EXPECT_FALSE(ResultGoesOn("35"));
}

TEST_F(DifficultyDialog, WeiterReturnsTheSliderDifficulty) {
  const std::string result = Ask(25, {[] { QTest::mouseClick(static_cast<QPushButton*>(Gadget(kSettingsGoOn)), Qt::LeftButton); }});
  EXPECT_EQ(result, "weiter35");
  EXPECT_FALSE(WindowExists(kSettingsWindow)) << "the window is closed when the dialog ends";
}

TEST_F(DifficultyDialog, AbbruchAfterTheSliderMovedToTheStart) {
  const std::string result = Ask(25, {[] {
    static_cast<QAbstractSlider*>(Gadget(kSettingsSlider))->triggerAction(QAbstractSlider::SliderToMinimum);
    QTest::mouseClick(static_cast<QPushButton*>(Gadget(kSettingsCancel)), Qt::LeftButton);
  }});
  EXPECT_EQ(result, "zur\xFC" "ck10");
}

TEST_F(DifficultyDialog, CloseBoxReturnsTheDifficultyAlone) {
  std::string labelAtEnd;
  const std::string result =
      Ask(-10, {[] { static_cast<QAbstractSlider*>(Gadget(kSettingsSlider))->triggerAction(QAbstractSlider::SliderToMaximum); },
                [&] {
                  labelAtEnd = GetGadgetText(kSettingsLevel);
                  Gadget(kSettingsGoOn)->window()->close();
                }});
  EXPECT_EQ(result, "60");
  EXPECT_EQ(labelAtEnd, "Stufe: Schwer") << "the label follows the slider";
}

TEST_F(DifficultyDialog, StartBelowTheRangeShowsTheLowestPosition) {
  const std::string result =
      Ask(-10, {[] { QTest::mouseClick(static_cast<QPushButton*>(Gadget(kSettingsGoOn)), Qt::LeftButton); }});
  EXPECT_EQ(result, "weiter10");
}

TEST_F(DifficultyDialog, EveryStoredDifficultyStartsTheSliderInRange) {
  EXPECT_EQ(SliderStartPosition(INT32_MIN), INT32_MIN) << "saturates instead of leaving the 32-bit range";
  EXPECT_EQ(SliderStartPosition(INT32_MIN + 9), INT32_MIN);
  EXPECT_EQ(SliderStartPosition(INT32_MIN + 10), INT32_MIN);
  EXPECT_EQ(SliderStartPosition(INT32_MIN + 11), INT32_MIN + 1);
  EXPECT_EQ(SliderStartPosition(INT32_MAX), INT32_MAX - 10);

  // The create button with difficulties read from a hand-edited "Data.prefs":
  // the slider shows the nearer end, and "Abbruch" keeps what it shows.
  const auto clickAbbruch = [] { QTest::mouseClick(static_cast<QPushButton*>(Gadget(kSettingsCancel)), Qt::LeftButton); };
  for (const auto& [stored, shown] : {std::pair{INT32_MIN, 10}, std::pair{INT32_MIN + 9, 10}, std::pair{-7, 10},
                                      std::pair{INT32_MAX, 60}, std::pair{INT32_MAX - 9, 60}, std::pair{61, 60}}) {
    gDifficulty = stored;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
      if (!Gadget(kSettingsCancel)) return;
      timer.stop();
      clickAbbruch();
    });
    timer.start(10);
    RunCommand(*RowOfGadget(kCreateButton), {});
    EXPECT_EQ(gDifficulty, shown) << "stored " << stored;
    EXPECT_FALSE(WindowExists(kSettingsWindow));
  }
  EXPECT_EQ(Ask(SliderStartPosition(INT32_MIN), {clickAbbruch}), "zur\xFC" "ck10");
  EXPECT_EQ(Ask(SliderStartPosition(INT32_MAX), {clickAbbruch}), "zur\xFC" "ck60");
}

}  // namespace
