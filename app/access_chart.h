#pragma once
// One of the history's charts: accesses per category (hour of the day, door)
// as stacked bars, granted ("Liberados") under refused ("Negados").
#include <span>

#include <QChartView>
#include <QStringList>

#include "app/access_counts.h"

class QBarSet;
class QValueAxis;

namespace zm48d {

class AccessChart final : public QChartView {
  Q_OBJECT

 public:
  // `categoryName` titles the axis of the `categories` ("Hora": "00".."23").
  AccessChart(const QString& title, const QString& categoryName, const QStringList& categories,
              QWidget* parent);

  // Replaces the bars; one count per category, in their order.
  void ShowCounts(std::span<const AccessCount> counts);

  const QBarSet& Granted() const { return *granted_; }
  const QBarSet& Refused() const { return *refused_; }

 private:
  QBarSet* granted_;
  QBarSet* refused_;
  QValueAxis* countAxis_;
};

}  // namespace zm48d
