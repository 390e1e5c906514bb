#include "text_viewer.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "util/cp1251.h"
#include "window_room.h"

namespace kalvitor::qt {

TextViewer* TextViewer::Open(const QString& path, QWidget* owner) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  const QByteArray bytes = file.readAll();
  // The texts are UTF-8; an old file in the Windows Cyrillic code page is
  // read as such.
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = QString::fromStdString(Cp1251ToUtf8(bytes.toStdString()));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  auto* viewer = new TextViewer(QFileInfo(path).fileName(), text, owner);
  // Over the middle of the main window, wholly on the screen.
  PlaceOnScreen(viewer, QSize(640, 520), owner);
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

TextViewer::TextViewer(const QString& title, const QString& text, QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("textViewer"));
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  edit_ = new QPlainTextEdit(this);
  edit_->setReadOnly(true);
  edit_->setPlainText(text);
  edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(edit_);
}

void TextViewer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

QString TextViewer::Text() const { return edit_->toPlainText(); }

}  // namespace kalvitor::qt
