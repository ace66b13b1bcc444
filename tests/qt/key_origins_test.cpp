// Keys stay in the window they were pressed in: what the application delivers of a key held
// while the keyboard moves to another window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "qt_application.h"
#include "qt_dialogs.h"

namespace {

// Counts the key events that reach a window (or any of its children).
class TKeyCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) ++count;
    return false;
  }
  int count = 0;
};

struct TWindow {
  std::unique_ptr<QWidget> w = std::make_unique<QWidget>();
  QPushButton* child = new QPushButton(w.get());
  TKeyCounter counter;
  TWindow() {
    w->installEventFilter(&counter);
    child->installEventFilter(&counter);
  }
};

enum TStep : std::uint8_t { press, repeat, release };

// Sends the step for the X key (scan code 53) to w, with that time stamp; true when it was
// delivered.
bool Send(QWidget& w, TStep step, TKeyCounter& counter, quint64 time = 0) {
  const int before = counter.count;
  QKeyEvent e(step == release ? QEvent::KeyRelease : QEvent::KeyPress, Qt::Key_X, Qt::NoModifier,
              53, 'x', 0, QStringLiteral("x"), step == repeat);
  e.setTimestamp(time);
  QApplication::sendEvent(&w, &e);
  return counter.count > before;
}

TKeyOrigins& Origins() {
  return static_cast<TGameApplication*>(qApp)->KeyOrigins();
}

TEST(KeyOrigins, AKeyActsOnlyInTheWindowItWentDownIn) {
  struct TStepAt {
    char where;  // a, b, or c (a child of b)
    TStep step;
    bool delivered;
    quint64 time = 0;
  };
  struct TCase {
    const char* what;
    std::vector<TStepAt> steps;
  };
  const TCase cases[] = {
      {"held in one window", {{'a', press, true}, {'a', repeat, true}, {'a', release, true}}},
      {"repeats and release elsewhere",
       {{'a', press, true},
        {'b', repeat, false},
        {'c', repeat, false},
        {'b', release, false},
        {'b', press, true},
        {'c', repeat, true},
        {'b', release, true}}},
      // Its release went astray (to a window a dialog blocked): a plain press is a new one,
      // wherever it lands, and takes the key there.
      {"a press elsewhere without the release",
       {{'a', press, true},
        {'b', press, true},
        {'c', repeat, true},
        {'a', repeat, false},
        {'b', release, true},
        {'b', press, true}}},
      {"a press in its own window without the release",
       {{'a', press, true}, {'a', press, true}, {'a', release, true}}},
      // A repeat can come as a plain release and press with one time stamp.
      {"unmarked repeats elsewhere",
       {{'a', press, true, 100},
        {'b', release, false, 700},
        {'b', press, false, 700},
        {'b', release, false, 740},
        {'b', press, false, 740},
        {'b', release, false, 790},
        {'b', press, true, 900},
        {'b', release, true, 950}}},
      {"unmarked repeats where it went down",
       {{'a', press, true, 100},
        {'a', release, true, 700},
        {'a', press, true, 700},
        {'a', release, true, 740}}},
      {"a child belongs to its window",
       {{'c', press, true}, {'b', repeat, true}, {'c', release, true}}},
      {"a release without a press",
       {{'b', release, false}, {'b', repeat, false}, {'b', press, true}, {'b', release, true}}},
  };
  for (const TCase& c : cases) {
    Origins().Clear();
    TWindow a, b;
    for (const TStepAt& s : c.steps) {
      QWidget& target = s.where == 'a' ? *a.w : s.where == 'b' ? *b.w : *b.child;
      TKeyCounter& counter = s.where == 'a' ? a.counter : b.counter;
      EXPECT_EQ(Send(target, s.step, counter, s.time), s.delivered)
          << c.what << ": " << s.where << " step " << int(s.step) << " at " << s.time;
    }
  }
}

TEST(KeyOrigins, AKeyHeldWhenItsWindowIsBlockedOrClosedBelongsNowhere) {
  Origins().Clear();
  TWindow a, b;
  ASSERT_TRUE(Send(*a.w, press, a.counter));
  QEvent blocked(QEvent::WindowBlocked);
  QApplication::sendEvent(a.w.get(), &blocked);
  EXPECT_FALSE(Send(*a.w, repeat, a.counter));
  EXPECT_FALSE(Send(*b.w, repeat, b.counter));
  EXPECT_FALSE(Send(*a.w, release, a.counter));
  EXPECT_TRUE(Send(*a.w, press, a.counter));  // pressed anew: a's again

  // Its release never came (dropped at the blocked window): the next press is a new one.
  Origins().Clear();
  ASSERT_TRUE(Send(*a.w, press, a.counter));
  QApplication::sendEvent(a.w.get(), &blocked);
  EXPECT_FALSE(Send(*b.w, repeat, b.counter));
  EXPECT_TRUE(Send(*b.w, press, b.counter));
  EXPECT_TRUE(Send(*b.w, release, b.counter));

  auto gone = std::make_unique<TWindow>();
  Origins().Clear();
  ASSERT_TRUE(Send(*gone->w, press, gone->counter));
  gone.reset();
  EXPECT_FALSE(Send(*b.w, repeat, b.counter));
  EXPECT_FALSE(Send(*b.w, release, b.counter));
  EXPECT_TRUE(Send(*b.w, press, b.counter));
  EXPECT_TRUE(Send(*b.w, release, b.counter));
  Origins().Clear();
}

// Counts the blocking events a window receives.
class TBlockCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::WindowBlocked) ++blocked;
    if (e->type() == QEvent::WindowUnblocked) ++unblocked;
    return false;
  }
  int blocked = 0;
  int unblocked = 0;
};

TEST(KeyOrigins, AScriptedDialogBlocksItsOwnerAsExecWould) {
  Origins().Clear();
  QWidget owner;
  TBlockCounter counter;
  owner.installEventFilter(&counter);
  owner.show();
  QDialog dialog(&owner);
  TScriptedModals modals;
  modals.Queue([&](QDialog& d) {
    EXPECT_TRUE(d.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), &d);
    EXPECT_EQ(counter.blocked, 1);  // what makes the owner's key state let go of its keys
    return mrOk;
  });
  EXPECT_EQ(modals.Exec(dialog), mrOk);
  EXPECT_EQ(counter.unblocked, 1);
  EXPECT_FALSE(dialog.isModal());  // back as it was
  EXPECT_FALSE(dialog.isVisible());
}

// Qt offers a press to the shortcuts before it delivers it: a press that is swallowed must not
// fire one (a key held from a closed window repeating into another one with a shortcut on it).
TEST(KeyOrigins, APressThatIsSwallowedFiresNoShortcut) {
  Origins().Clear();
  TWindow a, b;
  QAction action(b.w.get());
  action.setShortcut(QKeySequence(Qt::Key_X));
  b.w->addAction(&action);
  int fired = 0;
  QObject::connect(&action, &QAction::triggered, [&] { ++fired; });
  a.w->show();
  b.w->show();
  QApplication::setActiveWindow(a.w.get());
  QTest::keyPress(a.w.get(), Qt::Key_X);  // held in a
  QApplication::setActiveWindow(b.w.get());
  const auto send = [&](bool press, bool repeat) {
    QTest::simulateEvent(b.w.get(), press, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"), repeat);
  };
  send(true, true);  // its repeats
  send(true, true);
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(b.counter.count, 0);
  send(false, false);  // its release: still a's
  send(true, false);   // pressed anew in b
  EXPECT_EQ(fired, 1);
  Origins().Clear();
}

}  // namespace
