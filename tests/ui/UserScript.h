#pragma once
// A user's steps while the program waits in its own loops and dialogs: each
// runs once its condition holds, looked for every 10 ms, one after the other.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

// The widget of a gadget, found by its number; null when there is none.
inline QWidget* Gadget(int number) {
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->property("gadget").isValid() && widget->property("gadget").toInt() == number) return widget;
  return nullptr;
}

inline bool GadgetShown(int number) {
  const QWidget* widget = Gadget(number);
  return widget && widget->isVisible();
}

inline void Click(int number) { static_cast<QPushButton*>(Gadget(number))->click(); }

template <typename Dialog>
Dialog* ModalTitled(const QString& title) {
  auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
  return dialog && dialog->windowTitle() == title ? dialog : nullptr;
}

inline void Answer(const QString& title, QMessageBox::StandardButton button) {
  ModalTitled<QMessageBox>(title)->button(button)->click();
}

// Types the path into the file dialog's name field and presses Return.
inline void EnterPath(const QString& title, const std::string& path) {
  auto* dialog = ModalTitled<QFileDialog>(title);
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(QString::fromStdString(path));
  QTest::keyClick(name, Qt::Key_Return);
}

// Steps a user takes while the program waits in its windows: each runs once
// its condition holds, looked for every 10 ms, one after the other.
class Script {
 public:
  Script() {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      if (next_ < steps_.size() && steps_[next_].ready()) steps_[next_++].action();
    });
    timer_.start(10);
  }
  Script& When(std::function<bool()> ready, std::function<void()> action) {
    steps_.push_back({std::move(ready), std::move(action)});
    return *this;
  }
  Script& WhenGadget(int number, std::function<void()> action) {
    return When([number] { return GadgetShown(number); }, std::move(action));
  }
  Script& WhenBox(const QString& title, std::function<void()> action) {
    return When([title] { return ModalTitled<QMessageBox>(title) != nullptr; }, std::move(action));
  }
  Script& WhenFileDialog(const QString& title, std::function<void()> action) {
    return When([title] { return ModalTitled<QFileDialog>(title) != nullptr; }, std::move(action));
  }
  bool Done() const { return next_ == steps_.size(); }

 private:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> action;
  };
  QTimer timer_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

