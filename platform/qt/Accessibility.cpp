// What assistive technology is told: gadget names and descriptions, an image
// gadget made a grid presented as a table of named cells with a current one,
// read-only fields by their names, the status line as the main window's
// status bar, and announcements. Qt hands this to the desktop's
// accessibility bus (AT-SPI on Linux).

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QPointer>
#include <QWindow>

#include <deque>

#include "platform/qt/State.h"
#include "platform/qt/Text1252.h"

namespace qtws {

namespace {

class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCell(ImageView* grid, int column, int row) : grid_(grid), column_(column), row_(row) {}

  bool isValid() const override { return grid_ && grid_->HasCell(column_, row_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(grid_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text text) const override {
    return text == QAccessible::Name && grid_ ? grid_->CellName(column_, row_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!grid_) return {};
    const QRect cell = grid_->CellRect(column_, row_);
    return QRect(grid_->mapToGlobal(cell.topLeft()), cell.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  // A screen reader (Orca 43) reads every showing cell of a row that the
  // focus enters, so that the cell the keys reached is lost among nine: the
  // other cells of the current row do not count as showing.
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = state.selected && grid_->hasFocus();
    state.offscreen = grid_ && !state.selected && grid_->CurrentRow() == row_;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override {
    return grid_ && grid_->CurrentColumn() == column_ && grid_->CurrentRow() == row_;
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return column_ - 1; }
  int rowIndex() const override { return row_ - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<ImageView> grid_;
  int column_, row_;
};

// An image gadget: a graphic, or a table of its cells once it is a grid.
// Rows and columns count from 0 here, as assistive technology counts them.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(ImageView* grid) : QAccessibleWidget(grid, QAccessible::Graphic) {}
  ~GridAccessible() override { ForgetCells(); }

  ImageView* Grid() const { return static_cast<ImageView*>(widget()); }
  bool IsGrid() const { return Grid()->Columns() * Grid()->Rows() > 0; }

  // The cell's interface, made on first use and kept by Qt's registry
  // until the grid's interface goes.
  QAccessibleInterface* Cell(int column, int row) const {
    if (!Grid()->HasCell(column, row)) return nullptr;
    const auto count = static_cast<std::size_t>(Grid()->Columns() * Grid()->Rows());
    if (cellIds_.size() != count) {
      ForgetCells();
      cellIds_.assign(count, 0);
    }
    QAccessible::Id& id = cellIds_[static_cast<std::size_t>((row - 1) * Grid()->Columns() + column - 1)];
    if (!id) id = QAccessible::registerAccessibleInterface(new GridCell(Grid(), column, row));
    return QAccessible::accessibleInterface(id);
  }

  QAccessible::Role role() const override { return IsGrid() ? QAccessible::Table : QAccessible::Graphic; }
  int childCount() const override { return IsGrid() ? Grid()->Columns() * Grid()->Rows() : 0; }
  QAccessibleInterface* child(int index) const override {
    if (!IsGrid() || index < 0) return nullptr;
    return Cell(index % Grid()->Columns() + 1, index / Grid()->Columns() + 1);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this) return -1;
    return cell->rowIndex() * Grid()->Columns() + cell->columnIndex();
  }
  QAccessibleInterface* focusChild() const override {
    return Grid()->hasFocus() ? Cell(Grid()->CurrentColumn(), Grid()->CurrentRow()) : nullptr;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = Grid()->mapFromGlobal(QPoint(x, y));
    for (int row = 1; row <= Grid()->Rows(); ++row)
      for (int column = 1; column <= Grid()->Columns(); ++column)
        if (Grid()->CellRect(column, row).contains(at)) return Cell(column, row);
    return nullptr;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface && IsGrid()) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override { return Cell(column + 1, row + 1); }
  int selectedCellCount() const override { return Current() ? 1 : 0; }
  QList<QAccessibleInterface*> selectedCells() const override {
    if (QAccessibleInterface* current = Current()) return {current};
    return {};
  }
  QString columnDescription(int column) const override { return QString(QChar('A' + column)); }
  QString rowDescription(int row) const override { return QString::number(row + 1); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Grid()->Columns(); }
  int rowCount() const override { return Grid()->Rows(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QAccessibleInterface* Current() const { return Cell(Grid()->CurrentColumn(), Grid()->CurrentRow()); }

  void ForgetCells() const {
    for (QAccessible::Id id : cellIds_)
      if (id) QAccessible::deleteAccessibleInterface(id);
    cellIds_.clear();
  }

  mutable std::vector<QAccessible::Id> cellIds_;
};

// The status line: a text gadget, presented as the status bar it is.
class StatusLineAccessible : public QAccessibleWidget {
 public:
  explicit StatusLineAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}
  QString text(QAccessible::Text text) const override {
    if (text == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(text);
  }
};

// A slider is told by its name alone: a screen reader would speak its bare
// position, which means nothing to the user, so the program's name for it
// tells the position in its own terms.
class SliderAccessible : public QAccessibleWidget {
 public:
  explicit SliderAccessible(QWidget* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}
};

// A read-only text field is told by its name alone, which the program makes
// say what it holds: a screen reader would read its text (a path) out in
// full, again for the selection it gets with the focus, and pass over an
// empty field that gets the focus by Tab.
class FieldAccessible : public QAccessibleWidget {
 public:
  explicit FieldAccessible(QWidget* field) : QAccessibleWidget(field, QAccessible::EditableText) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
  }
};

QAccessibleInterface* ProgramAccessible(const QString& className, QObject* object) {
  if (auto* grid = dynamic_cast<ImageView*>(object)) return new GridAccessible(grid);
  if (QAccessibleInterface* keyed = KeyedAccessible(object)) return keyed;
  if (className == QLatin1String("QLineEdit") && object->property(kGadgetProperty).isValid())
    return new FieldAccessible(static_cast<QWidget*>(object));
  if (className == QLatin1String("QSlider")) return new SliderAccessible(static_cast<QWidget*>(object));
  if (className == QLatin1String("QLabel") && object->property(kGadgetProperty).toInt() == kStatusGadget &&
      object->property(kGadgetProperty).isValid())
    return new StatusLineAccessible(static_cast<QLabel*>(object));
  return nullptr;
}

// One announcement: a notice of the status bar, never drawn, whose text a
// screen reader speaks when it shows (Orca speaks the notices of a status bar
// without their role). Each text is a notice of its own, so that one said
// while the screen reader still reads the one before keeps its words.
class Notice : public QAccessibleInterface {
 public:
  explicit Notice(const QString& text) : text_(text) {}
  bool isValid() const override { return true; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return Parent() ? Parent()->window() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return Parent(); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text text) const override { return text == QAccessible::Name ? text_ : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }

 private:
  // The status line, else the window that has the keyboard.
  static QAccessibleInterface* Parent() {
    if (const GadgetRecord* status = FindGadget(kStatusGadget); status && status->widget)
      return QAccessible::queryAccessibleInterface(status->widget.data());
    return QAccessible::queryAccessibleInterface(DialogOwner());
  }

  QString text_;
};

// The notices said last, kept a while for the screen reader to read; older
// ones go.
constexpr std::size_t kKeptNotices = 16;
std::deque<QAccessible::Id> gNotices;
QString gPendingAnnouncement;

// Said once a window of the program has the keyboard: a screen reader speaks
// the window that gets it first, which would cut a notice short, and passes
// over what comes while no window of the program is active (at start-up,
// between a dialog and the window it returns to). Dropped when no assistive
// technology listens.
void SayPendingAnnouncement() {
  if (gPendingAnnouncement.isEmpty()) return;
  const QWindow* focused = QGuiApplication::focusWindow();
  if (!focused || !focused->isVisible()) return;
  if (!QAccessible::isActive()) {
    gPendingAnnouncement.clear();
    return;
  }
  const QAccessible::Id id = QAccessible::registerAccessibleInterface(new Notice(gPendingAnnouncement));
  gPendingAnnouncement.clear();
  gNotices.push_back(id);
  if (gNotices.size() > kKeptNotices) {
    QAccessible::deleteAccessibleInterface(gNotices.front());
    gNotices.pop_front();
  }
  QAccessibleEvent event(QAccessible::accessibleInterface(id), QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&event);
}

// The focus coming back from a modal dialog to the window it blocked can
// reach that window while the dialog is still going: Qt then makes no window
// active, and a screen reader, told of no active window, is silent until the
// next window opens. The window that has the keyboard is made active.
void MendActiveWindow() {
  const QWindow* focused = QGuiApplication::focusWindow();
  if (!focused || QApplication::activeWindow() || QApplication::activeModalWidget()) return;
  for (auto& [number, record] : gState.windows)
    if (record.widget->windowHandle() == focused) QApplication::setActiveWindow(record.widget.get());
}

GridAccessible* AccessibleOf(ImageView* grid) {
  return static_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
}

ImageView* GridOf(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  return record && record->kind == GadgetKind::kImage ? static_cast<ImageView*>(record->widget.data()) : nullptr;
}

}  // namespace

// Qt asks the factories only when a widget's own interface is missing, and
// one installed before the application exists is passed over.
void InstallAccessibility() {
  QAccessible::installFactory(ProgramAccessible);
  // A read-only field tells its caret moves all the same, which Qt's bridge
  // drops with a warning, as the field has no text to move in.
  QLoggingCategory::setFilterRules(QStringLiteral("qt.accessibility.atspi.warning=false"));
  QObject::connect(gState.application.get(), &QGuiApplication::focusWindowChanged, gState.application.get(), [] {
    QMetaObject::invokeMethod(
        gState.application.get(),
        [] {
          MendActiveWindow();
          SayPendingAnnouncement();
        },
        Qt::QueuedConnection);
  });
}

void AnnounceCellName(ImageView* grid, int column, int row) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(AccessibleOf(grid)->Cell(column, row), QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

// After the grid's own focus event, which Qt sends once the focus has moved.
// Cells that now count as showing, or no longer, say so first.
void AnnounceCurrentCell(ImageView* grid, int previousColumn, int previousRow) {
  if (!QAccessible::isActive()) return;
  const auto hiddenBefore = [&](int column, int row) { return row == previousRow && column != previousColumn; };
  const auto hiddenNow = [&](int column, int row) {
    return row == grid->CurrentRow() && column != grid->CurrentColumn();
  };
  // Row 0 is no row of the grid, so a row kept is visited once.
  for (int row : {previousRow, grid->CurrentRow() == previousRow ? 0 : grid->CurrentRow()})
    for (int column = 1; column <= grid->Columns(); ++column) {
      if (!grid->HasCell(column, row) || hiddenBefore(column, row) == hiddenNow(column, row)) continue;
      QAccessibleEvent event(AccessibleOf(grid)->Cell(column, row),
                             hiddenNow(column, row) ? QAccessible::ObjectHide : QAccessible::ObjectShow);
      QAccessible::updateAccessibility(&event);
    }
  QMetaObject::invokeMethod(
      grid,
      [grid] {
        if (!grid->hasFocus()) return;
        if (QAccessibleInterface* cell = AccessibleOf(grid)->Cell(grid->CurrentColumn(), grid->CurrentRow())) {
          QAccessibleEvent event(cell, QAccessible::Focus);
          QAccessible::updateAccessibility(&event);
        }
      },
      Qt::QueuedConnection);
}

}  // namespace qtws

using namespace qtws;

void NameGadget(int gadget, const std::string& name) {
  const GadgetRecord* record = FindGadget(gadget);
  if (!record) return;
  const QString shown = FromWindows1252(name);
  if (record->widget->accessibleName() == shown) return;
  record->widget->setAccessibleName(shown);
  if (record->kind == GadgetKind::kImageButton) record->widget->setToolTip(shown);
}

void DescribeGadget(int gadget, const std::string& description) {
  if (const GadgetRecord* record = FindGadget(gadget))
    record->widget->setAccessibleDescription(FromWindows1252(description));
}

void GridGadget(int gadget, int columns, int rows) {
  if (ImageView* grid = GridOf(gadget)) grid->MakeGrid(columns, rows);
}

void SetGridCellName(int gadget, int column, int row, const std::string& name) {
  if (ImageView* grid = GridOf(gadget)) grid->SetCellName(column, row, FromWindows1252(name));
}

void SetGridCurrentCell(int gadget, int column, int row) {
  if (ImageView* grid = GridOf(gadget)) grid->SetCurrentCell(column, row);
}

// The texts of one pass become one announcement, said once the program
// waits again: a screen reader cuts a text short when the next one comes.
void Announce(const std::string& text) {
  if (!gState.application || text.empty()) return;
  if (gPendingAnnouncement.isEmpty())
    QMetaObject::invokeMethod(gState.application.get(), SayPendingAnnouncement, Qt::QueuedConnection);
  else
    gPendingAnnouncement += gPendingAnnouncement.back().isPunct() ? QStringLiteral(" ") : QStringLiteral(". ");
  gPendingAnnouncement += FromWindows1252(text);
}
