#pragma once
// The window system's state: the numbered windows, gadgets, menus, images and
// fonts, and the program's one event queue. Plain global state, like the
// program's own; the functions of Platform.h work on it.

#include <QAccessibleInterface>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMenu>
#include <QPointer>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "platform/Platform.h"
#include "platform/qt/Widgets.h"

namespace qtws {

struct WindowRecord {
  std::unique_ptr<ProgramWindow> widget;
  std::string title;  // the bytes set last
  // How far the client area was placed from the outer corner asked for: the
  // corner read back is that far from it, also where the window manager
  // never told the frame, so a corner stored and opened again stays put.
  QPoint frameOffset;
  int owner = -1;  // the window that owns it (OpenWindow, SetWindowOwner), or -1
};

enum class GadgetKind { kText, kImage, kImageButton, kButton, kCheckBox, kFrame, kSlider, kTextField, kScrollArea };

struct GadgetRecord {
  GadgetKind kind;
  int window;
  int scrollArea;  // the scroll area whose inner area holds it, or -1
  // Owned by its parent widget, which deletes it with itself.
  QPointer<QWidget> widget;
  std::string text;  // the bytes set last
  int key = 0;       // the key that presses a button (SetGadgetKey), or 0
  QString toldKey{};  // the key chord assistive technology is told (TellGadgetKey), as an accelerator
};

// One entry of the event queue. Numbers that do not apply are -1.
struct Event {
  EventKind kind = kEventNone;
  int gadget = -1;
  int type = 0;  // a gadget event's GadgetEventType
  int menu = -1;
  int window = -1;
  int state = -1;     // a check box's state after its click
  int key = 0;        // a key event's KeyCode
  int modifiers = 0;  // and its KeyModifier flags
};

// A text once drawn in a font and a colour, kept to be copied again: the
// board draws the same few texts in every redraw, and copying is several
// times faster than drawing the glyphs.
struct RenderedText {
  QImage strokes;  // on a transparent ground
  QPoint offset;   // of the image's top-left corner from the text's corner
};

struct FontRecord {
  QFont font;
  int pixelHeight;
  int ascent;  // from the top of the character cell to the base line
  std::map<std::tuple<std::string, int, int>, RenderedText> rendered;  // by text, colour and scale
};

struct State {
  // First member, so destroyed after everything that still refers to Qt.
  std::unique_ptr<QApplication> application;
  std::unique_ptr<QObject> eventFilter;
  std::unique_ptr<QObject> endWatch;  // brings a signal into the event loop
  std::string argument;  // the first command-line argument as given

  std::map<int, WindowRecord> windows;
  std::map<int, GadgetRecord> gadgets;
  std::map<int, std::unique_ptr<QMenu>> menus;
  std::map<int, QImage> images;  // Format_RGB32, device pixel ratio a whole number
  std::map<int, FontRecord> fonts;  // font 0 is the default font for drawing
  int scrollContent = -1;  // the scroll area new gadgets go into, or -1

  std::deque<Event> events;
  Event lastEvent;  // the event taken last
  int pointerOver = -1;  // the window the pointer entered last and has not left, or -1
  bool keyboardLast = false;  // the user's last press was of a key, not of a mouse button
};

extern State gState;

WindowRecord* FindWindow(int window);
GadgetRecord* FindGadget(int gadget);
QImage* FindImage(int image);
FontRecord* FindFont(int font);

// The program window that should own a dialog: the active one, else the main
// window, else none.
QWidget* DialogOwner();

// Whether the pointer can be over the window. A Wayland compositor tells a
// client where the pointer is only while it is over one of its windows, so
// there it must have entered the window; elsewhere it can always be.
bool PointerMayBeOver(int window);

void PushEvent(const Event& event);
void PushGadgetEvent(int gadget, GadgetEventType type, int state = -1);

// The gadgets the core's services know: the status line and the STOP button.
inline constexpr int kStatusGadget = 7;
inline constexpr int kStopGadget = 8;

// The name of the widget property that holds a gadget widget's number, and
// of the action properties that hold a menu item's number and the key chord
// assistive technology is told for it.
inline constexpr char kGadgetProperty[] = "gadget";
inline constexpr char kMenuItemProperty[] = "menuItem";
inline constexpr char kToldKeyProperty[] = "toldKey";

// A key chord (a KeyCode and KeyModifier flags) as assistive technology takes
// it, in the accelerator form of GTK ("<Control>o"); empty for key 0.
QString AcceleratorOf(int key, int modifiers);

// The interface assistive technology sees for a button or check box gadget,
// or a menu item of the program's pop-up menus; null for other objects.
QAccessibleInterface* KeyedAccessible(QObject* object);

// The window's drawing surface, made on first use; null without the window.
Surface* SurfaceOf(int window);
// Keeps the surface above gadgets added later.
void RaiseSurface(int window);

// Lets go of the target's pixels when the target is that window or image,
// before they change or go; drawing goes on with the new pixels.
void ReleaseDrawingOnWindow(int window);
void ReleaseDrawingOnImage(int image);

// Set-up at the start of the window system.
void InstallEventFilter();
void InstallAccessibility();
void LoadDefaultFont();
void UseGermanDialogs();
// Before the application is made: the system's date and number formats, as
// Qt's dialogs show them, are German.
void UseGermanFormats();

// How many device pixels, across and down, make one pixel of the program at
// a device pixel ratio: the ratio rounded down to a whole number, at least 1,
// so that every pixel stays a square of whole device pixels. (At 1.5 the
// program's pixels stay single ones and Qt scales them up, as without this.)
int WholeScale(qreal ratio);
// That of the primary screen, for images shown on it.
int ScreenScale();
// That of an image or a canvas.
inline int ScaleOf(const QImage& image) { return WholeScale(image.devicePixelRatio()); }

// Colours of the program (0xBBGGRR) and of Qt.
inline QColor ColourOf(int colour) { return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)); }
inline int ColourOf(QRgb rgb) { return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

}  // namespace qtws
