// Ending the program from outside, and the last resort when the display
// connection is lost.

#include "platform/qt/SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDialog>
#include <QMenu>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/qt/RuntimeFolder.h"
#include "platform/qt/State.h"

namespace qtws {

namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set by a signal handler");
std::atomic<bool> gEndRequested{false};

// The signal handler writes a byte here; the loop watches the other end.
int gWakePipe[2] = {-1, -1};

void (*gShutDown)() = nullptr;

extern "C" void OnEndSignal(int) {
  const int savedErrno = errno;
  gEndRequested.store(true);
  const char byte = 1;
  (void)!::write(gWakePipe[1], &byte, 1);
  errno = savedErrno;
}

void DrainWakePipe() {
  char bytes[64];
  while (::read(gWakePipe[0], bytes, sizeof bytes) > 0) {
  }
}

// Qt's X11 plugin ends the process with exit(1) from inside its event
// processing when the connection to the display breaks. The application and
// its windows, destroyed by the exit handlers that would come next, still
// refer to that connection, so the process ends here instead: after the
// program's shutdown, which finds the windows as they were last known, and
// the removal of the runtime folder, whose own exit handler never comes.
void AtExit() {
  if (!gState.application) return;  // the window system was ended in order
  if (auto shutDown = std::exchange(gShutDown, nullptr)) shutDown();
  RemoveRuntimeFolder();
  std::fflush(nullptr);
  std::_Exit(1);
}

}  // namespace

void StartWatchingForEnd() {
  static bool installed = false;
  if (!installed) {
    installed = true;
    if (::pipe2(gWakePipe, O_NONBLOCK | O_CLOEXEC) != 0) gWakePipe[0] = gWakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
    std::atexit(AtExit);
  }
  if (gWakePipe[0] >= 0) {
    auto watch = std::make_unique<QSocketNotifier>(gWakePipe[0], QSocketNotifier::Read);
    QObject::connect(watch.get(), &QSocketNotifier::activated, [] {
      DrainWakePipe();
      RequestEnd();
    });
    gState.endWatch = std::move(watch);
  }
  QObject::connect(gState.application.get(), &QCoreApplication::aboutToQuit, [] { RequestEnd(); });
}

void StopWatchingForEnd() {
  gState.endWatch.reset();
  gShutDown = nullptr;
}

void RequestEnd() {
  gEndRequested.store(true);
  if (!gState.application) return;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible()) CancelForEnd(widget);
}

void CancelForEnd(QObject* object) {
  if (auto* dialog = qobject_cast<QDialog*>(object))
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
  else if (auto* menu = qobject_cast<QMenu*>(object))
    QMetaObject::invokeMethod(menu, &QMenu::close, Qt::QueuedConnection);
}

void ForgetEndRequest() {
  if (gWakePipe[0] >= 0) DrainWakePipe();
  gEndRequested.store(false);
}

}  // namespace qtws

bool EndRequested() { return qtws::gEndRequested.load(); }

void OnDisplayLost(void (*shutDown)()) { qtws::gShutDown = shutDown; }
