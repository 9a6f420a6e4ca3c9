#include "app/status_line.h"

#include "app/message_sink.h"

namespace zm48d {

StatusLine::StatusLine(QStatusBar& bar) : label_(new QLabel(&bar)) {
  label_->setObjectName(QStringLiteral("lbSTATUS"));
  bar.addWidget(label_, 1);
}

void StatusLine::Progress(const QString& text) { label_->setText(text); }

void StatusLine::End(const QString& caption, const ops::LocalDateTime& now) {
  if (!tally_.UsedTheLine()) return;
  label_->setText(FromUtf8(ops::TimeText(now)) + QLatin1Char(' ') + caption + QStringLiteral(": ") +
                  FromUtf8(ops::OutcomeText(tally_)));
}

}  // namespace zm48d
