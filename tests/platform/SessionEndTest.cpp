// Ending from outside: signals and the session manager's quit request end
// every wait, poll and dialog as a close request would; and which display
// the program asks for.

#include <signal.h>
#include <unistd.h>

#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/qt/DisplayChoice.h"
#include "platform/qt/SessionEnd.h"
#include "tests/platform/TestSupport.h"

namespace {

class SessionEndTest : public WindowTest {
 protected:
  void TearDown() override {
    qtws::ForgetEndRequest();
    WindowTest::TearDown();
  }

  // What every wait and poll gives once the end is requested: the main
  // window's close request, again and again, and STOP for a running command.
  static void ExpectEveryWaitEnds() {
    for (int round = 0; round < 2; ++round) {
      ASSERT_EQ(WaitEvent(), kEventClose);
      EXPECT_EQ(EventWindow(), 0);
      ASSERT_EQ(PollEvent(), kEventClose);
      EXPECT_EQ(EventWindow(), 0);
    }
    EXPECT_TRUE(PollForStop());
  }
};

TEST_F(SessionEndTest, EachSignalEndsTheWaitsInsteadOfTheProcess) {
  const Watchdog watchdog;
  ButtonGadget(3, 0, 10, 10, 60, 25, "A");
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    qtws::ForgetEndRequest();
    QTest::mouseClick(GadgetWidget(3), Qt::LeftButton);  // queued before the end
    EXPECT_FALSE(EndRequested());
    ASSERT_EQ(raise(signal), 0);
    EXPECT_TRUE(EndRequested()) << "signal " << signal;
    ExpectEveryWaitEnds();
    EXPECT_TRUE(WindowExists(0)) << "the program closes its windows itself";
  }
}

TEST_F(SessionEndTest, ASignalFromAnotherThreadWakesABlockedWait) {
  const Watchdog watchdog;
  TakePendingEvents();
  std::thread sender([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    kill(getpid(), SIGTERM);
  });
  // Blocks until the signal: nothing else arrives meanwhile.
  EventKind event = WaitEvent();
  while (event == kEventOther) event = WaitEvent();
  sender.join();
  EXPECT_EQ(event, kEventClose);
  EXPECT_EQ(EventWindow(), 0);
}

TEST_F(SessionEndTest, TheSessionManagersQuitEndsThroughTheLoop) {
  QEvent quit(QEvent::Quit);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
  EXPECT_TRUE(EndRequested());
  EXPECT_TRUE(WindowWidget(0)->isVisible()) << "Qt must not close the windows behind the program's back";
  ExpectEveryWaitEnds();
}

TEST_F(SessionEndTest, OpenDialogsCloseAsCancelled) {
  const Watchdog watchdog(40);
  QObject context;
  WhenModal<QFileDialog>(context, [](QFileDialog*) { raise(SIGTERM); });
  EXPECT_EQ(OpenFileDialog("\xD6" "ffnen", "Tolva Sudoku|*.sdk"), "");

  qtws::ForgetEndRequest();
  WhenModal<QMessageBox>(context, [](QMessageBox*) { raise(SIGHUP); });
  EXPECT_FALSE(AskYesNo("Frage", "Soll das wirklich sein?"));

  qtws::ForgetEndRequest();
  ASSERT_TRUE(CreateImage(8, 20, 20));
  WhenModal<QPrintDialog>(context, [](QPrintDialog*) { raise(SIGINT); });
  EXPECT_FALSE(PrintImage(8, "Sudoku"));
  FreeImage(8);
}

TEST_F(SessionEndTest, DialogsShownAfterTheEndCloseAtOnce) {
  const Watchdog watchdog(40);
  ASSERT_EQ(raise(SIGTERM), 0);
  EXPECT_EQ(SaveFileDialog("Speichern", "Tolva Sudoku|*.sdk"), "");
  EXPECT_FALSE(AskYesNo("Frage", "Soll das wirklich sein?"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SessionEndTest, AnOpenPopupMenuCloses) {
  CreatePopupMenu(2);
  AddMenuItem(2, 11, "L\xF6sen");
  ShowPopupMenu(2, 50, 60);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  ASSERT_EQ(raise(SIGHUP), 0);
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000));
}

// Qt's X11 plugin calls exit(1) from inside its event processing when the
// connection breaks; the program's shutdown must still run, and the process
// end before the exit handlers destroy what still refers to the display.
TEST(DisplayLostTest, AnExitFromInsideTheWindowSystemRunsTheShutdownAndEndsWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        OnDisplayLost([] { std::fputs("the shutdown ran\n", stderr); });
        std::exit(1);
      },
      testing::ExitedWithCode(1), "the shutdown ran");
}

TEST(DisplayChoiceTest, AnXDisplayWinsUnlessThePlatformIsChosen) {
  // An X display, also beside a Wayland compositor (XWayland): X11, with
  // Wayland as the fallback when the X display cannot be reached.
  EXPECT_EQ(ChooseDisplay(nullptr, ":0", nullptr).platform, "xcb");
  EXPECT_EQ(ChooseDisplay("", ":0", "").platform, "xcb");
  EXPECT_EQ(ChooseDisplay(nullptr, ":0", "wayland-0").platform, "xcb;wayland");
  EXPECT_EQ(ChooseDisplay(nullptr, nullptr, "wayland-0").platform, "wayland");
  // The user's choice stands, whatever it is.
  for (const char* chosen : {"wayland", "offscreen", "xcb"}) {
    const DisplayChoice choice = ChooseDisplay(chosen, ":0", "wayland-0");
    EXPECT_EQ(choice.platform, "");
    EXPECT_EQ(choice.missing, "");
  }
  EXPECT_EQ(ChooseDisplay("offscreen", nullptr, nullptr).missing, "");
}

TEST(DisplayChoiceTest, WithoutADisplayOneLineNamesWhatIsMissing) {
  const std::string none = ChooseDisplay(nullptr, nullptr, nullptr).missing;
  EXPECT_NE(none.find("grafische Oberfl\xC3\xA4" "che"), std::string::npos) << none;
  EXPECT_NE(none.find("weder DISPLAY noch WAYLAND_DISPLAY"), std::string::npos) << none;
  EXPECT_EQ(none.find('\n'), std::string::npos);
  EXPECT_EQ(ChooseDisplay("", "", "").missing, none);

  const std::string noX = ChooseDisplay("xcb", "", "wayland-0").missing;
  EXPECT_NE(noX.find("DISPLAY ist nicht gesetzt"), std::string::npos) << noX;
  EXPECT_EQ(noX.find("WAYLAND"), std::string::npos) << noX;
}

}  // namespace
