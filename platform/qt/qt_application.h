#pragma once
// The game's application object. An error that escapes an event handler (a key, a click, a
// timer tick) must not leave Qt's event dispatch, which is undefined behaviour there; it is
// caught here, once, and shown in an "Error" box with its text, and the program goes on.
//
// It also keeps every key to the window it was pressed in (TKeyOrigins): a key held while a
// dialog opens or closes sends its auto-repeats and its release to whichever window has the
// keyboard next, and none of them may act there (Escape held after closing the help dialog
// must not quit the game, C held after closing it must not clear the best time).
#include <QApplication>
#include <QPointer>
#include <cstdint>
#include <unordered_map>

class QKeyEvent;
class TDialogService;

// Which window each key now held went down in. A key event reaches a window only when the key
// went down there and that window has kept the keyboard since: auto-repeats and the release of
// a key pressed in another window (also one that has closed since), or held while a modal
// dialog blocked its window, are swallowed. A press that is no repeat is a new press wherever
// it lands: the key then belongs to that window (its release may have gone to another window
// or never arrived at all, because its window was blocked when it came). Under X11 a held key
// repeats as a release and a press with the same time stamp, which Qt does not always mark as
// a repeat: such a press counts as a repeat here. A press that is swallowed fires no shortcut
// either.
class TKeyOrigins {
 public:
  // True when the event may be delivered to receiver.
  bool Pass(QObject* receiver, const QKeyEvent& event) {
    return Pass(receiver, event, IsPress(event));
  }
  // Qt tries a press as a shortcut (asking the focus with a ShortcutOverride event) before it
  // delivers it: true when the press would be delivered, and so may act as a shortcut.
  bool PassShortcut(QObject* receiver, const QKeyEvent& event) const;
  // The window no longer has the keyboard: its held keys belong nowhere until released.
  void Blocked(const QWidget* window);
  // No key counts as held any more (the application lost the keyboard, whose releases now go
  // elsewhere).
  void Clear() { keys_.clear(); }

 private:
  static std::uint64_t KeyId(const QKeyEvent& event);
  static bool IsPress(const QKeyEvent& event);
  bool Pass(QObject* receiver, const QKeyEvent& event, bool press);

  struct TKey {
    QPointer<QWidget> window;  // null once the window has gone or was blocked
    bool down = false;
    std::uint64_t released_at = 0;  // time stamp of the last release, 0: none
  };
  std::unordered_map<std::uint64_t, TKey> keys_;
};

class TGameApplication : public QApplication {
 public:
  TGameApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Where the error boxes go; null: the desktop's message boxes.
  static void SetErrorDialogs(TDialogService* dialogs);
  static TDialogService& ErrorDialogs();

  TKeyOrigins& KeyOrigins() { return key_origins_; }

 private:
  TKeyOrigins key_origins_;
};
