#include "tips_window.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "util/tr.h"
#include "window_room.h"

namespace kalvitor::qt {
namespace {

constexpr const char* kSetting = "Tips";

// A narrow page beside the main window, to its right, as tall as it; at the
// screen's right edge when there is not room enough there.
void PlaceBeside(QWidget* w, QWidget* owner) {
  PlaceOnScreen(w, QSize(290, owner != nullptr ? owner->height() : 500), owner);
  if (owner == nullptr || owner->screen() == nullptr) return;
  const QRect room = owner->screen()->availableGeometry();
  const QRect main = owner->frameGeometry();
  const int right = std::min(main.right() + 8, room.right() + 1 - w->width() - kFrameSide);
  w->move(std::max(room.left(), right), std::max(room.top(), std::min(main.top(), w->y())));
}

}  // namespace

bool TipsWindow::Wanted(FrontendPort& port) { return port.SettingGet(kSetting).value_or("1") != "0"; }

TipsWindow* TipsWindow::Open(const QString& path, FrontendPort& port, QWidget* owner, bool paused) {
  static QPointer<TipsWindow> open;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  const QString text = QString::fromUtf8(file.readAll()).replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (open) open->close();
  open = new TipsWindow(text, port, paused);
  PlaceBeside(open, owner);
  open->show();
  open->raise();
  open->activateWindow();
  return open;
}

TipsWindow::TipsWindow(const QString& text, FrontendPort& port, bool paused)
    : QWidget(nullptr, Qt::Window), port_(port) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("tipsWindow"));
  setWindowTitle(QString::fromUtf8(Tr("Советы новичку")));
  auto* layout = new QVBoxLayout(this);
  pauseNote_ = new QLabel(QString::fromUtf8(Tr("Игра стоит на паузе, пока вы читаете. Клавиша P пустит время.")), this);
  pauseNote_->setObjectName(QStringLiteral("lblPauseNote"));
  pauseNote_->setWordWrap(true);
  QFont bold = pauseNote_->font();
  bold.setBold(true);
  pauseNote_->setFont(bold);
  pauseNote_->setVisible(paused);
  layout->addWidget(pauseNote_);
  edit_ = new QPlainTextEdit(this);
  edit_->setObjectName(QStringLiteral("txtTips"));
  edit_->setReadOnly(true);
  edit_->setPlainText(text);
  layout->addWidget(edit_, 1);
  auto* row = new QHBoxLayout;
  never_ = new QCheckBox(QString::fromUtf8(Tr("Больше не показывать")), this);
  never_->setObjectName(QStringLiteral("chkNever"));
  never_->setChecked(!Wanted(port_));
  connect(never_, &QCheckBox::toggled, this, [this](bool on) { port_.SettingSet(kSetting, on ? "0" : "1"); });
  row->addWidget(never_);
  row->addStretch(1);
  auto* close = new QPushButton(QString::fromUtf8(Tr("Закрыть")), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  row->addWidget(close);
  layout->addLayout(row);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, &QWidget::close);
}

QString TipsWindow::Text() const { return edit_->toPlainText(); }

}  // namespace kalvitor::qt
