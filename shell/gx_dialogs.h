#pragma once
// Message boxes of the game shell, behind an interface so that the windows can be driven in
// tests: the real service shows QMessageBox, the test double records each box and answers it.
#include <QString>
#include <string>
#include <vector>

class QWidget;

enum class TMsgIcon { mi_error, mi_information, mi_question };
enum class TMsgButtons { mb_ok, mb_yesno };

// Modal results as the windows use them.
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // Shows a modal message box owned by owner (may be null) and returns the button chosen.
  virtual int MessageBox(QWidget* owner, const QString& text, const QString& caption, TMsgIcon icon,
                         TMsgButtons buttons) = 0;

  // An error reaches the player as a box captioned "Error" with the error icon.
  void ShowError(QWidget* owner, const std::string& text) {
    MessageBox(owner, QString::fromStdString(text), QStringLiteral("Error"), TMsgIcon::mi_error,
               TMsgButtons::mb_ok);
  }
};

// The desktop message boxes.
class TQtDialogService : public TDialogService {
 public:
  int MessageBox(QWidget* owner, const QString& text, const QString& caption, TMsgIcon icon,
                 TMsgButtons buttons) override;
};

// The service the windows use when none is given to them.
TDialogService& DefaultDialogService();

// Records every box and answers it without showing anything.
class TRecordingDialogs : public TDialogService {
 public:
  struct TBox {
    std::string text;
    std::string caption;
    TMsgIcon icon;
    TMsgButtons buttons;
  };
  explicit TRecordingDialogs(int answer = mrOk) : answer_(answer) {}
  int MessageBox(QWidget*, const QString& text, const QString& caption, TMsgIcon icon,
                 TMsgButtons buttons) override {
    boxes.push_back({text.toStdString(), caption.toStdString(), icon, buttons});
    return buttons == TMsgButtons::mb_ok ? mrOk : answer_;
  }
  void SetAnswer(int answer) { answer_ = answer; }

  std::vector<TBox> boxes;

 private:
  int answer_;
};
