// Memory the program has freed, given back to the system.

#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>

#include "platform/Platform.h"
#include "platform/qt/Memory.h"

void ReturnFreedMemory() {
  // The windows closed meanwhile (the preview with its copy of the page, the
  // file dialogs) are deleted first, so that their memory is free too.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ::malloc_trim(0);
}

void KeepLargeBlocksApart() {
  // A fixed threshold of 1 MiB; smaller blocks stay in the heap as before.
  ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
}
