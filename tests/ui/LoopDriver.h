#pragma once
// The program's loop driven as a person drives it: real mouse clicks on the
// real gadgets, real key presses into the windows, each followed by the
// passes of the main loop that handle them.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCursor>
#include <QStyleOptionButton>
#include <QWindow>
#include <QtTest/QTest>

#include "board/Board.h"
#include "board/History.h"
#include "platform/qt/State.h"
#include "solve/ErrorCheck.h"
#include "ui/BoardDrawing.h"
#include "ui/CellEditor.h"
#include "ui/EventLoop.h"
#include "ui/MainWindow.h"
#include "ui/Resources.h"

inline QWidget* GadgetWidget(int gadget) {
  const qtws::GadgetRecord* record = qtws::FindGadget(gadget);
  return record ? record->widget.data() : nullptr;
}

inline QWindow* WindowHandle(int window) { return qtws::FindWindow(window)->widget->windowHandle(); }

// Lets Qt deliver what is pending, then runs a pass for every queued event.
// Returns false when a pass ended the loop.
inline bool RunPendingPasses() {
  QCoreApplication::processEvents();
  while (!qtws::gState.events.empty())
    if (!RunPass()) return false;
  return true;
}

inline bool Press(int window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(WindowHandle(window), key, modifiers);
  return RunPendingPasses();
}

// The centre of the box of a check box gadget, where a click ticks it.
inline QPoint BoxCentre(int gadget) {
  auto* box = static_cast<QCheckBox*>(GadgetWidget(gadget));
  QStyleOptionButton option;
  option.initFrom(box);
  return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}

// Moves the pointer to a point of the main window's client area, as the
// window system reports it, and lets the loop see it arrive.
inline void PointAt(int x, int y) {
  QCursor::setPos(qtws::FindWindow(kMainWindow)->widget->mapToGlobal(QPoint(x, y)));
  QTest::mouseMove(WindowHandle(kMainWindow), QPoint(x, y));
  RunPendingPasses();
}

inline QPoint BoardPoint(int x, int y) { return QPoint(x - 20, y - 20); }

class Interaction : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearBoard(gMainBoard);
    ClearHistory();
    gSelectedColumn = gSelectedRow = 0;
    gErrorColumn = -1;
    gFocusCueShown = false;
    OpenCellEditor(0, 0);
    OpenMainWindow();
    SetWindowOwner(kCellEditorWindow, kMainWindow);  // as at start-up
    RunPendingPasses();
  }
  void TearDown() override {
    CloseWindow(kMainWindow);
    CloseWindow(kCellEditorWindow);
    qtws::gState.events.clear();
  }
};
