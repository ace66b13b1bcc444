// The background picture: loading by extension, the error box of a file that fails to decode,
// and the maze painting its own background again without a picture.
#include <QImage>

#include "shell_fixture.h"

namespace {

using PictureTest = ShellTest;

TEST_F(PictureTest, BitmapAndJpegBecomeTheScaledBackground) {
  auto u = Start();
  for (const char* name : {"sky.bmp", "sky.JPG", "sky.jpeg"}) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(QColor(200, 10, 10));
    const std::string fn = Path(name).string();
    const QByteArray format = std::string(name).find("bmp") != std::string::npos ? "BMP" : "JPEG";
    ASSERT_TRUE(img.save(QString::fromStdString(fn), format.constData()));
    u->SetPicfn(fn);
    EXPECT_TRUE(dialogs.boxes.empty()) << name;
    EXPECT_EQ(u->picfn(), fn);
    ASSERT_EQ(u->Background().size(), u->size()) << name;
    EXPECT_EQ(u->Cave()->bkgrnd, &u->Background());
    // Resizing rescales it.
    u->resize(320, 240);
    EXPECT_EQ(u->Background().size(), QSize(320, 240));
    u->resize(800, 600);
  }
  u->SetPicfn("");
  EXPECT_EQ(u->picfn(), "");
  EXPECT_TRUE(u->Background().isNull());
  EXPECT_EQ(u->Cave()->bkgrnd, nullptr);
}

TEST_F(PictureTest, BackgroundShowsWhereTheMazeDoesNotPaint) {
  auto u = Start();
  u->TargetSize = 5;  // a small maze in the middle of the window
  u->FormResize();
  QImage img(8, 8, QImage::Format_RGB32);
  img.fill(QColor(0, 0, 200));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("sea.bmp").string()), "BMP"));
  u->SetPicfn(Path("sea.bmp").string());
  QImage frame(u->size(), QImage::Format_RGB32);
  u->PaintFrame(frame);
  EXPECT_EQ(frame.pixel(2, u->height() - 3) & 0xFFFFFF, 0x0000C8u);
  u->SetPicfn("");
  u->PaintFrame(frame);
  EXPECT_EQ(frame.pixel(2, u->height() - 3) & 0xFFFFFF, 0x000000u);  // outcolor again
}

TEST_F(PictureTest, CorruptJpegShowsTheErrorAndLeavesNoBackground) {
  auto u = Start();
  const std::string fn = Path("broken.jpg").string();
  WriteBytes(fn, "this is not a picture at all");
  u->SetPicfn(fn);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  const auto& box = dialogs.boxes[0];
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.icon, TMsgIcon::mi_error);
  const std::string tail = "'\n\n on loading picture file:\n\n'" + fn + "'";
  ASSERT_GT(box.text.size(), tail.size() + 2);
  EXPECT_EQ(box.text.front(), '\'');
  EXPECT_EQ(box.text.substr(box.text.size() - tail.size()), tail) << box.text;
  EXPECT_EQ(box.text.find("/n"), std::string::npos);
  EXPECT_EQ(u->picfn(), "");
  EXPECT_TRUE(u->Background().isNull());
  EXPECT_EQ(u->Cave()->bkgrnd, nullptr);
}

TEST_F(PictureTest, OtherExtensionsAndMissingFilesAreIgnoredQuietly) {
  auto u = Start();
  QImage img(4, 4, QImage::Format_RGB32);
  img.fill(Qt::white);
  ASSERT_TRUE(img.save(QString::fromStdString(Path("ok.png").string()), "PNG"));
  ASSERT_TRUE(img.save(QString::fromStdString(Path("ok.bmp").string()), "BMP"));
  u->SetPicfn(Path("ok.bmp").string());
  for (const std::string& name : {Path("ok.png").string(), Path("absent.jpg").string()}) {
    EXPECT_FALSE(u->LoadPicture(name)) << name;
    u->SetPicfn(name);
    EXPECT_EQ(u->picfn(), "") << name;
    EXPECT_TRUE(u->Background().isNull()) << name;
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
