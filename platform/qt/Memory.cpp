// Memory the program has freed, given back to the system.

#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>

#include "platform/Platform.h"

void ReturnFreedMemory() {
  // The windows closed meanwhile (the preview with its copy of the page, the
  // file dialogs) are deleted first, so that their memory is free too.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ::malloc_trim(0);
}
