#include "app/access_chart.h"

#include <algorithm>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QStackedBarSeries>
#include <QValueAxis>

#include "app/message_sink.h"
#include "operations/operator_texts.h"

namespace zm48d {

AccessChart::AccessChart(const QString& title, const QString& categoryName,
                         const QStringList& categories, QWidget* parent)
    : QChartView(parent),
      granted_(new QBarSet(FromUtf8(text::kGrantedColumn))),
      refused_(new QBarSet(FromUtf8(text::kRefusedColumn))),
      countAxis_(new QValueAxis) {
  granted_->setColor(QColor(0x2e, 0x7d, 0x32));
  refused_->setColor(QColor(0xc6, 0x28, 0x28));
  auto* series = new QStackedBarSeries;
  series->append(granted_);
  series->append(refused_);
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->addSeries(series);
  auto* categoryAxis = new QBarCategoryAxis;
  categoryAxis->append(categories);
  categoryAxis->setTitleText(categoryName);
  chart->addAxis(categoryAxis, Qt::AlignBottom);
  series->attachAxis(categoryAxis);
  countAxis_->setLabelFormat(QStringLiteral("%d"));
  countAxis_->setTickType(QValueAxis::TicksDynamic);
  countAxis_->setTickAnchor(0);
  chart->addAxis(countAxis_, Qt::AlignLeft);
  series->attachAxis(countAxis_);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setMinimumHeight(220);
}

void AccessChart::ShowCounts(std::span<const AccessCount> counts) {
  granted_->remove(0, granted_->count());
  refused_->remove(0, refused_->count());
  int highest = 0;
  for (const AccessCount& count : counts) {
    granted_->append(count.granted);
    refused_->append(count.refused);
    highest = std::max(highest, count.granted + count.refused);
  }
  // Ticks on whole accesses, at most five steps; an empty history still shows a scale.
  const int step = std::max((highest + 4) / 5, 1);
  countAxis_->setTickInterval(step);
  countAxis_->setRange(0, std::max((highest + step - 1) / step, 1) * step);
}

}  // namespace zm48d
