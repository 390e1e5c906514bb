// The journal window ("Журнал событий..."): the game's journal, newest entry
// first, with its date and time, kind and text; a filter by kind and a
// search box. It does not stop the clock and follows new entries while it
// is open. It holds nothing of the game but what it shows.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <vector>

#include "life/journal/journal.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace kalvitor::qt {

// The rows shown, newest first, of the entries that pass the filter.
class JournalModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit JournalModel(const Journal& journal, QObject* parent = nullptr);

  // kind: -1 for every kind; text: a part of the entry's text, any case.
  void SetFilter(int kind, const QString& text);
  // Takes in what the journal gained since the last call.
  void Follow();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Row {
    uint64_t seq;  // the entry's place among all entries ever added
    QString when;
    JournalKind kind;
    QString text;
  };
  bool Passes(const JournalEntry& e) const;
  Row MakeRow(const JournalEntry& e, uint64_t seq) const;
  void Rebuild();

  const Journal& journal_;
  int kind_ = -1;
  QString search_;
  std::vector<Row> rows_;  // newest first
  uint64_t seenAdded_ = 0;
  uint64_t seenGeneration_ = 0;
};

class JournalWindow : public QWidget {
  Q_OBJECT
 public:
  JournalWindow(const Journal& journal, QWidget* owner);
  JournalModel* model() const { return model_; }
  QTableView* table() const { return table_; }
  QComboBox* kindBox() const { return kind_; }
  QLineEdit* searchBox() const { return search_; }
  // The journal has changed.
  void Follow();

 private:
  void ApplyFilter();
  void ShowCount();

  const Journal& journal_;
  JournalModel* model_;
  QTableView* table_;
  QComboBox* kind_;
  QLineEdit* search_;
  QLabel* count_;
};

}  // namespace kalvitor::qt
