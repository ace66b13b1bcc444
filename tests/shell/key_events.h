#pragma once
// Key events as the desktop delivers them, for the window and dialog tests: a key of its own
// (Qt key, text, X keysym and scan code), pressed, repeated and released at a widget.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QString>

struct TTestKey {
  Qt::Key key;
  const char* text;
  quint32 keysym;
  quint32 scancode;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
};

namespace test_keys {
inline const TTestKey Escape{Qt::Key_Escape, "\x1b", 0xff1b, 9};
inline const TTestKey Return{Qt::Key_Return, "\r", 0xff0d, 36};
inline const TTestKey LControl{Qt::Key_Control, "", 0xffe3, 37, Qt::ControlModifier};
inline const TTestKey LAlt{Qt::Key_Alt, "", 0xffe9, 64, Qt::AltModifier};
inline const TTestKey Left{Qt::Key_Left, "", 0xff51, 113};
inline const TTestKey Right{Qt::Key_Right, "", 0xff53, 114};
inline const TTestKey Up{Qt::Key_Up, "", 0xff52, 111};
inline const TTestKey Down{Qt::Key_Down, "", 0xff54, 116};
inline const TTestKey R{Qt::Key_R, "r", 'r', 27};
inline const TTestKey C{Qt::Key_C, "c", 'c', 54};
inline const TTestKey S{Qt::Key_S, "s", 's', 39};
inline const TTestKey F1{Qt::Key_F1, "", 0xffbe, 67};
}  // namespace test_keys

// Sends one key event through the application, as the desktop would.
inline void SendKey(QWidget& w, QEvent::Type type, const TTestKey& k, bool autorepeat = false,
                    quint64 time = 0) {
  QKeyEvent e(type, k.key, k.mods, k.scancode, k.keysym, 0, QString::fromLatin1(k.text),
              autorepeat);
  e.setTimestamp(time);
  QApplication::sendEvent(&w, &e);
}
inline void Press(QWidget& w, const TTestKey& k) {
  SendKey(w, QEvent::KeyPress, k);
}
inline void Release(QWidget& w, const TTestKey& k) {
  SendKey(w, QEvent::KeyRelease, k);
}
// A held key repeats as release and press pairs marked as repeats.
inline void Repeat(QWidget& w, const TTestKey& k) {
  SendKey(w, QEvent::KeyRelease, k, true);
  SendKey(w, QEvent::KeyPress, k, true);
}
// The same pair as X11 sends it, which Qt does not always mark: one time stamp for both.
inline void UnmarkedRepeat(QWidget& w, const TTestKey& k, quint64 time) {
  SendKey(w, QEvent::KeyRelease, k, false, time);
  SendKey(w, QEvent::KeyPress, k, false, time);
}
inline void Stroke(QWidget& w, const TTestKey& k) {
  Press(w, k);
  Release(w, k);
}

// Where the keyboard goes in a dialog: its focus widget, else the dialog itself.
inline QWidget& KeyTarget(QDialog& d) {
  QWidget* f = d.focusWidget();
  return f ? *f : d;
}
