#include "qt_bitmap.h"

#include <QImageReader>
#include <QString>

#include "qor_errors.h"

TColor TQtBitmap::PixelAt(int x, int y) const {
  const QImage& image = canvas_.Image();
  if (!image.valid(x, y)) return -1;
  return QRgbToTColor(image.pixel(x, y));
}

void TQtBitmap::LoadFromFile(const std::string& fileName) {
  QImageReader reader(QString::fromStdString(fileName));
  QImage image = reader.read();
  if (image.isNull()) {
    const QString reason = reader.errorString();
    throw EQorError(reason.isEmpty() ? std::string("The picture cannot be decoded")
                                     : reason.toStdString());
  }
  canvas_.SetImage(image);
}
