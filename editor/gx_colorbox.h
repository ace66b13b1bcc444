#pragma once
// TColorBox: a drop-down list of colours for the editor's property controls.
//
// It lists "Custom..." (a colour dialog), "Default" (the box's own default colour), "None"
// (clNone), the 16 standard colours, 4 extended ones and the desktop's system colours, each
// with a swatch. A colour that is none of these shows as a "Custom" entry. SetSelected shows a
// colour without a signal; ColorPicked is emitted only when the user chooses one, so the
// window can fill the box from the document without echoing an edit back.
#include <QComboBox>

#include "qor_types.h"

class TModalService;

class TColorBox : public QComboBox {
  Q_OBJECT

 public:
  // default_color is the value of the "Default" entry; its swatch shows default_swatch (the
  // fill box's default is blue, shown in teal).
  TColorBox(TColor default_color, TColor default_swatch, TModalService& modals,
            QWidget* parent = nullptr);
  TColorBox(TColor default_color, TModalService& modals, QWidget* parent = nullptr)
      : TColorBox(default_color, default_color, modals, parent) {}

  TColor Selected() const;
  // Shows c: its named entry, else "Default" or "None" when it is their value, else a custom
  // entry. No signal.
  void SetSelected(TColor c);
  TColor DefaultColor() const { return default_; }
  // The entry that shows c, or -1.
  int IndexOfColor(TColor c) const;

  // What each entry is (the item data of role kKindRole).
  enum TKind { ck_ask = 0, ck_custom = 1, ck_default = 2, ck_none = 3, ck_named = 4 };
  static constexpr int kKindRole = Qt::UserRole;
  static constexpr int kColorRole = Qt::UserRole + 1;

 signals:
  void ColorPicked(TColor c);

 private:
  void OnActivated(int index);
  void ShowCustom(TColor c);
  int last_ = 0;  // the entry shown before the user opened the list
  TColor default_;
  TModalService& modals_;
};
