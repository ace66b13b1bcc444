#pragma once
// Message boxes and file dialogs, as the game and the editor ask for them.
//
// The windows never show a dialog box themselves: they ask this service, so that tests (and
// the editor's monkey test) answer every question without a person. The desktop service
// (platform/qt) shows real dialogs owned by the active window; the recording double
// (platform/testing) writes down every question and answers it from a script.
#include <optional>
#include <string>

enum class TMsgIcon { mi_error, mi_information, mi_question };
enum class TMsgButtons { mb_ok, mb_yesno };

// Modal results as the windows use them.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

// What an open or save dialog is asked with.
struct TFileDialogOptions {
  // Description/pattern pairs separated by "|": "Maze file (*.mze)|*.mze|All|*.*".
  std::string filter;
  // The pair selected at the start, counted from 1.
  int filterIndex = 1;
  // Appended when the chosen name has no extension; "*.mze" and "mze" mean the same.
  std::string defaultExt;
  // Where the dialog starts; empty: the working directory.
  std::string initialDir;
  // The name shown at the start (with or without a directory).
  std::string fileName;
  // Only an existing file may be chosen.
  bool mustExist = false;
  // The window title; empty: the desktop's own ("Open", "Save As").
  std::string title;
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;

  // A modal message box; returns mrOk for an OK box, mrYes or mrNo for a Yes/No box.
  virtual int MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon,
                         TMsgButtons buttons) = 0;
  // The full name of the file chosen, or nothing when the player cancelled.
  virtual std::optional<std::string> OpenFile(const TFileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFile(const TFileDialogOptions& options) = 0;

  // An error reaches the player as a box captioned "Error" with the error icon.
  void ShowError(const std::string& text) {
    MessageBox(text, "Error", TMsgIcon::mi_error, TMsgButtons::mb_ok);
  }
  // A Yes/No question captioned "Confirm"; true on Yes.
  bool Confirm(const std::string& text, TMsgIcon icon = TMsgIcon::mi_question,
               const std::string& caption = "Confirm") {
    return MessageBox(text, caption, icon, TMsgButtons::mb_yesno) == mrYes;
  }
};

// The desktop file dialogs take the filter as Qt writes it; this turns "Desc|pattern|..."
// into ";;"-separated "Desc (pattern1 pattern2)" entries. A description that already names
// its patterns in brackets is kept as it is. Pure string work, so it is tested headless.
std::string DesktopFilter(const std::string& filter);
// The entry of DesktopFilter(filter) for the 1-based pair index (the first when out of range).
std::string DesktopFilterEntry(const std::string& filter, int index);
// The extension of a default-extension text without "*." ("*.mze" -> "mze").
std::string PlainExtension(const std::string& defaultExt);
