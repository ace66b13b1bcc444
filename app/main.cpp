#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Gravonaut %s\n", GRAVONAUT_PRODUCT_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QWidget w;
  w.show();
  return app.exec();
}
