// The one event queue: real clicks on real gadgets and menus, close
// requests, polls and waits, and the core's seam.

#include <QCheckBox>
#include <QMenu>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include "tests/platform/TestSupport.h"

namespace {

using EventsTest = WindowTest;

bool Has(const std::vector<TakenEvent>& events, EventKind kind, int window) {
  return std::any_of(events.begin(), events.end(),
                     [&](auto& event) { return event.kind == kind && event.window == window; });
}

TEST_F(EventsTest, ButtonClickArrivesOnceWithItsNumber) {
  ButtonGadget(3, 0, 10, 10, 60, 25, "Weiter");
  QTest::mouseClick(GadgetWidget(3), Qt::LeftButton);
  const auto events = GadgetEvents(TakePendingEvents());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].gadget, 3);
  EXPECT_EQ(events[0].type, kLeftClick);
  EXPECT_EQ(events[0].window, 0);
}

TEST_F(EventsTest, CheckBoxAndSliderReportTheUserButNotTheProgram) {
  CheckBoxGadget(14, 0, 10, 10, 30, 20, "1");
  auto* box = static_cast<QCheckBox*>(GadgetWidget(14));
  QStyleOptionButton option;
  option.initFrom(box);
  QTest::mouseClick(box, Qt::LeftButton, {},
                    box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
  QCoreApplication::processEvents();
  ASSERT_EQ(PollEvent(), kEventGadget);
  EXPECT_EQ(EventGadget(), 14);
  EXPECT_EQ(EventType(), kLeftClick);
  EXPECT_EQ(GetGadgetState(14), 1) << "toggled before the event is taken";

  SliderGadget(26, 0, 20, 100, 160, 20, 0, 50);
  SetGadgetState(14, 2);  // only exactly 1 ticks the box
  SetGadgetState(26, 80);
  EXPECT_EQ(GetGadgetState(14), 0);
  EXPECT_EQ(GetGadgetState(26), 50);
  EXPECT_TRUE(GadgetEvents(TakePendingEvents()).empty());

  QTest::keyClick(GadgetWidget(26), Qt::Key_Left);
  const auto events = GadgetEvents(TakePendingEvents());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].gadget, 26);
  EXPECT_EQ(events[0].type, kChange);
  EXPECT_EQ(GetGadgetState(26), 49);
}

TEST_F(EventsTest, ImageGadgetReportsBothButtonsDoubleClicksAndDrags) {
  ImageGadget(1, 0, 20, 20, 60, 60, -1);
  QWidget* image = GadgetWidget(1);
  QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(image, Qt::RightButton, {}, QPoint(10, 10));
  QTest::mouseDClick(image, Qt::LeftButton);  // the double-click message alone, no press before it
  QTest::mousePress(image, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(image, QPoint(14, 10));
  QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(14, 10));  // a small wobble is still a click
  QTest::mousePress(image, Qt::LeftButton, {}, QPoint(10, 10));
  for (int x = 15; x <= 40; x += 5) QTest::mouseMove(image, QPoint(x, 10));
  QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(40, 10));
  std::vector<int> types;
  for (const TakenEvent& event : GadgetEvents(TakePendingEvents())) types.push_back(event.type);
  EXPECT_EQ(types, (std::vector<int>{kLeftClick, kRightClick, kLeftDoubleClick, kLeftClick, kDragStart}));
}

// A key goes to the focused gadget that works with it, else to the button
// that has it (of its own window, else of the window's owner), else to the
// program.
TEST_F(EventsTest, KeysGoToTheFocusedGadgetThenToTheirButtonThenToTheProgram) {
  ASSERT_TRUE(OpenWindow(1, 0, 0, 100, 100, "Feld A1", 0));
  ButtonGadget(8, 1, 10, 10, 40, 40, "STOP");
  SetGadgetKey(8, kKeyEscape);
  SliderGadget(26, 0, 10, 10, 150, 20, 0, 50);
  ButtonGadget(28, 0, 10, 40, 60, 25, "Weiter");
  ButtonGadget(29, 0, 80, 40, 60, 25, "Abbruch");
  CheckBoxGadget(14, 0, 10, 80, 30, 20, "1");
  SetGadgetKey(28, kKeyEnter);
  SetGadgetKey(29, kKeyEscape);
  SetGadgetState(26, 20);
  QWindow* window = WindowWidget(0)->windowHandle();
  const auto keys = [&](std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
    for (const auto& [key, modifiers] : presses) QTest::keyClick(window, key, modifiers);
    std::vector<std::tuple<int, int, int>> taken;  // kind, gadget or key, modifiers
    for (const TakenEvent& event : TakePendingEvents())
      if (event.kind == kEventGadget) taken.emplace_back(kEventGadget, event.gadget, 0);
      else if (event.kind == kEventKey) taken.emplace_back(kEventKey, event.key, event.modifiers);
    return taken;
  };
  using Taken = std::vector<std::tuple<int, int, int>>;
  GadgetWidget(26)->setFocus();
  EXPECT_EQ(keys({{Qt::Key_Left, {}}, {Qt::Key_Enter, {}}, {Qt::Key_Escape, {}}}),
            (Taken{{kEventGadget, 26, 0}, {kEventGadget, 28, 0}, {kEventGadget, 29, 0}}));
  EXPECT_EQ(GetGadgetState(26), 19);
  GadgetWidget(29)->setFocus();
  EXPECT_EQ(keys({{Qt::Key_Return, {}}}), (Taken{{kEventGadget, 29, 0}})) << "the focused button takes Enter";
  HideGadget(29, true);
  EXPECT_EQ(keys({{Qt::Key_Escape, {}}}), (Taken{{kEventKey, kKeyEscape, 0}})) << "never another window's button";
  HideGadget(29, false);
  HideGadget(8, true);
  QTest::keyClick(WindowWidget(1)->windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(GadgetEvents(TakePendingEvents()).size(), 0U) << "nor a window's button from a window it does not own";
  SetWindowOwner(1, 0);
  QTest::keyClick(WindowWidget(1)->windowHandle(), Qt::Key_Escape);
  const auto owned = GadgetEvents(TakePendingEvents());
  ASSERT_EQ(owned.size(), 1U);
  EXPECT_EQ(owned[0].gadget, 29) << "a key pressed in an owned window presses its owner's button";
  GadgetWidget(14)->setFocus();
  EXPECT_EQ(keys({{Qt::Key_Space, {}}, {Qt::Key_7, {}}, {Qt::Key_5, Qt::KeypadModifier}, {Qt::Key_Right, {}},
                  {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_Enter, Qt::ControlModifier},
                  {Qt::Key_F1, {}}}),
            (Taken{{kEventGadget, 14, 0}, {kEventKey, '7', 0}, {kEventKey, '5', 0}, {kEventKey, kKeyRight, 0},
                   {kEventKey, 'Z', kControlKey | kShiftKey}, {kEventKey, kKeyEnter, kControlKey}}));
  EXPECT_EQ(GetGadgetState(14), 1);
  EXPECT_EQ(WindowWidget(0)->focusWidget(), GadgetWidget(14)) << "arrows do not move the focus off a check box";
  // Any modifier is part of the chord, Super too, and then presses no
  // button; Shift with a digit is how some keyboards type the digit.
  EXPECT_EQ(keys({{Qt::Key_Escape, Qt::ShiftModifier}, {Qt::Key_Enter, Qt::ShiftModifier},
                  {Qt::Key_S, Qt::MetaModifier}, {Qt::Key_1, Qt::MetaModifier}, {Qt::Key_7, Qt::ShiftModifier}}),
            (Taken{{kEventKey, kKeyEscape, kShiftKey}, {kEventKey, kKeyEnter, kShiftKey}, {kEventKey, 'S', kSuperKey},
                   {kEventKey, '1', kSuperKey}, {kEventKey, '7', 0}}));
  GadgetWidget(28)->setFocus();
  EXPECT_EQ(keys({{Qt::Key_Return, Qt::ShiftModifier}}), (Taken{{kEventKey, kKeyEnter, kShiftKey}}))
      << "nor does the focused button take Shift+Enter";
}

TEST_F(EventsTest, ChosenMenuItemArrivesAsAMenuEvent) {
  CreatePopupMenu(2);
  AddMenuItem(2, 11, "Vollst\xE4ndig l\xF6sen");
  AddMenuSeparator(2);
  AddMenuItem(2, 13, "Auf Fehler pr\xFC" "fen");
  ShowPopupMenu(2, 50, 60);  // returns at once, the menu still open
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->pos(), QPoint(50, 60));
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), QStringLiteral(u"Vollständig lösen"));
  EXPECT_TRUE(actions[1]->isSeparator());

  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(actions[2]).center());
  const auto events = TakePendingEvents();
  const auto chosen = std::find_if(events.begin(), events.end(), [](auto& event) { return event.kind == kEventMenu; });
  ASSERT_NE(chosen, events.end());
  EXPECT_EQ(chosen->menu, 13);
}

// A key that reaches a program window while a pop-up menu is open (before
// the window system has moved the keyboard to the menu, on a busy machine)
// is the menu's, as Qt would have it, and no key event of the window.
TEST_F(EventsTest, KeysWhileAMenuIsOpenAreTheMenus) {
  CreatePopupMenu(2);
  AddMenuItem(2, 11, "Vollst\xE4ndig l\xF6sen");
  AddMenuItem(2, 12, "Einen Schritt machen");
  ShowPopupMenu(2, 50, 60);
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  QWindow* window = WindowWidget(0)->windowHandle();
  QTest::keyClick(window, Qt::Key_Down);
  QTest::keyClick(window, Qt::Key_Down);
  QTest::keyClick(window, Qt::Key_Return);
  std::vector<std::pair<int, int>> taken;  // kind, menu item or key
  for (const TakenEvent& event : TakePendingEvents())
    if (event.kind == kEventMenu || event.kind == kEventKey)
      taken.emplace_back(event.kind, event.kind == kEventMenu ? event.menu : event.key);
  EXPECT_EQ(taken, (std::vector<std::pair<int, int>>{{kEventMenu, 12}}));
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(EventsTest, PollTakesOneEventAtATimeAndWaitBlocksUntilOneArrives) {
  const Watchdog watchdog;
  ButtonGadget(3, 0, 10, 10, 60, 25, "A");
  ButtonGadget(8, 0, 80, 10, 60, 25, "STOP");
  QTest::mouseClick(GadgetWidget(3), Qt::LeftButton);
  QTest::mouseClick(GadgetWidget(8), Qt::LeftButton);
  QTest::mouseClick(GadgetWidget(8), Qt::LeftButton);
  ASSERT_EQ(PollEvent(), kEventGadget);
  EXPECT_EQ(EventGadget(), 3);
  EXPECT_TRUE(PollForStop());
  ASSERT_EQ(WaitEvent(), kEventGadget);  // pending already: no wait
  EXPECT_EQ(EventGadget(), 8);

  QObject context;
  QTimer::singleShot(50, &context, [] { QTest::mouseClick(GadgetWidget(3), Qt::LeftButton); });
  while (WaitEvent() != kEventGadget) {
  }
  EXPECT_EQ(EventGadget(), 3);
  EXPECT_FALSE(PollForStop());
}

TEST_F(EventsTest, CloseRequestLeavesTheWindowOpen) {
  EXPECT_FALSE(WindowWidget(0)->close());
  EXPECT_TRUE(WindowWidget(0)->isVisible());
  EXPECT_TRUE(Has(TakePendingEvents(), kEventClose, 0));
}

// The main loop runs one pass per event and may draw in every pass: its own
// drawing must not come back as an event, while the user's pointer does.
TEST_F(EventsTest, OnlyTheUsersMessagesBecomeOtherEvents) {
  TextGadget(7, 0, 10, 120, 80, 20, "");
  for (int pass = 0; pass < 3; ++pass) {  // the last pass shows "Fertig!"
    ASSERT_TRUE(StartDrawingOnWindow(0));
    FillRect(0, 0, 200, 150, Rgb(0, 0, 255));
    StopDrawing();
    SetStatusText(pass % 2 ? "L\xF6sen..." : "Fertig!");
    SetWindowTitle(0, "Feld A" + std::to_string(pass));
    QTest::qWait(20);
  }
  EXPECT_TRUE(TakePendingEvents().empty());
  TextGadget(7, 0, 10, 120, 80, 20, "");  // a new status line shows the same text again
  SetStatusText("Fertig!");
  EXPECT_EQ(GetGadgetText(7), "Fertig!");

  QTest::mouseMove(WindowWidget(0)->windowHandle(), QPoint(50, 50));
  EXPECT_TRUE(Has(TakePendingEvents(), kEventOther, 0));
}

TEST_F(EventsTest, ClicksGoThroughTheSurfaceToTheGadgets) {
  ButtonGadget(3, 0, 10, 10, 60, 25, "A");
  ASSERT_TRUE(StartDrawingOnWindow(0));
  FillRect(0, 0, 200, 150, Rgb(0, 0, 255));
  StopDrawing();
  QWindow* window = WindowWidget(0)->windowHandle();
  QTest::mouseMove(window, QPoint(40, 20));
  TakePendingEvents();
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(40, 20));
  const auto onButton = TakePendingEvents();  // the button's event alone
  ASSERT_EQ(onButton.size(), 1u);
  EXPECT_EQ(onButton[0].kind, kEventGadget);
  EXPECT_EQ(onButton[0].gadget, 3);

  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(150, 100));
  const auto beside = TakePendingEvents();
  EXPECT_TRUE(GadgetEvents(beside).empty());
  EXPECT_TRUE(Has(beside, kEventOther, 0));
}

}  // namespace
