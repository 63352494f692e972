// The program's own dialog loops when the program is asked to end: they end
// as by their close box or cancel button, without a result.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "generate/DifficultyDialog.h"
#include "platform/qt/SessionEnd.h"
#include "ui/MainWindow.h"
#include "ui/Printing.h"
#include "ui/Resources.h"

namespace {

QWidget* Gadget(int number) {
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->property("gadget").isValid() && widget->property("gadget").toInt() == number) return widget;
  return nullptr;
}

class Ending : public ::testing::Test {
 protected:
  // A loop that did not end would block the test for good.
  void SetUp() override {
    alarm(5);
    OpenMainWindow();
  }
  void TearDown() override {
    qtws::ForgetEndRequest();
    CloseWindow(kMainWindow);
    alarm(0);
  }

  // Runs the steps one per timer tick, each once its gadget exists.
  struct Steps {
    QTimer timer;
    explicit Steps(std::vector<std::pair<int, std::function<void()>>> steps) {
      QObject::connect(&timer, &QTimer::timeout, &timer, [steps, next = std::size_t{0}]() mutable {
        if (next < steps.size() && Gadget(steps[next].first)) steps[next++].second();
      });
      timer.start(10);
    }
  };
};

TEST_F(Ending, TheDifficultyDialogEndsAsByItsCloseBox) {
  const Steps steps({{26, [] { ASSERT_EQ(raise(SIGTERM), 0); }}});
  const std::string result = AskDifficulty(30);
  EXPECT_EQ(result, "40") << "no outcome word: nothing is made";
  EXPECT_FALSE(ResultGoesOn(result));
  EXPECT_FALSE(WindowExists(3));
}

TEST_F(Ending, PrintingEndsInThePreviewWithoutPrinting) {
  const Steps steps({{47, [] { QTest::mouseClick(static_cast<QPushButton*>(Gadget(47)), Qt::LeftButton); }},
                     {51, [] { ASSERT_EQ(raise(SIGTERM), 0); }}});
  EXPECT_EQ(ShowPrintSelection(), 0);
  EXPECT_FALSE(WindowExists(5));
  EXPECT_FALSE(WindowExists(6));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no question about the image is left open";
}

}  // namespace
