// What an operator sees while the line is busy for more than a moment: the
// page's controls greyed, the tabs and menus too, and "Cancelar" on the status
// bar. Clicks were already dropped while busy; now it also shows.
#include <vector>

#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "app/form1.h"
#include "operations/operator_texts.h"

namespace zm48d {

namespace {

// Greys every control under `parent` but the live ones, keeping what it greyed.
void GreyAllBut(QWidget* parent, const BusyWindow& busy, std::vector<QPointer<QWidget>>& greyed) {
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isEnabled()) continue;
    if (busy.HoldsLive(child)) {
      GreyAllBut(child, busy, greyed);
    } else {
      child->setEnabled(false);
      greyed.emplace_back(child);
    }
  }
}

}  // namespace

void TForm1::BuildBusyLook() {
  btCANCELAR = new QPushButton(FromUtf8(text::kCancel), statusBar());
  btCANCELAR->setObjectName(QStringLiteral("btCANCELAR"));
  // Never the focus: greying the page would hand it the focus, and an Enter
  // typed meanwhile would then stop the operation by accident.
  btCANCELAR->setFocusPolicy(Qt::NoFocus);
  statusBar()->addPermanentWidget(btCANCELAR);
  btCANCELAR->hide();
  busy_.KeepLive(btCANCELAR);
  connect(btCANCELAR, &QPushButton::clicked, this, [this] { btCANCELARClick(); });
  // Asked before every frame: once "Cancelar" was clicked, none goes out, and the
  // operation ends at its next frame as a failure.
  link_.stopRequested = [this] {
    if (cancelRequested_) cancelHeldBack_ = true;
    return cancelRequested_;
  };
  busy_.OnLook([this](bool busy) { LookBusy(busy); });
}

void TForm1::btCANCELARClick() {
  cancelRequested_ = true;
  btCANCELAR->setEnabled(false);  // once is enough: the operation ends at its next frame
}

void TForm1::LookBusy(bool busy) {
  if (busy) {
    const int page = PageControl1->currentIndex();
    if (page >= 0) GreyAllBut(PageBody(page + 1), busy_, greyed_);
    for (QWidget* whole : {static_cast<QWidget*>(PageControl1->tabBar()), menuWidget()}) {
      if (whole != nullptr && whole->isEnabled()) {
        whole->setEnabled(false);
        greyed_.emplace_back(whole);
      }
    }
    btCANCELAR->setEnabled(true);
    btCANCELAR->show();
    return;
  }
  for (const QPointer<QWidget>& widget : greyed_) {
    if (widget) widget->setEnabled(true);
  }
  greyed_.clear();
  btCANCELAR->hide();
}

}  // namespace zm48d
