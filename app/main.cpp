// The gravonaut program: reads its command line, then opens the game window.
#include <QApplication>
#include <QKeyEvent>
#include <cstdio>
#include <string>
#include <vector>

#include "options.h"
#include "qt_control.h"

namespace {

// The window until the game itself arrives: the name on black, closed with Escape.
class TStartWindow : public TQtImage {
 public:
  TStartWindow() {
    setWindowTitle("Gravonaut");
    setFocusPolicy(Qt::StrongFocus);
    resize(800, 600);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    TQtImage::resizeEvent(event);
    TCanvas& cv = Canvas();
    cv.Pen.Style = TPenStyle::psClear;
    cv.Brush = TBrush{clBlack, bsSolid};
    cv.Rectangle(0, 0, ClientWidth(), ClientHeight());
    cv.Brush.Style = bsClear;
    cv.Font.Name = "Arial";
    cv.Font.Bold = true;
    cv.Font.Size = 28;
    cv.Font.Color = 0x0000FF00;  // lime
    const std::string title = "Gravonaut " GRAVONAUT_PRODUCT_VERSION;
    cv.TextOut((ClientWidth() - cv.TextWidth(title)) / 2,
               ClientHeight() / 2 - cv.TextHeight(title), title);
    cv.Font.Bold = false;
    cv.Font.Size = 10;
    cv.Font.Color = 0x00C0C0C0;
    const std::string hint = "Esc closes the window";
    cv.TextOut((ClientWidth() - cv.TextWidth(hint)) / 2, ClientHeight() / 2 + 10, hint);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      close();
      return;
    }
    TQtImage::keyPressEvent(event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const TCommandLine cmd = ParseCommandLine(args, "gravonaut", GRAVONAUT_PRODUCT_VERSION);
  if (cmd.action != TCommandLine::caRun) {
    std::FILE* out = cmd.action == TCommandLine::caError ? stderr : stdout;
    std::fputs(cmd.text.c_str(), out);
    return cmd.exitCode;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Gravonaut");
  QApplication::setApplicationVersion(GRAVONAUT_PRODUCT_VERSION);
  InitScreenPixelsPerInch();

  TStartWindow window;
  window.show();
  return app.exec();
}
