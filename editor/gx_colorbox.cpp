#include "gx_colorbox.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

#include "colors.h"
#include "qt_canvas.h"
#include "qt_dialogs.h"

namespace {

struct TNamedColor {
  const char* name;
  TColor color;
};

// Red in the lowest byte, as everywhere in the game.
constexpr TNamedColor kStandard[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

constexpr TNamedColor kExtended[] = {
    {"Money Green", 0xC0DCC0},
    {"Sky Blue", 0xF0CAA6},
    {"Cream", 0xF0FBFF},
    {"Medium Gray", 0xA4A0A0},
};

// The system colours by index (see colors.h); the unused index 25 is left out.
constexpr const char* kSystemNames[kSystemColorCount] = {
    "Scroll Bar",
    "Desktop",
    "Active Caption",
    "Inactive Caption",
    "Menu",
    "Window",
    "Window Frame",
    "Menu Text",
    "Window Text",
    "Caption Text",
    "Active Border",
    "Inactive Border",
    "App Workspace",
    "Highlight",
    "Highlight Text",
    "Button Face",
    "Button Shadow",
    "Gray Text",
    "Button Text",
    "Inactive Caption Text",
    "Button Highlight",
    "3D Dark Shadow",
    "3D Light",
    "Info Text",
    "Info Background",
    nullptr,
    "Hot Light",
    "Gradient Active Caption",
    "Gradient Inactive Caption",
    "Menu Highlight",
    "Menu Bar",
};

QIcon Swatch(TColor c, bool none = false) {
  QPixmap pm(16, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  if (none) {
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 15, 11);
    p.setPen(QPen(QColor(200, 0, 0), 1));
    p.drawLine(1, 10, 14, 1);
  } else {
    p.setBrush(QColor(TColorToQRgb(c)));
    p.drawRect(0, 0, 15, 11);
  }
  return QIcon(pm);
}

}  // namespace

TColorBox::TColorBox(TColor default_color, TColor default_swatch, TModalService& modals,
                     QWidget* parent)
    : QComboBox(parent), default_(default_color), modals_(modals) {
  const auto add = [this](const QIcon& icon, const QString& text, TKind kind, TColor c) {
    addItem(icon, text);
    setItemData(count() - 1, static_cast<int>(kind), kKindRole);
    setItemData(count() - 1, static_cast<int>(c), kColorRole);
  };
  add(QIcon(), QStringLiteral("Custom..."), ck_ask, 0);
  add(Swatch(default_swatch), QStringLiteral("Default"), ck_default, default_color);
  add(Swatch(clNone, true), QStringLiteral("None"), ck_none, clNone);
  for (const TNamedColor& c : kStandard) add(Swatch(c.color), c.name, ck_named, c.color);
  for (const TNamedColor& c : kExtended) add(Swatch(c.color), c.name, ck_named, c.color);
  for (int i = 0; i < kSystemColorCount; ++i) {
    if (!kSystemNames[i]) continue;
    const TColor c = clSystemColor | i;
    add(Swatch(c), kSystemNames[i], ck_named, c);
  }
  setMaxVisibleItems(24);
  SetSelected(default_color);
  connect(this, &QComboBox::activated, this, &TColorBox::OnActivated);
}

TColor TColorBox::Selected() const {
  return static_cast<TColor>(itemData(currentIndex(), kColorRole).toInt());
}

int TColorBox::IndexOfColor(TColor c) const {
  int fallback = -1;
  for (int i = 0; i < count(); ++i) {
    const int kind = itemData(i, kKindRole).toInt();
    if (kind == ck_ask || static_cast<TColor>(itemData(i, kColorRole).toInt()) != c) continue;
    if (kind == ck_named) return i;
    if (fallback < 0) fallback = i;
  }
  return fallback;
}

void TColorBox::ShowCustom(TColor c) {
  int custom = -1;
  for (int i = 0; i < count(); ++i) {
    if (itemData(i, kKindRole).toInt() == ck_custom) custom = i;
  }
  if (custom < 0) {
    insertItem(1, QString());
    custom = 1;
    setItemData(custom, static_cast<int>(ck_custom), kKindRole);
  }
  setItemText(custom, QStringLiteral("Custom"));
  setItemIcon(custom, Swatch(c));
  setItemData(custom, static_cast<int>(c), kColorRole);
  setCurrentIndex(custom);
}

void TColorBox::SetSelected(TColor c) {
  const int i = IndexOfColor(c);
  if (i >= 0) {
    setCurrentIndex(i);
  } else {
    ShowCustom(c);
  }
  last_ = currentIndex();
}

void TColorBox::OnActivated(int index) {
  if (itemData(index, kKindRole).toInt() == ck_ask) {
    const TColor before = static_cast<TColor>(itemData(last_, kColorRole).toInt());
    QColorDialog dialog(QColor(TColorToQRgb(before)), this);
    if (modals_.Exec(dialog) != QDialog::Accepted) {
      setCurrentIndex(last_);
      return;
    }
    const TColor c = QRgbToTColor(dialog.currentColor().rgb());
    SetSelected(c);
    emit ColorPicked(c);
    return;
  }
  last_ = index;
  emit ColorPicked(Selected());
}
