// What the solver, the generator and the puzzle file need of the window
// system.

#include <QMessageBox>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

using namespace qtws;

// Called some fifty thousand times while a puzzle is made: an unchanged text
// costs one look-up and one comparison. A new text is announced, as a status
// bar's is.
void SetStatusText(const std::string& text) {
  const GadgetRecord* status = FindGadget(kStatusGadget);
  if (!status || status->text == text) return;
  SetGadgetText(kStatusGadget, text);
  Announce(text);
}

bool PollForStop() { return EndRequested() || (PollEvent() == kEventGadget && EventGadget() == kStopGadget); }

bool AskYesNo(const std::string& title, const std::string& text) {
  if (!gState.application) return false;
  QMessageBox box(QMessageBox::NoIcon, FromWindows1252(title), FromWindows1252(text),
                  QMessageBox::Yes | QMessageBox::No, DialogOwner());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}
