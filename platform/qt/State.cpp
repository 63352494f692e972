#include "platform/qt/State.h"

namespace qtws {

State gState;

WindowRecord* FindWindow(int window) {
  auto found = gState.windows.find(window);
  return found == gState.windows.end() ? nullptr : &found->second;
}

GadgetRecord* FindGadget(int gadget) {
  auto found = gState.gadgets.find(gadget);
  return found == gState.gadgets.end() || !found->second.widget ? nullptr : &found->second;
}

QImage* FindImage(int image) {
  auto found = gState.images.find(image);
  return found == gState.images.end() ? nullptr : &found->second;
}

FontRecord* FindFont(int font) {
  auto found = gState.fonts.find(font);
  return found == gState.fonts.end() ? nullptr : &found->second;
}

QWidget* DialogOwner() {
  QWidget* active = QApplication::activeWindow();
  QWidget* fallback = nullptr;
  for (auto& [number, record] : gState.windows) {
    if (record.widget.get() == active) return active;
    if (number == 0 || !fallback) fallback = record.widget.get();
  }
  return fallback;
}

void PushEvent(const Event& event) { gState.events.push_back(event); }

void PushGadgetEvent(int gadget, GadgetEventType type, int state) {
  const GadgetRecord* record = FindGadget(gadget);
  PushEvent({kEventGadget, gadget, type, -1, record ? record->window : -1, state});
}

}  // namespace qtws
