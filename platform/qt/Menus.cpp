// Pop-up menus.

#include <QAction>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

using namespace qtws;

void CreatePopupMenu(int menu) {
  if (gState.application) gState.menus[menu] = std::make_unique<QMenu>();
}

void AddMenuItem(int menu, int item, const std::string& text) {
  auto found = gState.menus.find(menu);
  if (found == gState.menus.end()) return;
  QAction* action = found->second->addAction(FromWindows1252(text));
  action->setProperty(kMenuItemProperty, item);
  QObject::connect(action, &QAction::triggered, action, [item] { PushEvent({kEventMenu, -1, 0, item, -1}); });
}

void AddMenuSeparator(int menu) {
  auto found = gState.menus.find(menu);
  if (found != gState.menus.end()) found->second->addSeparator();
}

// Shown from the keyboard, the menu has its first item chosen, as menus
// opened by a key have, so that a screen reader speaks it.
void ShowPopupMenu(int menu, int screenX, int screenY) {
  auto found = gState.menus.find(menu);
  if (found == gState.menus.end()) return;
  found->second->popup(QPoint(screenX, screenY));
  if (!gState.keyboardLast) return;
  for (QAction* action : found->second->actions())
    if (!action->isSeparator() && action->isEnabled()) {
      found->second->setActiveAction(action);
      break;
    }
}

void NameMenu(int menu, const std::string& name) {
  auto found = gState.menus.find(menu);
  if (found != gState.menus.end()) found->second->setAccessibleName(FromWindows1252(name));
}
