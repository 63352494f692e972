#pragma once
// Helpers of the window-system tests: the events a test has caused, a
// watchdog for waits that could block forever, and driving modal dialogs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

#include "platform/Platform.h"

struct TakenEvent {
  EventKind kind;
  int gadget, type, menu, window, key, modifiers;
};

// Lets Qt deliver what is pending, then takes every queued event.
std::vector<TakenEvent> TakePendingEvents();

// The gadget events among them.
std::vector<TakenEvent> GadgetEvents(const std::vector<TakenEvent>& events);

// Ends the test program when the test has not finished in time: a blocking
// wait has no timeout of its own.
struct Watchdog {
  explicit Watchdog(unsigned seconds = 20);
  ~Watchdog();
};

// Opens the main window (window 0, 200 x 150, with a close box) for a test,
// and closes every window and takes every event afterwards.
class WindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The Qt widget of a window or a gadget, null when there is none.
QWidget* WindowWidget(int window);
QWidget* GadgetWidget(int gadget);

// Runs the action once on the first modal dialog of the given type, looking
// for it every 20 ms for as long as the context lives.
template <typename Dialog>
void WhenModal(QObject& context, std::function<void(Dialog*)> action) {
  auto* timer = new QTimer(&context);  // owned by the context
  QObject::connect(timer, &QTimer::timeout, &context, [timer, action] {
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      action(dialog);
    }
  });
  timer->start(20);
}
