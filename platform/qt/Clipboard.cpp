// The clipboard, over Qt's (on X11 the CLIPBOARD selection).

#include <QClipboard>
#include <QGuiApplication>

#include "platform/Platform.h"
#include "platform/qt/Text1252.h"

std::string ClipboardText(std::size_t maxBytes) {
  // A character is at least one byte: no more characters than bytes are needed.
  const qsizetype characters = maxBytes > 1u << 30 ? qsizetype{1} << 30 : static_cast<qsizetype>(maxBytes);
  const QByteArray bytes = QGuiApplication::clipboard()->text().left(characters).toUtf8();
  return bytes.left(characters).toStdString();
}

void SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(qtws::FromWindows1252(text));
}
