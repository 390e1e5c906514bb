#include "form_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalvitor::qt {
namespace {

struct DialogKeys {
  const char* form;
  const char* defaultButton;  // Enter
  const char* cancelButton;   // Esc
};

// Esc leaves every place the way its "Назад" does; the about box's OK
// answers both keys.
constexpr DialogKeys kDialogKeys[] = {
    {"frmPlayerName", "Command1", "Command2"},
    {"frmSaveLoad", "cmdOk", "cmdCancel"},
    {"frmAbout", "Command1", "Command1"},
    {"frmWork", "", "Command8"},
    {"frmShop", "", "Command8"},
    {"frmHospital", "", "Command8"},
    {"frmHappy", "", "Command8"},
    {"frmEducation", "", "Command8"},
    {"frmFamily", "", "Command8"},
    {"frmHard", "", "Command8"},
    {"frmSoft", "", "Command8"},
    {"frmBank", "", "Command8"},
    {"frmNetwork", "", "Command9"},
};

// Windows whose model has no caption of their own still get a title bar
// that says what they are.
struct Title {
  const char* form;
  const char* title;
};
constexpr Title kTitles[] = {{"frmFamily", "Семья"}};

QString TitleOf(const Form& form) {
  if (!form.Caption().empty()) return QString::fromStdString(form.Caption());
  for (const Title& t : kTitles)
    if (form.Name() == t.form) return QString::fromUtf8(t.title);
  return QStringLiteral("Brindlex Kalvitor 1.6");
}

}  // namespace

FormDialog::FormDialog(Form& form, FrontendPort& port, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QString::fromStdString(form.Name()) + QStringLiteral("Window"));
  for (const DialogKeys& k : kDialogKeys)
    if (form.Name() == k.form) {
      defaultButton_ = k.defaultButton;
      cancelButton_ = k.cancelButton;
    }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  view_ = new FormView(form, port, this);
  layout->addWidget(view_);
  if (QPushButton* b = view_->ButtonOf(defaultButton_)) {
    b->setAutoDefault(true);
    b->setDefault(true);
  }
  SyncForm();
  // The player types first: the first text box of the window takes the focus.
  for (const Control& c : form.Controls()) {
    if (c.kind != ControlKind::TextBox || !c.Usable()) continue;
    if (QWidget* w = view_->WidgetOf(c.name, c.index)) w->setFocus();
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
  const QString title = TitleOf(*form);
  if (windowTitle() != title) setWindowTitle(title);
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
  const std::string name = enter ? defaultButton_ : esc ? cancelButton_ : std::string();
  if (!name.empty()) {
    QPushButton* b = view_->ButtonOf(name);
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
  QDialog::keyPressEvent(event);
}

}  // namespace kalvitor::qt
