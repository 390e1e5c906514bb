#include "stats_window.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "util/tr.h"

namespace kalvitor::qt {
namespace {

// One line of a chart: its name, colour and the value it takes of a sample.
struct Line {
  const char* name;
  QRgb color;
  int chart;  // 0 money, 1 vitals, 2 education and rank
  double (*value)(const StatsSample&);
  bool rightAxis = false;
};

const Line kLines[] = {
    {KV_N("Деньги"), 0x1F7A1F, 0, [](const StatsSample& s) { return double(s.money); }, false},
    {KV_N("Вклад"), 0x1F4FB0, 0, [](const StatsSample& s) { return double(s.deposit); }, false},
    {KV_N("Долг банку"), 0xB03A1F, 0, [](const StatsSample& s) { return double(s.loan); }, false},
    {KV_N("Здоровье"), 0xC0282D, 1, [](const StatsSample& s) { return double(s.health); }, false},
    {KV_N("Сытость"), 0xD08A10, 1, [](const StatsSample& s) { return double(s.satiety); }, false},
    {KV_N("Настроение"), 0x6A3DB0, 1, [](const StatsSample& s) { return double(s.mood); }, false},
    {KV_N("Образование"), 0x1F6FA0, 2, [](const StatsSample& s) { return double(s.education); }, false},
    {KV_N("Статус"), 0x8A5A1F, 2, [](const StatsSample& s) { return double(s.rank); }, true},
};

// The death lines of the vitals, in the colours of their vitals.
struct DeathLine {
  const char* name;
  QRgb color;
  int level;
};
const DeathLine kDeathLines[] = {
    {KV_N("Смерть: здоровье -50%"), 0xC0282D, -50},
    {KV_N("Смерть: сытость -20%"), 0xD08A10, -20},
    {KV_N("Смерть: настроение -100%"), 0x6A3DB0, -100},
};

const char* const kChartTitles[] = {KV_N("Деньги и банк, $"), KV_N("Здоровье, сытость, настроение, %"),
                                    KV_N("Образование, % и статус")};

qint64 MsOfDay(int32_t serial) {
  return QDateTime(QDate(1899, 12, 30).addDays(serial), QTime(12, 0)).toMSecsSinceEpoch();
}

QString Money(int64_t v) { return v < 0 ? QStringLiteral("-$%1").arg(-v) : QStringLiteral("$%1").arg(v); }

}  // namespace

StatsWindow::StatsWindow(const StatsSource& game, QWidget* owner) : StatsView(owner, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("statsWindow"));
  setWindowTitle(Text(KV_N("Статистика")));
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblSummary"));
  summary_->setWordWrap(true);
  QFont bold = summary_->font();
  bold.setBold(true);
  summary_->setFont(bold);
  layout->addWidget(summary_);
  empty_ = new QLabel(Text(KV_N("Графики появятся после первого прожитого дня.")), this);
  empty_->setObjectName(QStringLiteral("lblEmpty"));
  layout->addWidget(empty_);

  // The charts keep a height they read well at; on a low screen they scroll
  // under the summary, and the window still fits.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("chartsArea"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  // It takes the keyboard (the arrows scroll it): a screen reader names it.
  scroll->setAccessibleName(Text(KV_N("Графики")));
  scroll->viewport()->setAccessibleName(scroll->accessibleName());
  auto* chartsBox = new QWidget(scroll);
  auto* chartsLayout = new QVBoxLayout(chartsBox);
  chartsLayout->setContentsMargins(0, 0, 0, 0);
  scroll->setWidget(chartsBox);
  layout->addWidget(scroll, 1);
  QChart* charts[3];
  for (int c = 0; c < 3; ++c) {
    charts[c] = MakeChart(Text(kChartTitles[c]));
    auto* view = new QChartView(charts[c], chartsBox);
    view->setObjectName(QStringLiteral("chart%1").arg(c));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(c == 2 ? 240 : 220);
    // A screen reader names a chart by its title and reads its last day's
    // values as its description (Follow).
    // The chart is drawn on the view's viewport, which shares its keyboard.
    for (QWidget* w : {static_cast<QWidget*>(view), view->viewport()}) {
      w->setAccessibleName(charts[c]->title());
      chartViews_.push_back(w);
    }
    chartsLayout->addWidget(view, 1);

    auto* dates = new QDateTimeAxis(charts[c]);
    // TRANSLATORS: the charts' dates, as Qt writes them (dd day, MM month, yy year).
    dates->setFormat(Text(KV_N("dd.MM.yy")));
    dates->setTickCount(7);
    charts[c]->addAxis(dates, Qt::AlignBottom);
    dateAxes_.push_back(dates);
    auto* values = new QValueAxis(charts[c]);
    // Whole numbers, written from the double the axis holds: "%d" would
    // take only 32 bits of it, and money goes beyond them.
    values->setLabelFormat(QStringLiteral("%.0f"));
    charts[c]->addAxis(values, Qt::AlignLeft);
    valueAxes_.push_back(values);
  }

  // The status rank on a right-hand axis of its own, by name.
  auto* ranks = new QCategoryAxis(charts[2]);
  ranks->setRange(0.5, 8.5);
  ranks->setStartValue(0.5);
  for (int r = 1; r <= 8; ++r) ranks->append(QString::fromStdString(game_.StatusName(r)), r + 0.5);
  ranks->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  ranks->setLabelsFont(small);
  charts[2]->addAxis(ranks, Qt::AlignRight);

  for (const Line& line : kLines) {
    auto* series = new QLineSeries(charts[line.chart]);
    series->setName(Text(line.name));
    QPen pen(QColor::fromRgb(line.color));
    pen.setWidthF(line.chart == 2 && line.rightAxis ? 2.0 : 1.6);
    series->setPen(pen);
    charts[line.chart]->addSeries(series);
    series->attachAxis(dateAxes_[static_cast<size_t>(line.chart)]);
    if (line.rightAxis)
      series->attachAxis(ranks);
    else
      series->attachAxis(valueAxes_[static_cast<size_t>(line.chart)]);
    series_.push_back(series);
  }
  for (const DeathLine& d : kDeathLines) {
    auto* series = new QLineSeries(charts[1]);
    series->setName(Text(d.name));
    QPen pen(QColor::fromRgb(d.color));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.0);
    series->setPen(pen);
    charts[1]->addSeries(series);
    series->attachAxis(dateAxes_[1]);
    series->attachAxis(valueAxes_[1]);
    deathLines_.push_back(series);
  }
  // The death lines are explained by the chart's title; the legend keeps to
  // the three vitals.
  for (QLineSeries* s : deathLines_)
    for (auto* marker : charts[1]->legend()->markers(s)) marker->setVisible(false);

  Follow();
  resize(820, 760);
}

QChart* StatsWindow::MakeChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  QFont font = this->font();
  chart->setFont(font);
  font.setBold(true);
  chart->setTitleFont(font);
  chart->legend()->setAlignment(Qt::AlignTop);
  chart->legend()->setFont(this->font());
  chart->setMargins(QMargins(4, 2, 4, 2));
  chart->setBackgroundRoundness(0);
  return chart;
}

QString StatsWindow::SummaryText() const {
  const Life::LifeSummary sum = game_.Summary();
  return Text(KV_N("Дней прожито: %1     Лучшие деньги: %2     Работ: %3     Детей: %4\n"
                   "За этот запуск игры — смертей: %5, побед: %6"))
      .arg(sum.daysLived)
      .arg(Money(sum.bestMoney))
      .arg(sum.jobsHeld)
      .arg(sum.children)
      .arg(sum.deaths)
      .arg(sum.victories);
}

void StatsWindow::DescribeLastDay() {
  const auto& samples = game_.Samples();
  QStringList said[3];
  for (const Line& line : kLines) {
    if (samples.empty()) break;
    const double v = line.value(samples.back());
    // Money in dollars, the rank by its name, the vitals and education in per cent.
    const QString value = line.chart == 0  ? Money(static_cast<int64_t>(v))
                          : line.rightAxis ? QString::fromStdString(game_.StatusName(static_cast<int>(v)))
                                           : QStringLiteral("%1%").arg(v);
    said[line.chart] << QStringLiteral("%1: %2").arg(Text(line.name), value);
  }
  for (size_t i = 0; i < chartViews_.size(); ++i) {
    const QString text = said[i / 2].join(QStringLiteral(", "));
    if (chartViews_[i]->accessibleDescription() != text) chartViews_[i]->setAccessibleDescription(text);
  }
}

QLineSeries* StatsWindow::Series(const QString& name) const {
  for (QLineSeries* s : series_)
    if (s->name() == name) return s;
  for (QLineSeries* s : deathLines_)
    if (s->name() == name) return s;
  return nullptr;
}

void StatsWindow::Follow() {
  summary_->setText(SummaryText());
  const auto& samples = game_.Samples();
  empty_->setVisible(samples.empty());

  std::vector<QList<QPointF>> points(std::size(kLines));
  double lo[3], hi[3];
  std::fill(std::begin(lo), std::end(lo), std::numeric_limits<double>::max());
  std::fill(std::begin(hi), std::end(hi), std::numeric_limits<double>::lowest());
  for (auto& p : points) p.reserve(static_cast<qsizetype>(samples.size()));
  for (const StatsSample& s : samples) {
    const double x = static_cast<double>(MsOfDay(s.date));
    for (size_t i = 0; i < std::size(kLines); ++i) {
      const double y = kLines[i].value(s);
      points[i].append(QPointF(x, y));
      if (kLines[i].rightAxis) continue;
      const int c = kLines[i].chart;
      lo[c] = std::min(lo[c], y);
      hi[c] = std::max(hi[c], y);
    }
  }
  for (size_t i = 0; i < std::size(kLines); ++i) series_[i]->replace(points[i]);
  DescribeLastDay();

  // The dates run from the first sample to the last (a day either side when
  // there is only one, none at all when there are none yet).
  const int32_t first = samples.empty() ? game_.Today() : samples.front().date;
  const int32_t last = samples.empty() ? game_.Today() + 1 : std::max(samples.back().date, first + 1);
  for (QDateTimeAxis* axis : dateAxes_) {
    axis->setRange(QDateTime::fromMSecsSinceEpoch(MsOfDay(first)), QDateTime::fromMSecsSinceEpoch(MsOfDay(last)));
    // No more marks than days, so that no date is written twice.
    axis->setTickCount(std::clamp(last - first + 1, 2, 7));
  }

  // The vitals' chart always shows the three death lines.
  lo[1] = std::min(samples.empty() ? 0.0 : lo[1], -100.0);
  hi[1] = std::max(samples.empty() ? 100.0 : hi[1], 0.0);
  if (samples.empty()) {
    lo[0] = 0, hi[0] = 500;
    lo[2] = 0, hi[2] = 100;
  }
  lo[2] = std::min(lo[2], 0.0);
  hi[2] = std::max(hi[2], 100.0);
  for (size_t d = 0; d < std::size(kDeathLines); ++d)
    deathLines_[d]->replace({QPointF(static_cast<double>(MsOfDay(first)), kDeathLines[d].level),
                             QPointF(static_cast<double>(MsOfDay(last)), kDeathLines[d].level)});
  for (int c = 0; c < 3; ++c) {
    const double pad = std::max(1.0, (hi[c] - lo[c]) * 0.05);
    valueAxes_[static_cast<size_t>(c)]->setRange(lo[c] - (c == 0 ? pad : 0), hi[c] + pad);
    valueAxes_[static_cast<size_t>(c)]->applyNiceNumbers();
  }
}

QString StatsWindow::Text(const char* russian) const { return QString::fromStdString(game_.Text(russian)); }

}  // namespace kalvitor::qt
