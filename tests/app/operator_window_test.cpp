// The window as an operator meets it: a long operation looks busy and can be
// cancelled between two frames, the keyboard presses buttons and opens menus,
// and the window and its trace pane fit the screen.
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/history_window.h"
#include "app/site_window.h"
#include "app/trace_pane.h"
#include "app/window_geometry.h"
#include "tests/app/paced_window_fixture.h"

namespace zm48d::testing {
namespace {

std::string Text(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height());
}

std::vector<QWidget*> Controls(std::initializer_list<QWidget*> controls) { return controls; }

// Runs `check` once the window has been busy for `ms`, while the operation runs.
void During(int ms, std::function<void()> check) { QTimer::singleShot(ms, std::move(check)); }

TEST_F(PacedWindow, ALongSendGreysThePageAndOffersCancelThenGivesTheControlsBack) {
  ChooseTx(2, 3, 100);
  form.show();
  form.PageControl1->setCurrentWidget(form.TabSheet6);
  form.Button33->setFocus();
  bool checked = false;
  During(400, [&] {
    checked = true;
    EXPECT_TRUE(form.LooksBusy());
    for (QWidget* control : Controls({form.Button33, form.Edit8, form.Button32,
                                      form.PageControl1->tabBar(), form.menuWidget()})) {
      EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_FALSE(form.btCANCELAR->isHidden());
    EXPECT_TRUE(form.btCANCELAR->isEnabled());
    // An Enter typed meanwhile goes nowhere: "Cancelar" takes no focus.
    EXPECT_NE(QApplication::focusWidget(), form.btCANCELAR);
    EXPECT_EQ(form.btCANCELAR->focusPolicy(), Qt::NoFocus);
  });
  form.Button33->click();

  ASSERT_TRUE(checked) << "the send ended before the window looked busy";
  EXPECT_FALSE(form.LooksBusy());
  EXPECT_TRUE(form.btCANCELAR->isHidden());
  for (QWidget* control :
       Controls({form.Button33, form.Edit8, form.PageControl1->tabBar(), form.menuWidget()})) {
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  }
  EXPECT_FALSE(form.Button7->isEnabled() && form.Button7->isVisible());  // hidden stays hidden
}

TEST_F(PacedWindow, ABeepIsTooShortToLookBusy) {
  bool greyed = false;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] { greyed |= !form.Button1->isEnabled(); });
  watcher.start(5);
  form.PageControl1->setCurrentWidget(form.TabSheet2);
  form.Button1->click();
  EXPECT_FALSE(greyed);
  EXPECT_EQ(Requests('H'), 1);
}

TEST_F(PacedWindow, CancelStopsASendBetweenTwoFramesAndSaysSo) {
  ChooseTx(2, 3, 999);
  form.show();
  During(600, [&] { PostClick(form.btCANCELAR); });  // a real click, let through while busy
  form.Button33->click();

  EXPECT_TRUE(
      form.StatusText().startsWith("14:05:09 Enviar para o aparelho: cancelado pelo operador, "))
      << form.StatusText().toStdString();
  // The rules went out; the tag list stopped within its pages; no notice followed.
  EXPECT_GT(line.emulator.Requests().size(), 10U);
  EXPECT_LT(line.emulator.Requests().size(), 100U);
  EXPECT_EQ(Requests('I'), 0);
  // The next operation is not cancelled.
  form.Button1->click();
  EXPECT_EQ(form.StatusText(), "14:05:09 Beep: ok");
}

TEST_F(PacedWindow, EnterPressesTheFocusedButtonAndCtrlEnterSendsOnTx) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.PageControl1->setCurrentWidget(form.TabSheet2);
  form.Button1->setFocus();
  QTest::keyClick(form.Button1, Qt::Key_Return);
  EXPECT_EQ(Requests('H'), 1);

  ChooseTx(1, 1, 1);
  QTest::keyClick(form.Button1, Qt::Key_Return, Qt::ControlModifier);  // not on "TX"
  EXPECT_EQ(Requests('I'), 0);
  form.PageControl1->setCurrentWidget(form.TabSheet6);
  form.Edit8->setFocus();
  QTest::keyClick(form.Edit8, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Requests('I'), 1);
  EXPECT_EQ(form.StatusText().toStdString(),
            "14:05:09 Enviar para o aparelho: concluído, 14 quadros");
}

TEST_F(PacedWindow, CtrlTabTurnsThePageEvenFromAnEdit) {
  form.show();
  QApplication::setActiveWindow(&form);
  form.PageControl1->setCurrentWidget(form.TabSheet6);
  form.Edit8->setFocus();
  QTest::keyClick(form.Edit8, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet7);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet6);
  form.PageControl1->setCurrentWidget(form.TabSheet8);
  QTest::keyClick(&form, Qt::Key_PageDown, Qt::ControlModifier);  // round to the first
  EXPECT_EQ(form.PageControl1->currentWidget(), form.TabSheet1);
}

TEST_F(PacedWindow, EveryMenuAndEntryHasItsOwnMnemonic) {
  QSet<QChar> menus;
  for (QAction* menu : form.menuBar()->actions()) {
    const QString title = menu->text();
    const qsizetype at = title.indexOf('&');
    ASSERT_GE(at, 0) << title.toStdString();
    EXPECT_FALSE(menus.contains(title[at + 1].toLower())) << title.toStdString();
    menus.insert(title[at + 1].toLower());
    QSet<QChar> entries;
    for (QAction* entry : menu->menu()->actions()) {
      if (entry->isSeparator()) continue;
      const qsizetype mark = entry->text().indexOf('&');
      ASSERT_GE(mark, 0) << entry->text().toStdString();
      const QChar key = entry->text()[mark + 1].toLower();
      EXPECT_FALSE(entries.contains(key)) << entry->text().toStdString();
      entries.insert(key);
    }
  }
}

// The offscreen screen is 800 pixels wide: the window's described place would put
// its right edge off it. Opening the trace pane grows the window down to the
// screen's bottom edge, no further.
TEST_F(PacedWindow, TheWindowAndItsTracePaneFitASmallScreen) {
  form.show();
  const QRect screen = form.screen()->availableGeometry();
  ASSERT_LT(screen.width(), 159 + 696);
  EXPECT_TRUE(screen.contains(form.frameGeometry())) << Text(form.frameGeometry());
  EXPECT_EQ(form.size(), QSize(696, 502));  // its own size, moved into view

  form.dwTRAFEGO->toggleViewAction()->trigger();
  QCoreApplication::processEvents();
  EXPECT_TRUE(screen.contains(form.frameGeometry())) << Text(form.frameGeometry());
  EXPECT_LE(form.dwTRAFEGO->height(), form.height() / 3 + 1);
  EXPECT_GT(form.PageControl1->height(), form.height() / 2);
}

// The history and the site windows open within the screen (the history's own
// size is wider than it) and close on Escape or Ctrl+W, as a dialog would.
TEST_F(PacedWindow, WindowsBesideTheMainOneFitTheScreenAndCloseFromTheKeyboard) {
  form.show();
  ASSERT_LT(form.screen()->availableGeometry().width(), 1000);
  form.miHISTORICO->trigger();
  form.miSITE->trigger();
  const std::pair<QWidget*, const char*> windows[] = {{form.fmHISTORICO, "Escape"},
                                                      {form.fmSITE, "Ctrl+W"}};
  for (const auto& [window, keys] : windows) {
    SCOPED_TRACE(keys);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(form.screen()->availableGeometry().contains(window->frameGeometry()))
        << Text(window->frameGeometry());
    QApplication::setActiveWindow(window);
    QTest::keySequence(window, QKeySequence(QString::fromLatin1(keys)));
    EXPECT_FALSE(window->isVisible());
  }
}

TEST(WindowGeometry, FitsTheWantedPlaceIntoTheAvailableArea) {
  const struct {
    const char* what;
    QRect wanted;
    QMargins frame;
    QRect available;
    QRect fitted;
  } cases[] = {
      {"fits as described", {159, 107, 696, 502}, {}, {0, 0, 1024, 768}, {159, 107, 696, 502}},
      {"moved left and up", {159, 107, 696, 502}, {}, {0, 0, 800, 600}, {104, 98, 696, 502}},
      {"the frame fits too",
       {159, 107, 696, 502},
       {4, 30, 4, 4},
       {0, 0, 800, 600},
       {100, 94, 696, 502}},
      {"shrunk to a tiny screen", {159, 107, 696, 502}, {}, {0, 0, 640, 400}, {0, 0, 640, 400}},
      {"below a panel at the top", {10, 0, 696, 502}, {}, {0, 32, 1024, 736}, {10, 32, 696, 502}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FittedGeometry(c.wanted, c.frame, c.available), c.fitted) << c.what;
  }
}

}  // namespace
}  // namespace zm48d::testing
