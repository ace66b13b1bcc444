#include "qt_keystate.h"

#include <QEvent>
#include <QKeyEvent>

namespace {

// Windows virtual-key codes that the game and its tables use beside those in gx_keystate.h.
constexpr std::uint8_t kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kPrior = 0x21, kNext = 0x22,
                       kEnd = 0x23, kHome = 0x24, kInsert = 0x2D, kDelete = 0x2E, kNumpad0 = 0x60,
                       kMultiply = 0x6A, kDecimal = 0x6E, kDivide = 0x6F, kLShift = 0xA0,
                       kRShift = 0xA1, kRControl = 0xA3, kRMenu = 0xA5, kOem1 = 0xBA,
                       kOemPlus = 0xBB, kOemComma = 0xBC, kOemMinus = 0xBD, kOemPeriod = 0xBE,
                       kOem2 = 0xBF, kOem3 = 0xC0, kOem4 = 0xDB, kOem5 = 0xDC, kOem6 = 0xDD,
                       kOem7 = 0xDE;

}  // namespace

std::uint8_t TQtKeyState::VirtualKeyFromKeysym(std::uint32_t keysym) {
  // Latin letters and digits: the keysym is the character.
  if (keysym >= 'a' && keysym <= 'z') return static_cast<std::uint8_t>(keysym - 'a' + 'A');
  if (keysym >= 'A' && keysym <= 'Z') return static_cast<std::uint8_t>(keysym);
  if (keysym >= '0' && keysym <= '9') return static_cast<std::uint8_t>(keysym);
  // Function keys F1 .. F12.
  if (keysym >= 0xffbe && keysym <= 0xffc9)
    return static_cast<std::uint8_t>(vk::F1 + (keysym - 0xffbe));
  // Keypad digits with Num Lock on.
  if (keysym >= 0xffb0 && keysym <= 0xffb9)
    return static_cast<std::uint8_t>(kNumpad0 + (keysym - 0xffb0));
  switch (keysym) {
    case 0x20:
      return vk::Space;
    case 0xff1b:
      return vk::Escape;
    case 0xff08:
      return kBack;
    case 0xff09:
    case 0xfe20:
      return kTab;  // Tab, ISO_Left_Tab (Shift+Tab)
    case 0xff0d:
    case 0xff8d:
      return kReturn;  // Return, KP_Enter
    case 0xff51:
    case 0xff96:
      return vk::Left;  // the keypad arrows with Num Lock off too
    case 0xff52:
    case 0xff97:
      return vk::Up;
    case 0xff53:
    case 0xff98:
      return vk::Right;
    case 0xff54:
    case 0xff99:
      return vk::Down;
    case 0xff50:
    case 0xff95:
      return kHome;
    case 0xff57:
    case 0xff9c:
      return kEnd;
    case 0xff55:
    case 0xff9a:
      return kPrior;
    case 0xff56:
    case 0xff9b:
      return kNext;
    case 0xff63:
    case 0xff9e:
      return kInsert;
    case 0xffff:
    case 0xff9f:
      return kDelete;
    case 0xffab:
      return vk::Add;  // KP_Add
    case 0xffad:
      return vk::Subtract;  // KP_Subtract
    case 0xffaa:
      return kMultiply;
    case 0xffaf:
      return kDivide;
    case 0xffae:
    case 0xffac:
      return kDecimal;  // KP_Decimal, KP_Separator
    case 0xffe1:
      return kLShift;
    case 0xffe2:
      return kRShift;
    case 0xffe3:
      return vk::LControl;
    case 0xffe4:
      return kRControl;
    case 0xffe9:
      return vk::LMenu;
    case 0xffea:
    case 0xfe03:
      return kRMenu;  // Alt_R, ISO_Level3_Shift (AltGr)
    case ';':
    case ':':
      return kOem1;
    case '=':
    case '+':
      return kOemPlus;  // the main-keyboard "+" is not the keypad's
    case ',':
    case '<':
      return kOemComma;
    case '-':
    case '_':
      return kOemMinus;
    case '.':
    case '>':
      return kOemPeriod;
    case '/':
    case '?':
      return kOem2;
    case '`':
    case '~':
      return kOem3;
    case '[':
    case '{':
      return kOem4;
    case '\\':
    case '|':
      return kOem5;
    case ']':
    case '}':
      return kOem6;
    case '\'':
    case '"':
      return kOem7;
    default:
      return 0;
  }
}

std::uint8_t TQtKeyState::VirtualKeyFromQtKey(int key, bool keypad) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::uint8_t>(key);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<std::uint8_t>(keypad ? kNumpad0 + (key - Qt::Key_0) : key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    return static_cast<std::uint8_t>(vk::F1 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Backspace:
      return kBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kReturn;
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Home:
      return kHome;
    case Qt::Key_End:
      return kEnd;
    case Qt::Key_PageUp:
      return kPrior;
    case Qt::Key_PageDown:
      return kNext;
    case Qt::Key_Insert:
      return kInsert;
    case Qt::Key_Delete:
      return kDelete;
    case Qt::Key_Plus:
      return keypad ? vk::Add : kOemPlus;
    case Qt::Key_Minus:
      return keypad ? vk::Subtract : kOemMinus;
    case Qt::Key_Asterisk:
      return keypad ? kMultiply : 0;
    case Qt::Key_Slash:
      return keypad ? kDivide : kOem2;
    case Qt::Key_Period:
      return keypad ? kDecimal : kOemPeriod;
    case Qt::Key_Shift:
      return kLShift;
    case Qt::Key_Control:
      return vk::LControl;
    case Qt::Key_Alt:
      return vk::LMenu;
    case Qt::Key_AltGr:
      return kRMenu;
    case Qt::Key_Equal:
      return kOemPlus;
    case Qt::Key_Comma:
      return kOemComma;
    case Qt::Key_Semicolon:
      return kOem1;
    case Qt::Key_QuoteLeft:
      return kOem3;
    case Qt::Key_BracketLeft:
      return kOem4;
    case Qt::Key_Backslash:
      return kOem5;
    case Qt::Key_BracketRight:
      return kOem6;
    case Qt::Key_Apostrophe:
      return kOem7;
    default:
      return 0;
  }
}

std::uint8_t TQtKeyState::VirtualKey(const QKeyEvent& e) {
  if (const std::uint32_t sym = e.nativeVirtualKey(); sym != 0) {
    if (const std::uint8_t code = VirtualKeyFromKeysym(sym); code != 0) return code;
  }
  return VirtualKeyFromQtKey(e.key(), e.modifiers().testFlag(Qt::KeypadModifier));
}

std::array<std::uint8_t, 256> TQtKeyState::IdentityMap() {
  std::array<std::uint8_t, 256> map{};
  for (int i = 0; i < 256; ++i) map[i] = static_cast<std::uint8_t>(i);
  return map;
}

void TQtKeyState::SetKeyMap(const std::array<std::uint8_t, 256>& map) {
  ReleaseAll();
  map_ = map;
  map_[0] = 0;
}

void TQtKeyState::UpdateDown(std::uint8_t code) {
  if (code == 0) return;
  bool down = false;
  for (int p = 0; p < 256 && !down; ++p) down = physical_down_[p] && map_[p] == code;
  down_[code] = down;
}

void TQtKeyState::SetPadKey(std::uint8_t vk, bool down) {
  if (down && !pad_down_[vk]) pressed_[vk] = true;
  pad_down_[vk] = down;
}

void TQtKeyState::KeyPress(const QKeyEvent& e) {
  if (e.isAutoRepeat()) return;
  const std::uint8_t physical = VirtualKey(e);
  if (physical == 0) return;
  if (e.nativeScanCode() != 0) by_scancode_[e.nativeScanCode()] = physical;
  physical_down_[physical] = true;
  if (const std::uint8_t code = map_[physical]; code != 0) {
    down_[code] = true;
    pressed_[code] = true;
  }
}

void TQtKeyState::KeyRelease(const QKeyEvent& e) {
  if (e.isAutoRepeat()) return;
  std::uint8_t physical = 0;
  if (auto it = by_scancode_.find(e.nativeScanCode());
      e.nativeScanCode() != 0 && it != by_scancode_.end()) {
    physical = it->second;
    by_scancode_.erase(it);
  } else {
    physical = VirtualKey(e);
  }
  if (physical == 0) return;
  physical_down_[physical] = false;
  UpdateDown(map_[physical]);
}

void TQtKeyState::ReleaseAll() {
  physical_down_.fill(false);
  down_.fill(false);
  pad_down_.fill(false);
  by_scancode_.clear();
}

TKeyQuery TQtKeyState::Query(std::uint8_t vk) {
  TKeyQuery q{down_[vk] || pad_down_[vk], pressed_[vk]};
  pressed_[vk] = false;
  return q;
}

bool TQtKeyState::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      KeyPress(*static_cast<QKeyEvent*>(event));
      break;
    case QEvent::KeyRelease:
      KeyRelease(*static_cast<QKeyEvent*>(event));
      break;
    case QEvent::FocusOut:
    case QEvent::WindowDeactivate:
    case QEvent::WindowBlocked:  // a modal dialog has the keyboard now
    case QEvent::Hide:
      ReleaseAll();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
