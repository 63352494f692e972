// What the solver, the generator and the puzzle file need of the window
// system.

#include <QMessageBox>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

using namespace qtws;

namespace {

constexpr int kStatusText = 7;
constexpr int kStopButton = 8;

}  // namespace

// Called some fifty thousand times while a puzzle is made: an unchanged text
// costs one look-up and one comparison.
void SetStatusText(const std::string& text) {
  const GadgetRecord* status = FindGadget(kStatusText);
  if (status && status->text != text) SetGadgetText(kStatusText, text);
}

bool PollForStop() { return EndRequested() || (PollEvent() == kEventGadget && EventGadget() == kStopButton); }

bool AskYesNo(const std::string& title, const std::string& text) {
  if (!gState.application) return false;
  QMessageBox box(QMessageBox::NoIcon, FromWindows1252(title), FromWindows1252(text),
                  QMessageBox::Yes | QMessageBox::No, DialogOwner());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}
