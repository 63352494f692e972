// Windows and gadgets: texts in Windows-1252, paths, owned and maximised
// windows, and the life of gadget numbers.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>

#include "tests/platform/TestSupport.h"

namespace {

using GadgetsTest = WindowTest;

QString Shown(int gadget) {
  QWidget* widget = GadgetWidget(gadget);
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return frame->title();
  return static_cast<QLineEdit*>(widget)->text();
}

TEST_F(GadgetsTest, TextsKeepTheirBytesAndShowAsWindows1252) {
  std::string everyByte;
  for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  TextGadget(20, 0, 0, 0, 100, 20, "");
  ButtonGadget(21, 0, 0, 20, 100, 20, "");
  CheckBoxGadget(22, 0, 0, 40, 100, 20, "");
  FrameGadget(23, 0, 0, 60, 100, 40, "");
  TextFieldGadget(24, 0, 0, 100, 100, 20);
  for (int gadget = 20; gadget <= 24; ++gadget) {
    SetGadgetText(gadget, everyByte);
    EXPECT_EQ(GetGadgetText(gadget), everyByte) << gadget;
    SetGadgetText(gadget, "zur\xFC" "ck \x80 \x9F \x81");
    EXPECT_EQ(Shown(gadget), QStringLiteral(u"zurück € Ÿ \u0081")) << gadget;
  }
  SetGadgetText(20, "erste Zeile\rzweite\r\ndritte");  // a static text breaks its lines at CR
  EXPECT_EQ(Shown(20), QStringLiteral("erste Zeile\nzweite\ndritte"));
  SetWindowTitle(0, "Feld \xC4");
  EXPECT_EQ(WindowTitle(0), "Feld \xC4");
  EXPECT_EQ(WindowWidget(0)->windowTitle(), QStringLiteral(u"Feld Ä"));

  const std::string path = "/tmp/zur\xC3\xBC" "ck.sdk";  // a path's own bytes
  SetGadgetPath(24, path);
  EXPECT_EQ(Shown(24), QStringLiteral(u"/tmp/zurück.sdk"));
  EXPECT_EQ(GetGadgetText(24), path);

  // A narrow field shows the end of a long path, the file name, and the whole
  // path as its tooltip; a text set as such shows its beginning again.
  TextFieldGadget(30, 0, 20, 100, 60, 20);
  const QString longPath = QStringLiteral(u"/home/anna/Rätsel/Wochenende/Samstag früh.sdk");
  SetGadgetPath(30, longPath.toStdString());
  auto* field = static_cast<QLineEdit*>(GadgetWidget(30));
  ASSERT_GT(field->fontMetrics().horizontalAdvance(longPath), 2 * field->width()) << "the path must not fit";
  EXPECT_EQ(field->cursorPosition(), longPath.size()) << "the end of the path is in view";
  field->grab();  // the field scrolls its text as it paints
  EXPECT_TRUE(field->rect().contains(field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center()));
  EXPECT_EQ(field->toolTip(), longPath);
  EXPECT_EQ(GetGadgetText(30), longPath.toStdString());
  SetGadgetPath(30, "");
  EXPECT_EQ(field->toolTip(), QString());
  SetGadgetText(30, "Anfang");
  EXPECT_EQ(field->cursorPosition(), 0);
}

TEST_F(GadgetsTest, WindowsOpenOwnedOrMaximised) {
  ASSERT_TRUE(OpenWindow(5, 0, 0, 100, 120, "Drucken...", kWindowCloseBox | kWindowOwnerCentred, 0));
  const QPoint offCentre = WindowWidget(5)->frameGeometry().center() - WindowWidget(0)->frameGeometry().center();
  EXPECT_LE(offCentre.manhattanLength(), 6);
  EXPECT_EQ(WindowWidget(5)->windowHandle()->transientParent(), WindowWidget(0)->windowHandle());
  // Only a dialog-type window is kept above its owner by X11 window managers.
  EXPECT_EQ(WindowWidget(5)->windowType(), Qt::Dialog);
  EXPECT_EQ(WindowWidget(0)->windowType(), Qt::Window);
  EXPECT_FALSE(WindowWidget(5)->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  CloseWindow(0);  // the owner may close first
  EXPECT_TRUE(WindowExists(5));

  ASSERT_TRUE(OpenWindow(6, 0, 0, 10, 10, "Drucken", kWindowMaximised));
  EXPECT_GE(WindowInnerWidth(6), QGuiApplication::primaryScreen()->availableGeometry().width() - 20);
  EXPECT_EQ(WindowWidget(6)->minimumSize(), WindowWidget(6)->maximumSize()) << "filling the screen at a fixed size";
  EXPECT_FALSE(WindowWidget(6)->windowFlags() & Qt::WindowCloseButtonHint);

  ASSERT_TRUE(OpenWindow(1, 40, 50, 130, 200, "", kWindowPalette));
  EXPECT_EQ(WindowOuterX(1), 40);
  EXPECT_EQ(WindowOuterY(1), 50);
  EXPECT_EQ(WindowWidget(1)->windowType(), Qt::Window) << "a palette is owned by no window";
}

TEST_F(GadgetsTest, GadgetNumbersAreReplacedAndFreed) {
  ButtonGadget(8, 0, 10, 10, 40, 40, "STOP");
  ButtonGadget(8, 0, 60, 10, 40, 40, "STOP");
  EXPECT_EQ(WindowWidget(0)->findChildren<QPushButton*>().size(), 1);
  ASSERT_TRUE(OpenWindow(6, 0, 0, 300, 200, "Drucken", 0));
  ScrollAreaGadget(49, 6, 0, 0, 300, 200, 2100, 2975, 10);
  BeginScrollAreaContent(49);
  ButtonGadget(51, 6, 0, 0, 150, 40, "Drucken");
  EndScrollAreaContent();
  ButtonGadget(52, 6, 150, 0, 150, 40, "Abbrechen");
  EXPECT_EQ(GadgetWidget(51)->parentWidget(), static_cast<QScrollArea*>(GadgetWidget(49))->widget());
  EXPECT_EQ(GadgetWidget(52)->parentWidget(), WindowWidget(6));
  ScrollAreaGadget(49, 6, 0, 0, 300, 200, 100, 100, 10);  // replaced with its content
  EXPECT_FALSE(GadgetExists(51));
  CloseWindow(0);
  EXPECT_FALSE(GadgetExists(8));
  EXPECT_TRUE(GadgetExists(52));
}

}  // namespace
