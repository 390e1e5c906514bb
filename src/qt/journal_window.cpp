#include "journal_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "util/date.h"
#include "util/tr.h"

namespace kalvitor::qt {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The kinds that stand out: deaths red, victories green, the games begun in
// blue; everything else in the window's own ink.
QVariant KindColor(JournalKind kind) {
  switch (kind) {
    case JournalKind::Death:
      return QColor(0xB0, 0x10, 0x10);
    case JournalKind::Victory:
      return QColor(0x10, 0x80, 0x20);
    case JournalKind::Game:
      return QColor(0x10, 0x40, 0xA0);
    default:
      return {};
  }
}

}  // namespace

JournalModel::JournalModel(const Journal& journal, QObject* parent) : QAbstractTableModel(parent), journal_(journal) {
  Rebuild();
}

bool JournalModel::Passes(const JournalEntry& e) const {
  if (kind_ >= 0 && static_cast<int>(e.kind) != kind_) return false;
  return search_.isEmpty() || Q(e.text).contains(search_, Qt::CaseInsensitive);
}

JournalModel::Row JournalModel::MakeRow(const JournalEntry& e, uint64_t seq) const {
  return Row{seq, Q(FormatShownDate(e.date) + " " + FormatHHMM(e.minutes)), e.kind, Q(e.text)};
}

void JournalModel::Rebuild() {
  beginResetModel();
  rows_.clear();
  const auto& entries = journal_.Entries();
  const uint64_t first = journal_.AddedCount() - entries.size();
  for (size_t i = entries.size(); i-- > 0;)
    if (Passes(entries[i])) rows_.push_back(MakeRow(entries[i], first + i));
  seenAdded_ = journal_.AddedCount();
  seenGeneration_ = journal_.Generation();
  endResetModel();
}

void JournalModel::SetFilter(int kind, const QString& text) {
  kind_ = kind;
  search_ = text.trimmed();
  Rebuild();
}

void JournalModel::Follow() {
  if (journal_.Generation() != seenGeneration_) {
    Rebuild();
    return;
  }
  const auto& entries = journal_.Entries();
  const uint64_t fresh = std::min<uint64_t>(journal_.AddedCount() - seenAdded_, entries.size());
  seenAdded_ = journal_.AddedCount();
  if (fresh == 0) return;
  const uint64_t first = journal_.AddedCount() - entries.size();
  std::vector<Row> added;  // newest first
  for (uint64_t i = 0; i < fresh; ++i) {
    const size_t at = entries.size() - 1 - static_cast<size_t>(i);
    if (Passes(entries[at])) added.push_back(MakeRow(entries[at], first + at));
  }
  if (!added.empty()) {
    beginInsertRows({}, 0, static_cast<int>(added.size()) - 1);
    rows_.insert(rows_.begin(), added.begin(), added.end());
    endInsertRows();
  }
  // The journal lets its oldest entries go; so does the window.
  size_t keep = rows_.size();
  while (keep > 0 && rows_[keep - 1].seq < first) --keep;
  if (keep < rows_.size()) {
    beginRemoveRows({}, static_cast<int>(keep), static_cast<int>(rows_.size()) - 1);
    rows_.resize(keep);
    endRemoveRows();
  }
}

int JournalModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant JournalModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const Row& r = rows_[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case 0:
        return r.when;
      case 1:
        return QString::fromUtf8(JournalKindName(r.kind));
      case 2:
        return r.text;
      default:
        return {};
    }
  }
  if (role == Qt::ForegroundRole) return KindColor(r.kind);
  return {};
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeaders[] = {KV_N("Дата"), KV_N("Вид"), KV_N("Запись")};
  return section >= 0 && section < 3 ? QString::fromUtf8(Tr(kHeaders[section])) : QVariant();
}

JournalWindow::JournalWindow(const Journal& journal, QWidget* owner) : QWidget(owner, Qt::Window), journal_(journal) {
  setObjectName(QStringLiteral("journalWindow"));
  setWindowTitle(QString::fromUtf8(Tr("Журнал событий")));

  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("cboKind"));
  kind_->addItem(QString::fromUtf8(Tr("Все записи")), -1);
  for (int k = 0; k < kJournalKinds; ++k) kind_->addItem(QString::fromUtf8(JournalKindName(JournalKind(k))), k);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("txtSearch"));
  search_->setPlaceholderText(QString::fromUtf8(Tr("Поиск")));
  search_->setClearButtonEnabled(true);
  search_->setAccessibleName(search_->placeholderText());
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("lblCount"));

  model_ = new JournalModel(journal, this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("tblJournal"));
  table_->setModel(model_);
  table_->setAccessibleName(windowTitle());
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);

  auto* bar = new QHBoxLayout;
  auto* show = new QLabel(QString::fromUtf8(Tr("Показать:")), this);
  show->setBuddy(kind_);  // a screen reader names the list by it
  bar->addWidget(show);
  bar->addWidget(kind_);
  bar->addSpacing(12);
  bar->addWidget(search_, 1);
  bar->addSpacing(12);
  bar->addWidget(count_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(table_, 1);

  connect(kind_, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  connect(search_, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
  ShowCount();
  resize(760, 480);
}

void JournalWindow::ApplyFilter() {
  model_->SetFilter(kind_->currentData().toInt(), search_->text());
  ShowCount();
}

void JournalWindow::Follow() {
  // A reader who has scrolled down keeps the entries in view; one at the top
  // sees the new ones come in.
  QScrollBar* bar = table_->verticalScrollBar();
  const int before = model_->rowCount();
  const bool atTop = bar->value() == 0;
  const int value = bar->value();
  model_->Follow();
  const int added = model_->rowCount() - before;
  if (atTop) {
    bar->setValue(0);
  } else if (added > 0) {
    bar->setValue(value + added * table_->verticalHeader()->defaultSectionSize());
  }
  ShowCount();
}

void JournalWindow::ShowCount() {
  count_->setText(QString::fromUtf8(Tr("Записей: %1 из %2"))
                      .arg(model_->rowCount())
                      .arg(static_cast<qulonglong>(journal_.Entries().size())));
}

}  // namespace kalvitor::qt
