#pragma once
// The asynchronous key state on Qt: Qt has no such query, so this tracker is fed by a window's
// key events and keeps, per Windows virtual-key code, "down now" and "pressed since the last
// query of that key". Install it as an event filter on the window whose keys the game reads.
//
// Under X11 QKeyEvent::nativeVirtualKey() is the X keysym, which tells Left Control from Right
// Control, Left Alt from Right Alt and the keypad from the main keys; the Qt key code is the
// fallback on platforms that give no keysym.
#include <QObject>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "gx_keystate.h"

class QKeyEvent;

class TQtKeyState : public QObject, public TKeyStateService {
 public:
  explicit TQtKeyState(QObject* parent = nullptr) : QObject(parent) {}

  TKeyQuery Query(std::uint8_t vk) override;
  bool IsDown(std::uint8_t vk) const { return down_[vk] || pad_down_[vk]; }

  // Which code each physical key reports (0: none); the player's bindings. Without one every
  // key reports itself. Keys held at the change count as let go.
  void SetKeyMap(const std::array<std::uint8_t, 256>& map);
  // The game controller's share: a code held by the pad, or pressed and let go by it between
  // two queries (seen once as pressed). A code is down while the keyboard or the pad holds it.
  void SetPadKey(std::uint8_t vk, bool down);
  void TapPadKey(std::uint8_t vk) { pressed_[vk] = true; }
  void ReleasePad() { pad_down_.fill(false); }

  // Key events of the watched window; auto-repeats change nothing.
  void KeyPress(const QKeyEvent& e);
  void KeyRelease(const QKeyEvent& e);
  // Every key counts as released, as happens when the window loses the keyboard: otherwise a
  // key let go in another window would stay down here (thrust that never stops).
  void ReleaseAll();

  // Watches key, focus and activation events of the objects it is installed on; never
  // consumes an event.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The virtual-key code of an X keysym, or 0 when the game has none for it.
  static std::uint8_t VirtualKeyFromKeysym(std::uint32_t keysym);
  // The virtual-key code of a Qt key; without a keysym left and right cannot be told apart,
  // so Control and Alt count as the left ones. The keypad modifier picks the keypad codes.
  static std::uint8_t VirtualKeyFromQtKey(int key, bool keypad);
  // The keysym when the event has one the game knows, else the Qt key.
  static std::uint8_t VirtualKey(const QKeyEvent& e);

 private:
  // The code the model sees is down while any physical key reporting it is down.
  void UpdateDown(std::uint8_t code);

  std::array<std::uint8_t, 256> map_ = IdentityMap();
  static std::array<std::uint8_t, 256> IdentityMap();
  std::array<bool, 256> physical_down_{};
  std::array<bool, 256> down_{};
  std::array<bool, 256> pad_down_{};
  std::array<bool, 256> pressed_{};
  // The physical code each key went down as, so that its release clears the same code even
  // when Shift or Num Lock changed the keysym in between.
  std::unordered_map<std::uint32_t, std::uint8_t> by_scancode_;
};
