// The one view of every game window: it draws a Form model (the background
// picture at its natural size in the top-left corner and a widget per
// control at the control's place) and turns clicks and edits into calls on
// the model. It holds no game state of its own: whatever it shows is read
// back from the model whenever the model says something changed.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "port.h"
#include "windows/forms/form.h"

class QPushButton;

namespace kalvitor::qt {

class FormView : public QWidget {
  Q_OBJECT
 public:
  FormView(Form& form, FrontendPort& port, QWidget* parent);

  // Nullptr once the model has let go of this view (see Detach).
  Form* form() const { return form_; }
  // Everything again from the model: picture, size, every control.
  void SyncAll();
  // The window-wide state: picture and whether the window takes clicks.
  void SyncForm();
  // One control, and every control that sits on it when it is a panel.
  void SyncControl(const Control& control);
  // The model unloaded the window; the view stays harmless until deleted.
  void Detach();

  // The whole text a label is about to type letter by letter: it is laid out
  // for that text from the first letter on.
  void SetFinalText(const Control& control, const QString& text);

  // The message line has typed its message to the end.
  void MessageTyped(const Control& control);

  QWidget* WidgetOf(const Control& control) const;
  // The control a widget of this view shows; null for none.
  const Control* ControlOf(const QWidget* widget) const;
  // The widgets a screen reader finds, in the window's order.
  std::vector<QWidget*> ReaderOrder() const;
  QPushButton* ButtonOf(const Control& control) const;
  // By the control's name, for tests.
  QWidget* WidgetOf(const std::string& name, int index = -1) const;
  QPushButton* ButtonOf(const std::string& name) const;
  bool HasPicture() const { return !picture_.isNull(); }
  // Where the picture ends, the window goes on in a dark tone that matches
  // the pictures, so that a screen wider than its picture does not look
  // unfinished.
  static QColor BeyondPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Build();
  void SetTabOrder();
  QWidget* Create(const Control& c);
  void Apply(const Control& c, QWidget* w);
  void SyncPicture();
  void Clicked(const Control& c);
  void ListChosen(const Control& c, int row);
  void Edited(const Control& c, const QString& text);
  void ApplyLabel(const Control& c, class GameLabel* l, const QFont& font);
  QRect ApplyMessageLine(const Control& c, class GameLabel* l);

  Form* form_;
  FrontendPort& port_;
  QPixmap picture_;
  std::string pictureName_;
  bool pictureChecked_ = false;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const Control*, QString> finalText_;
  std::map<const Control*, bool> typedWhole_;
  struct Fitted {
    QString text;
    QFont font;
    bool wrap = false;
    int height = 0;
  } messageFit_;
};

}  // namespace kalvitor::qt
