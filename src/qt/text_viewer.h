// The help menu's text files (readme, license) in a read-only window of the
// game.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kalvitor::qt {

class TextViewer : public QWidget {
  Q_OBJECT
 public:
  // Opens the file in a new viewer window; nothing when it cannot be read.
  static TextViewer* Open(const QString& path, QWidget* owner);
  QString Text() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  TextViewer(const QString& title, const QString& text, QWidget* owner);
  QPlainTextEdit* edit_;
};

}  // namespace kalvitor::qt
