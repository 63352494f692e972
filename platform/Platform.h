#pragma once
// The program's window system: everything the user interface asks of it, in
// one place. Windows, gadgets (controls), menus, images and fonts are known by
// their numbers, chosen by the program; gadget and menu-item numbers are
// unique across all windows, so an event names its gadget without naming the
// window. Creating something under a number that is in use replaces it.
//
// Texts are Windows-1252 bytes (so "zurück" is six characters); file paths
// are the system's native bytes and pass through unchanged. Coordinates are
// pixels, x to the right and y down; window and gadget positions are relative
// to the window's client (inner) area. Colours are packed 0xBBGGRR.
//
// Implemented over Qt 6 Widgets in platform/qt/; nothing outside platform/
// sees Qt. The core's three needs (status text, STOP poll, Yes/No question)
// are declared in platform/CoreServices.h and served by the same layer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/CoreServices.h"

// ---------------------------------------------------------------- program

// Starts the window system. Call once, first, with main's arguments.
void StartWindowSystem(int argc, char** argv);

// Closes every window and ends the window system.
void EndWindowSystem();

// The first command-line argument with surrounding double quotes removed,
// "" when there is none.
std::string ProgramArgument();

// ---------------------------------------------------------------- colours

constexpr int Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }
constexpr int RedOf(int colour) { return colour & 0xFF; }
constexpr int GreenOf(int colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(int colour) { return (colour >> 16) & 0xFF; }

// The background of every window's client area (the system's button face).
constexpr int kButtonFaceColour = Rgb(240, 240, 240);

// ---------------------------------------------------------------- windows

// The main window: the one whose close request the wait and the poll hand
// out once the program is asked to end (EndRequested).
constexpr int kMainWindow = 0;

// Window flags, combined with |. Every window has a title bar and cannot be
// resized; without kWindowCloseBox it has neither system menu nor close box.
enum WindowFlag : int {
  kWindowCloseBox = 1,        // system menu and close box
  kWindowScreenCentred = 2,   // centred on the screen; x and y are ignored
  kWindowOwnerCentred = 4,    // centred on its owner window; x and y are ignored
  kWindowMaximised = 8,       // fills the screen's work area, frame included; x, y and the size are ignored
  kWindowPalette = 16,        // a tool palette beside the main window: no minimise or maximise box
};

// Opens a window of the given inner (client) size with its outer top-left
// corner at screen position (x, y); a centred window has its outer frame,
// title bar included, centred. owner: the window that owns it (kept above
// it, stays enabled), or -1. Returns false when it cannot be made.
bool OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, const std::string& title, int flags,
                int owner = -1);

// Closes the window with its gadgets; their numbers become free.
void CloseWindow(int window);

// Gives an open window an owner, for a window that opens before its owner:
// the owner keeps it above itself and takes it along when minimised and
// restored. It stays a window of its own, not a child.
void SetWindowOwner(int window, int owner);

bool WindowExists(int window);
void SetWindowTitle(int window, const std::string& title);
std::string WindowTitle(int window);

// The outer top-left corner on the screen, title bar and frame included.
int WindowOuterX(int window);
int WindowOuterY(int window);

// False where the display server neither puts windows where asked nor tells
// where they are (a Wayland compositor): positions given are then requests
// only, and the corners read back mean nothing.
bool WindowPositionsKnown();

// The client area's size (of a maximised window: its size after maximising).
int WindowInnerWidth(int window);
int WindowInnerHeight(int window);

// Sets the client area's size.
void ResizeWindow(int window, int innerWidth, int innerHeight);

// The pointer's position in the window's client area, or (-1, -1) when it is
// outside. The right and bottom edges (x = inner width, y = inner height)
// still count as inside.
struct PointerPosition {
  int x;
  int y;
};
PointerPosition WindowPointer(int window);

// ---------------------------------------------------------------- gadgets

// Each creates a gadget in the window at (x, y) of size (w, h), or, between
// BeginScrollAreaContent and EndScrollAreaContent, inside that scroll area's
// inner area. The window's default gadget font is used for their texts.

// Static text, left-aligned, wrapping at the gadget's width.
void TextGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text);
// Shows an image, as it is at this call, at its own size from the gadget's
// top-left corner, clipped to the gadget. Reports left and right clicks (a
// press and its release with the pointer kept within a few pixels), double
// clicks, and the start of a drag (the pointer moved that far with a button
// held), which is no click. Inside a scroll area it stands for the area at
// the keyboard: it takes the focus in the area's place (by Tab too), and the
// keys that scroll the area scroll it there.
void ImageGadget(int gadget, int window, int x, int y, int w, int h, int image);
// A push button that shows an image, as it is at this call.
void ImageButtonGadget(int gadget, int window, int x, int y, int w, int h, int image);
// A push button with a text.
void ButtonGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text);
// A check box that toggles itself when clicked, its label right of the box.
void CheckBoxGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text);
// A frame with a caption (group box).
void FrameGadget(int gadget, int window, int x, int y, int w, int h, const std::string& text);
// A horizontal slider with positions minimum to maximum.
void SliderGadget(int gadget, int window, int x, int y, int w, int h, int minimum, int maximum);
// A read-only one-line text field, empty. A screen reader is told its name
// (NameGadget) alone, which should say what it holds.
void TextFieldGadget(int gadget, int window, int x, int y, int w, int h);
// A scroll area with an inner area of innerWidth x innerHeight that scrolls
// by step pixels per arrow click.
void ScrollAreaGadget(int gadget, int window, int x, int y, int w, int h, int innerWidth, int innerHeight, int step);
void BeginScrollAreaContent(int scrollArea);
void EndScrollAreaContent();

bool GadgetExists(int gadget);
// Gives the gadget the keyboard focus within its window (at once when the
// window is active, else when it next becomes active).
void FocusGadget(int gadget);
// Gives a gadget a new place and size, as at its creation.
void MoveGadget(int gadget, int x, int y, int w, int h);
void HideGadget(int gadget, bool hidden);
void DisableGadget(int gadget, bool disabled);
bool GadgetHidden(int gadget);
bool GadgetDisabled(int gadget);

// The text of a text, button, check box, frame or text-field gadget.
// GetGadgetText returns exactly the bytes set last.
void SetGadgetText(int gadget, const std::string& text);
// Shows a file path (native bytes) as the system shows file names;
// GetGadgetText then returns the path's bytes unchanged.
void SetGadgetPath(int gadget, const std::string& path);
std::string GetGadgetText(int gadget);
// The width in pixels a text takes in the gadget's font, on one line.
int GadgetTextWidth(int gadget, const std::string& text);

// Check box: 1 ticked, 0 not (setting any value but 1 unticks it). Slider:
// its position, clamped to its range. Setting a state reports no event.
void SetGadgetState(int gadget, int state);
int GetGadgetState(int gadget);

// Shows another image in an image or image-button gadget.
void SetGadgetImage(int gadget, int image);

// ---------------------------------------------------------------- menus

// Pop-up menus: items with numbers and texts, and separators, in the order
// they are added.
void CreatePopupMenu(int menu);
void AddMenuItem(int menu, int item, const std::string& text);
void AddMenuSeparator(int menu);
// Shows the menu with its top-left corner at the screen point and returns at
// once; a chosen item arrives later as a menu event. When the user's last
// press was of a key, not a mouse button, its first item is chosen.
void ShowPopupMenu(int menu, int screenX, int screenY);

// ---------------------------------------------------------------- events

// What a wait or a poll took from the program's one event queue.
enum EventKind : int {
  kEventNone = 0,     // nothing was pending (poll only)
  kEventGadget = 1,   // see EventGadget and EventType
  kEventMenu = 2,     // see EventMenu
  kEventClose = 3,    // a window's close box or close request; see EventWindow. The window stays open.
  kEventOther = 4,    // any other message to a program window: pointer movement, exposure, activation, a
                      // change of its size, a key the focused gadget used; never the program's own drawing
                      // or gadget changes, so a loop may draw in every pass
  kEventKey = 5,      // a key pressed in a program window; see EventKey and EventModifiers
};

// Keys, as key events name them: the digits by their characters '0' to '9'
// (main row and keypad alike), the letters by theirs in upper case 'A' to
// 'Z', and the others by these codes. Other keys are no key events.
enum KeyCode : int {
  kKeyBackspace = 8,
  kKeyEnter = 13,   // Return and the keypad's Enter
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyDelete = 127,
  kKeyLeft = 256,
  kKeyRight,
  kKeyUp,
  kKeyDown,
  kKeyHome,
  kKeyEnd,
  kKeyPageUp,
  kKeyPageDown,
};

// The modifier keys held with a key, combined with |. Shift with a digit is
// none: some keyboards (AZERTY) need it to type the digits at all.
enum KeyModifier : int {
  kShiftKey = 1,
  kControlKey = 2,
  kAltKey = 4,
  kSuperKey = 8,  // the system's logo key (Meta)
};

// The kind of a gadget event.
enum GadgetEventType : int {
  kLeftClick = 1,        // also: a button pressed, a check box toggled
  kRightClick = 2,
  kLeftDoubleClick = 3,
  kRightDoubleClick = 4,
  kChange = 5,           // a slider moved by the user
  kDragStart = 6,        // an image gadget pressed and the pointer moved away with the button held
};

// Blocks until an event is pending, then takes it.
EventKind WaitEvent();

// Takes at most one pending event without waiting; kEventNone when none is
// pending. Calls into the window system at most about once a millisecond, so a
// poll in a tight loop costs next to nothing.
EventKind PollEvent();

// Details of the event taken last; -1 (the type, key and modifiers: 0)
// where the event has none. EventWindow names the window of a gadget, close,
// key or other event. EventState is a check box's state right after the click
// the event reports (1 ticked, 0 not), whatever the box shows when the event
// is taken; -1 for other events.
int EventGadget();
int EventType();
int EventMenu();
int EventWindow();
int EventState();
int EventKey();
int EventModifiers();

// Where a key goes. The focused gadget keeps the keys it works with itself,
// pressed without a modifier: Tab and Shift+Tab move the focus; a button or
// check box takes Space, and a button Enter (both press it); a slider, text
// field or scroll area (or the image gadget that stands for it) takes the
// arrows, Home, End, Page Up and Page Down. Any other key without a modifier
// presses the button that has it as its key (SetGadgetKey); everything else
// arrives as a key event.

// A key with exactly these KeyModifier flags; key 0 is none.
struct Chord {
  int key = 0;
  int modifiers = 0;
};

// The chords that close the window they are pressed in as its close box
// does: Ctrl+Q and Ctrl+W (in the main window, the program ends). They
// arrive as key events; each window's loop tells them with IsCloseChord.
inline constexpr Chord kCloseChords[] = {{'Q', kControlKey}, {'W', kControlKey}};
constexpr bool IsCloseChord(int key, int modifiers) {
  for (const Chord& chord : kCloseChords)
    if (chord.key == key && chord.modifiers == modifiers) return true;
  return false;
}

// Gives a button gadget a key, pressed without any modifier: the button is
// pressed, as by a click, while it is shown and enabled, when the key is
// pressed in the button's window or in a window that window owns; never by a
// key pressed in another window. 0 takes the key away.
void SetGadgetKey(int gadget, int key);

// ---------------------------------------------------------------- accessibility

// What assistive technology (a screen reader) is told about the gadgets;
// nothing here changes what is drawn. Names are Windows-1252 bytes.

// The gadget's name, spoken for it; a new name of the gadget that has the
// keyboard focus is spoken. An image button, which shows no text, shows it as
// its tooltip too. A slider is told by its name alone, not its position, so
// its name should tell the position.
void NameGadget(int gadget, const std::string& name);

// A longer text the gadget is described by, spoken after its name when it
// gets the keyboard focus.
void DescribeGadget(int gadget, const std::string& description);

// Tells assistive technology the key chord that does what a button or check
// box gadget, or a menu item, does; a screen reader speaks it with the name.
// The key itself is the program's to handle, as before. key: a KeyCode,
// modifiers: KeyModifier flags; key 0 tells none. A button's own key
// (SetGadgetKey) is told unless another is.
void TellGadgetKey(int gadget, int key, int modifiers);
void TellMenuItemKey(int item, int key, int modifiers);

// The name assistive technology is told for a pop-up menu. Opened from the
// keyboard (ShowPopupMenu), a menu has its first item chosen, so that a
// screen reader speaks it.
void NameMenu(int menu, const std::string& name);

// Presents an image gadget as a table of columns x rows cells, (1, 1) at the
// top left, each covering an equal part of the gadget; the gadget then takes
// the keyboard focus.
void GridGadget(int gadget, int columns, int rows);

// Names a cell of a grid gadget; a name that changed is announced.
void SetGridCellName(int gadget, int column, int row, const std::string& name);

// Makes a cell the grid's current one, which has the focus within it and is
// announced; (0, 0) for none.
void SetGridCurrentCell(int gadget, int column, int row);

// Says a short text to the user of a screen reader, without showing it: a
// notice of the main window's status line (gadget 7), which is presented as
// its status bar. Texts given before the program next waits for or polls an
// event are said as one, in order, once a window of the program has the
// keyboard (at start-up, or back from a dialog, after the screen reader has
// spoken that window). Nothing happens while no assistive technology
// listens.
void Announce(const std::string& text);

// ---------------------------------------------------------------- ending

// True once the program is asked from outside to end: SIGTERM, SIGINT or
// SIGHUP, or the session manager's quit request. From then on every wait and
// poll returns the main window's close request at once, PollForStop reports
// the STOP button, and every dialog closes as cancelled.
bool EndRequested();

// The program's shutdown, for the window system to run itself when the
// connection to the display is lost, as the loop cannot be returned to then:
// it runs once, finds the windows where they were last known, and the process
// ends with status 1.
void OnDisplayLost(void (*shutDown)());

// ---------------------------------------------------------------- dialogs

// The filter is one entry "label|pattern", e.g. "Tolva Sudoku|*.sdk". They
// return the chosen path (native bytes), or "" when cancelled.
std::string OpenFileDialog(const std::string& title, const std::string& filter);
std::string SaveFileDialog(const std::string& title, const std::string& filter);

// The name of the file a path (native bytes) names, its last part, as a text
// of the program's (Windows-1252 bytes), to be shown or said: "eins.sdk" of
// "/home/anna/eins.sdk". A character beyond Windows-1252 becomes '?'.
std::string FileNameText(const std::string& path);

// Shows the print dialog; unless cancelled, prints a one-page document of the
// given name holding the image at the top-left of the printable area, one
// image pixel per printer pixel, unchanged (lossless). The printer's
// resolution is chosen so that the image fills as much of the printable area
// of the paper chosen in the dialog as it can. False when cancelled or when
// printing failed.
bool PrintImage(int image, const std::string& documentName);

// Gives the memory the program has freed back to the system, after a command
// that held a lot of it for a while (printing, the page preview, the image
// export): the allocator otherwise keeps it for later.
void ReturnFreedMemory();

// ---------------------------------------------------------------- clipboard

// The clipboard's plain text as UTF-8 bytes, the way a text file holds it, cut
// after maxBytes; "" when the clipboard holds no text.
std::string ClipboardText(std::size_t maxBytes);

// Puts the text (Windows-1252 bytes) on the clipboard as plain text.
void SetClipboardText(const std::string& text);

// ---------------------------------------------------------------- images

// Creates (or replaces) an image in the screen's colour format, black all
// over. False when it cannot be made.
bool CreateImage(int image, int width, int height);
// The same for an image that is shown on the screen (by a gadget, or drawn
// onto a window). Its sizes and coordinates, and what every primitive covers,
// are those of CreateImage; on a high-resolution screen each of its pixels is
// a square of the screen's pixels, and texts and other screen images drawn
// onto it keep the screen's full resolution. Printed and exported images are
// made with CreateImage.
bool CreateScreenImage(int image, int width, int height);
void FreeImage(int image);
bool ImageExists(int image);
int ImageWidth(int image);
int ImageHeight(int image);
// All of the image's colours at once, row by row from the top (that of (x, y)
// at y x ImageWidth + x), each as PixelColour reads it while drawing on the
// image; empty for no such image.
std::vector<int> ImageColours(int image);

// Writes the image to path as a PNG file of width x height pixels, scaled
// smoothly when that is not its own size. False when it cannot be written.
bool SaveImagePng(int image, const std::string& path, int width, int height);

// ---------------------------------------------------------------- drawing

// One drawing target at a time. Drawing onto a window paints its drawing
// surface: a layer over the client area, above the gadgets, transparent until
// drawn on, that the window keeps and shows across repaints. Anything drawn
// outside the target is clipped. No primitive antialiases.
bool StartDrawingOnImage(int image);
bool StartDrawingOnWindow(int window);
void StopDrawing();

// Covers x to x + w - 1 and y to y + h - 1.
void FillRect(int x, int y, int w, int h, int colour);
// The one-pixel border of that area: columns x and x + w - 1, rows y and y + h - 1.
void OutlineRect(int x, int y, int w, int h, int colour);
// From (x, y) towards (x + w, y + h), the far end excluded.
void LineExtent(int x, int y, int w, int h, int colour);
// From (x1, y1) to (x2, y2), both ends included.
void LineBetween(int x1, int y1, int x2, int y2, int colour);
// The one-pixel outline of the circle inside x - r to x + r - 1, y - r to y + r - 1.
void Circle(int x, int y, int r, int colour);
// Repaints the area of the colour at (x, y) connected through left, right, up
// and down neighbours (not diagonals).
void FloodFill(int x, int y, int colour);
// The text's top-left corner (the top of its character cell) at (x, y), in
// the current font; only the strokes are painted.
void DrawTextAt(int x, int y, const std::string& text, int colour);
// Copies the image 1:1 with its top-left corner at (x, y).
void DrawImageAt(int image, int x, int y);
// The colour at (x, y) of the target, -1 outside it. On a window: what the
// window shows there, its gadgets and background where nothing was drawn.
int PixelColour(int x, int y);

// The font for DrawTextAt: a loaded font's number, or 0 for the window
// system's default font (Arial bold, 13 pixels high); an unknown number draws
// in font 0. Drawing starts with font 0.
void DrawingFont(int font);

// ---------------------------------------------------------------- fonts

// Loads a face at a point size, normal weight, upright, under any number but
// 0 (the default font). Its character height in pixels is points x the
// screen's vertical pixels per inch / 72, rounded. False for font 0 or no face.
bool LoadFont(int font, const std::string& face, int points);
// The character height in pixels; 0 for no such font.
int FontPixelHeight(int font);
