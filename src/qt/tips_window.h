// "Советы новичку": one page of advice for the first days (eat, work, rest,
// the colours of the vitals, the pause), read from the game's tips.txt, with
// the check box "Больше не показывать" (the setting Tips, "0" when ticked).
// Opened from the help menu, and offered once a run when the first game
// begins, unless the player asked not to see it: then the game waits, paused
// as P pauses it, until the player presses P. A window of its own, as the
// journal: it works while a place is open.
#pragma once

#include <QWidget>

#include "port.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace kalvitor::qt {

class TipsWindow : public QWidget {
  Q_OBJECT
 public:
  // The window over `owner`'s side; nullptr when the text cannot be read.
  // paused: the game was paused for the player to read.
  static TipsWindow* Open(const QString& path, FrontendPort& port, QWidget* owner, bool paused);
  // Whether the tips are to be offered at the start (the setting Tips is
  // not "0").
  static bool Wanted(FrontendPort& port);
  QString Text() const;

 private:
  TipsWindow(const QString& text, FrontendPort& port, bool paused);
  FrontendPort& port_;
  QLabel* pauseNote_;
  QPlainTextEdit* edit_;
  QCheckBox* never_;
};

}  // namespace kalvitor::qt
