#pragma once
// THelpForm: the modal help dialog the main window opens with F1 (the game is frozen behind
// it). It lists the game's keys, named from the game's key table, and lets the player choose
// or clear the background picture. It only edits the file name: the main window loads the
// picture when the dialog closes with OK ("&Play" or Enter); the window's close button and
// Esc discard the choice.
#include <QDialog>
#include <string>

#include "gx_keybindings.h"
#include "gx_mazegame.h"

class QLabel;
class QPushButton;
class TDialogService;

class THelpForm : public QDialog {
 public:
  // dialogs answers the open-file dialog of the picture button.
  explicit THelpForm(TDialogService& dialogs, QWidget* owner = nullptr);
  THelpForm(const THelpForm&) = delete;
  THelpForm& operator=(const THelpForm&) = delete;

  const std::string& picfn() const { return Fpicfn; }
  // Shows the file-name part of v (or "Maze background color" for none); the clear button is
  // there exactly when a picture is chosen.
  void SetPicfn(const std::string& v);

  // The display name of a virtual-key code (0 .. 255); empty for a code without one.
  static std::string KeyName(int code);
  // The names of a key-table entry: primary and alternate joined by "/", or the one that has
  // a name.
  static std::string KeyText(const TKeyList& keys);

  // The open-file dialog for the picture; a chosen file becomes picfn (not loaded here).
  // The game actions' keys as the player bound them (the default table until called).
  void SetKeys(const TKeyBindings& keys);

  void bChgBgClick();
  void bClearClick();

  // The filter of the picture dialog.
  static const char* const kPictureFilter;

  QLabel* lbkgrnd = nullptr;
  QPushButton* bChgBg = nullptr;
  QPushButton* bClear = nullptr;
  QPushButton* bPlay = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void ShowKeys();
  TKeyBindings keys_ = TKeyBindings::Defaults();
  QLabel* AddLabel(const QString& text, int x, int y, int width, const char* name = nullptr);

  TDialogService& dialogs_;
  std::string Fpicfn;
  bool centred_ = false;
};
