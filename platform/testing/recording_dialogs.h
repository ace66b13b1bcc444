#pragma once
// A dialog service for tests: it records every message box and file dialog asked for and
// answers them from a script, showing nothing.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "gx_dialogs.h"

class TRecordingDialogs : public TDialogService {
 public:
  struct TBox {
    std::string text;
    std::string caption;
    TMsgIcon icon;
    TMsgButtons buttons;
  };
  struct TFileAsk {
    bool save;  // a save dialog (else an open dialog)
    TFileDialogOptions options;
  };

  // Yes/No boxes are answered with the next queued answer, then with the default answer.
  explicit TRecordingDialogs(int answer = mrOk) : answer_(answer) {}
  void SetAnswer(int answer) { answer_ = answer; }
  void QueueAnswer(int answer) { answers_.push_back(answer); }

  // File dialogs are answered with the next queued name; nothing queued means cancelled.
  void QueueFile(std::optional<std::string> name) { files_.push_back(std::move(name)); }

  int MessageBox(const std::string& text, const std::string& caption, TMsgIcon icon,
                 TMsgButtons buttons) override {
    boxes.push_back({text, caption, icon, buttons});
    if (buttons == TMsgButtons::mb_ok) return mrOk;
    if (!answers_.empty()) {
      const int a = answers_.front();
      answers_.pop_front();
      return a;
    }
    return answer_;
  }
  std::optional<std::string> OpenFile(const TFileDialogOptions& options) override {
    return Ask(false, options);
  }
  std::optional<std::string> SaveFile(const TFileDialogOptions& options) override {
    return Ask(true, options);
  }

  // Forgets what was recorded (the script stays).
  void Clear() {
    boxes.clear();
    fileAsks.clear();
  }

  std::vector<TBox> boxes;
  std::vector<TFileAsk> fileAsks;

 private:
  std::optional<std::string> Ask(bool save, const TFileDialogOptions& options) {
    fileAsks.push_back({save, options});
    if (files_.empty()) return std::nullopt;
    std::optional<std::string> name = std::move(files_.front());
    files_.pop_front();
    return name;
  }

  int answer_;
  std::deque<int> answers_;
  std::deque<std::optional<std::string>> files_;
};
