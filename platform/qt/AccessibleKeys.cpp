// Buttons, check boxes and menu items as assistive technology sees them,
// each with the key chord that does what it does. A screen reader speaks a
// chord it is told in the third part of an action's key binding
// ("mnemonic;sequence;accelerator", as GTK tells it); Qt's own interfaces
// tell a button's or a menu item's shortcut in the first part only, which
// goes unspoken, and would need the shortcut set, which Qt would then handle
// (and draw in the menu) itself.

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "platform/qt/State.h"

namespace qtws {

namespace {

QString KeyName(int key) {
  if (key >= '0' && key <= '9') return QString(QChar(key));
  if (key >= 'A' && key <= 'Z') return QString(QChar(key - 'A' + 'a'));
  switch (key) {
    case kKeyBackspace: return QStringLiteral("BackSpace");
    case kKeyEnter: return QStringLiteral("Return");
    case kKeyEscape: return QStringLiteral("Escape");
    case kKeySpace: return QStringLiteral("space");
    case kKeyDelete: return QStringLiteral("Delete");
    case kKeyLeft: return QStringLiteral("Left");
    case kKeyRight: return QStringLiteral("Right");
    case kKeyUp: return QStringLiteral("Up");
    case kKeyDown: return QStringLiteral("Down");
    case kKeyHome: return QStringLiteral("Home");
    case kKeyEnd: return QStringLiteral("End");
    case kKeyPageUp: return QStringLiteral("Page_Up");
    case kKeyPageDown: return QStringLiteral("Page_Down");
    default: return {};
  }
}

// The binding of an action whose chord is told: the third part.
QStringList Binding(const QString& accelerator) {
  if (accelerator.isEmpty()) return {};
  return {QString(), QString(), accelerator};
}

class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(QAbstractButton* button)
      : QAccessibleWidget(button, qobject_cast<QCheckBox*>(button) ? QAccessible::CheckBox : QAccessible::Button) {}

  QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }

  QString text(QAccessible::Text text) const override {
    if (text == QAccessible::Name && widget()->accessibleName().isEmpty()) return Button()->text();
    return QAccessibleWidget::text(text);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = Button()->isCheckable();
    state.checked = Button()->isChecked();
    state.pressed = Button()->isDown();
    if (auto* push = qobject_cast<QPushButton*>(Button())) state.defaultButton = push->isDefault();
    return state;
  }
  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << (Button()->isCheckable() ? toggleAction() : pressAction());
    return names + QAccessibleWidget::actionNames();
  }
  // As a click, so that the program hears of it.
  void doAction(const QString& name) override {
    if (!widget()->isEnabled()) return;
    if (name == pressAction() || name == toggleAction())
      Button()->click();
    else
      QAccessibleWidget::doAction(name);
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name != pressAction() && name != toggleAction()) return {};
    const GadgetRecord* record = FindGadget(widget()->property(kGadgetProperty).toInt());
    if (!record) return {};
    return Binding(record->toldKey.isEmpty() ? AcceleratorOf(record->key, 0) : record->toldKey);
  }
};

// An item of a pop-up menu; its menu is its owner and parent.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  MenuItemAccessible(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

  bool isValid() const override { return menu_ && action_; }
  QObject* object() const override { return action_; }
  QWindow* window() const override { return menu_ ? menu_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text text) const override {
    return text == QAccessible::Name && action_ ? action_->text() : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    return menu_->actionGeometry(action_).translated(menu_->mapToGlobal(QPoint(0, 0)));
  }
  QAccessible::Role role() const override { return QAccessible::MenuItem; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.invisible = !menu_->isVisible() || !action_->isVisible();
    state.focusable = true;
    state.focused = menu_->activeAction() == action_;
    state.hotTracked = menu_->style()->styleHint(QStyle::SH_Menu_MouseTracking, nullptr, menu_) != 0;
    state.disabled = !action_->isEnabled();
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && action_ && action_->isEnabled()) action_->trigger();
  }
  QStringList keyBindingsForAction(const QString& name) const override {
    if (name != pressAction() || !action_) return {};
    return Binding(action_->property(kToldKeyProperty).toString());
  }

 private:
  QPointer<QMenu> menu_;
  QPointer<QAction> action_;
};

}  // namespace

QString AcceleratorOf(int key, int modifiers) {
  const QString name = KeyName(key);
  if (name.isEmpty()) return {};
  return QString(modifiers & kShiftKey ? "<Shift>" : "") + (modifiers & kControlKey ? "<Control>" : "") +
         (modifiers & kAltKey ? "<Alt>" : "") + name;
}

QAccessibleInterface* KeyedAccessible(QObject* object) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    auto* menu = qobject_cast<QMenu*>(action->parent());
    return menu && action->property(kMenuItemProperty).isValid() ? new MenuItemAccessible(menu, action) : nullptr;
  }
  auto* button = qobject_cast<QAbstractButton*>(object);
  if (button && button->property(kGadgetProperty).isValid()) return new ButtonAccessible(button);
  return nullptr;
}

}  // namespace qtws

using namespace qtws;

void TellGadgetKey(int gadget, int key, int modifiers) {
  if (GadgetRecord* record = FindGadget(gadget)) record->toldKey = AcceleratorOf(key, modifiers);
}

void TellMenuItemKey(int item, int key, int modifiers) {
  for (auto& [number, menu] : gState.menus)
    for (QAction* action : menu->actions())
      if (action->property(kMenuItemProperty).toInt() == item && action->property(kMenuItemProperty).isValid())
        action->setProperty(kToldKeyProperty, AcceleratorOf(key, modifiers));
}
