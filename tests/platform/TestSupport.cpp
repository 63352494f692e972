#include "tests/platform/TestSupport.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "platform/qt/State.h"

std::vector<TakenEvent> TakePendingEvents() {
  std::vector<TakenEvent> taken;
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::processEvents();
    for (EventKind kind = PollEvent(); kind != kEventNone; kind = PollEvent())
      taken.push_back({kind, EventGadget(), EventType(), EventMenu(), EventWindow(), EventKey(), EventModifiers()});
  }
  return taken;
}

std::vector<TakenEvent> GadgetEvents(const std::vector<TakenEvent>& events) {
  std::vector<TakenEvent> gadgetEvents;
  for (const TakenEvent& event : events)
    if (event.kind == kEventGadget) gadgetEvents.push_back(event);
  return gadgetEvents;
}

Watchdog::Watchdog(unsigned seconds) {
  std::signal(SIGALRM, [](int) {
    constexpr char kMessage[] = "Watchdog: the test blocked and is ended\n";
    (void)!write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    std::_Exit(3);
  });
  alarm(seconds);
}

Watchdog::~Watchdog() { alarm(0); }

void WindowTest::SetUp() {
  ASSERT_TRUE(OpenWindow(0, 0, 0, 200, 150, "Test", kWindowCloseBox | kWindowScreenCentred));
  TakePendingEvents();
}

void WindowTest::TearDown() {
  StopDrawing();
  for (int window = 0; window < 10; ++window) CloseWindow(window);
  TakePendingEvents();
}

QWidget* WindowWidget(int window) {
  const qtws::WindowRecord* record = qtws::FindWindow(window);
  return record ? record->widget.get() : nullptr;
}

QWidget* GadgetWidget(int gadget) {
  const qtws::GadgetRecord* record = qtws::FindGadget(gadget);
  return record ? record->widget.data() : nullptr;
}
