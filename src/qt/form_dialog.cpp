#include "form_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "window_room.h"

namespace kalvitor::qt {

FormDialog::FormDialog(Form& form, FrontendPort& port, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QString::fromStdString(form.Name()) + QStringLiteral("Window"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  view_ = new FormView(form, port, this);
  layout->addWidget(view_, 0, Qt::AlignHCenter);
  // A window narrower than its title would have the title cut by the window
  // manager: it widens, the screen in its middle.
  titleRoom_ = new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
  layout->addItem(titleRoom_);
  if (QPushButton* b = form.DefaultButton() ? view_->ButtonOf(*form.DefaultButton()) : nullptr) {
    b->setAutoDefault(true);
    b->setDefault(true);
  }
  SyncForm();
  // The player types first: the first text box of the window takes the focus.
  for (const Control& c : form.Controls()) {
    if (c.kind != ControlKind::TextBox || !c.Usable()) continue;
    if (QWidget* w = view_->WidgetOf(c)) w->setFocus();
    break;
  }
}

void FormDialog::SyncAll() {
  view_->SyncAll();
  SyncForm();
}

void FormDialog::SyncForm() {
  Form* form = view_->form();
  if (form == nullptr) return;
  view_->SyncForm();
  const QString title = QString::fromStdString(form->TitleBarText());
  if (windowTitle() != title) {
    setWindowTitle(title);
    titleRoom_->changeSize(TitleWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    layout()->invalidate();
  }
  if (view_->HasPicture() && palette().color(QPalette::Window) != FormView::BeyondPicture()) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FormView::BeyondPicture());
    setPalette(pal);
  }
  if (view_->isEnabled() != form->Enabled()) view_->setEnabled(form->Enabled());
}

void FormDialog::Detach() { view_->Detach(); }

void FormDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (Form* form = view_->form()) form->CloseBox();
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool esc = event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
  const Form* form = view_->form();
  const Control* key = form == nullptr ? nullptr : enter ? form->DefaultButton() : esc ? form->CancelButton() : nullptr;
  if (key != nullptr) {
    QPushButton* b = view_->ButtonOf(*key);
    if (b != nullptr && b->isEnabled() && b->isVisible()) {
      event->accept();
      b->click();
      return;
    }
  }
  if (esc) {
    event->accept();  // Esc alone does not close a game window
    return;
  }
  // A window without a button of its own for Enter: Enter presses the
  // button that has the keyboard, as Space does.
  auto* focused = qobject_cast<QPushButton*>(focusWidget());
  if (enter && form != nullptr && form->DefaultButton() == nullptr && focused != nullptr && focused->isEnabled()) {
    event->accept();
    focused->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kalvitor::qt
