// A game window other than the main one: the generic view in a fixed-size
// dialog. The model decides when it closes: the title-bar close button and
// Esc only tell the model, and Enter presses the window's default button.
#pragma once

#include <QDialog>

class QSpacerItem;
#include <string>

#include "form_view.h"

namespace kalvitor::qt {

class FormDialog : public QDialog {
  Q_OBJECT
 public:
  FormDialog(Form& form, FrontendPort& port, QWidget* owner);

  FormView* view() const { return view_; }
  void SyncAll();
  void SyncForm();
  void Detach();

 public slots:
  void reject() override {}  // closing is the model's business

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FormView* view_;
  QSpacerItem* titleRoom_;
};

}  // namespace kalvitor::qt
