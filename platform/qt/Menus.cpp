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
  QObject::connect(action, &QAction::triggered, action, [item] { PushEvent({kEventMenu, -1, 0, item, -1}); });
}

void AddMenuSeparator(int menu) {
  auto found = gState.menus.find(menu);
  if (found != gState.menus.end()) found->second->addSeparator();
}

void ShowPopupMenu(int menu, int screenX, int screenY) {
  auto found = gState.menus.find(menu);
  if (found != gState.menus.end()) found->second->popup(QPoint(screenX, screenY));
}
