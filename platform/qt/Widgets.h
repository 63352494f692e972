#pragma once
// The window system's own widgets: the program's top-level window, its
// drawing surface and the image gadget.

#include <QImage>
#include <QMargins>
#include <QWidget>

#include <vector>

namespace qtws {

class Surface;

// A top-level window of the program. A close request (close box, window
// manager) becomes a close event in the queue and leaves the window open.
class ProgramWindow : public QWidget {
 public:
  explicit ProgramWindow(int number);

  // The drawing surface, made on first use; null until then.
  Surface* surface = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int number_;
};

// What a top-level window offers besides its title bar.
struct WindowLook {
  bool closeBox;   // system menu and close box
  bool palette;    // a tool palette beside the main window
  bool maximised;  // opened maximised by the window manager
};

// What the window manager is told and what it answers, on X11; nothing
// happens elsewhere, and the answers are those of no window manager.

// Tells the window manager the window's buttons and functions; before the
// window is shown.
void DescribeToWindowManager(QWidget* window, const WindowLook& look);

// Makes owner the window the window manager keeps the shown window above
// and minimises it with.
void GiveOwnerToWindowManager(QWidget* window, QWidget* owner);

// The frame (title bar and borders) the window manager will put around the
// window, asked before it is shown; none without a window manager, and none
// from one that does not answer (which is asked no more).
QMargins ExpectedFrame(QWidget* window);

// Whether a window manager runs that maximises a window opened maximised.
bool WindowManagerMaximises();
// Waits, a second at most, until the window manager has maximised the window
// just shown and Qt knows its new size.
void AwaitMaximised(QWidget* window);

// The window's drawing surface: a layer over the whole client area, above
// the gadgets and transparent to the pointer, that shows its canvas. The
// canvas is transparent until drawn on and keeps what was drawn, so a repaint
// of the window never loses it.
class Surface : public QWidget {
 public:
  explicit Surface(ProgramWindow* window);

  QImage& Canvas() { return canvas_; }
  // Follows the window's client size; what was drawn stays where it was.
  void FitToWindow();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage canvas_;
};

// An image gadget: shows an image at its own size from its top-left corner
// and reports left and right clicks, double clicks and the start of a drag.
// It may stand for a table of cells to assistive technology (a grid).
class ImageView : public QWidget {
 public:
  ImageView(int gadget, QWidget* parent);
  void SetImage(const QImage& image);
  int Gadget() const { return gadget_; }

  // The grid: columns x rows cells, numbered from (1, 1); none while 0 x 0.
  void MakeGrid(int columns, int rows);
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  bool HasCell(int column, int row) const;
  // The cell's name; a changed one is announced.
  void SetCellName(int column, int row, const QString& name);
  QString CellName(int column, int row) const;
  // The current cell, (0, 0) for none; a new one is announced as the focus.
  void SetCurrentCell(int column, int row);
  int CurrentColumn() const { return currentColumn_; }
  int CurrentRow() const { return currentRow_; }
  // Where a cell lies in the gadget.
  QRect CellRect(int column, int row) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  int gadget_;
  QImage image_;
  // The button of a press that may still become a click, and where it was.
  Qt::MouseButton pressed_ = Qt::NoButton;
  QPoint pressedAt_;
  bool dragging_ = false;
  int columns_ = 0, rows_ = 0;
  std::vector<QString> cellNames_;
  int currentColumn_ = 0, currentRow_ = 0;
};

// The announcements of a grid, to assistive technology (when it listens).
void AnnounceCellName(ImageView* grid, int column, int row);
// previousColumn, previousRow: the current cell before, the same when it
// stays.
void AnnounceCurrentCell(ImageView* grid, int previousColumn, int previousRow);

}  // namespace qtws
