#include "gx_playview.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <optional>

#include "gx_mazegame.h"
#include "gx_motion.h"
#include "gx_random.h"
#include "gx_rocket.h"
#include "qor_matrix.h"
#include "qt_canvas.h"

namespace {

constexpr TColor kGreen = 0x0000FF00;

void SetWindowFont(TCanvas& canvas) {
  // "MS Sans Serif", bold italic, 48 pixels high on a 240 dpi form: 14 points.
  canvas.Font.Name = "MS Sans Serif";
  canvas.Font.Size = 14;
  canvas.Font.Bold = true;
  canvas.Font.Italic = true;
  canvas.SyncFontSize();
}

}  // namespace

std::unique_ptr<TRocket> MakeGameRocket() {
  auto rocket = std::make_unique<TRocket>();
  rocket->color = kGreen;
  return rocket;
}

void MakeReadyToPlay(TMaze& maze, TRocket& rocket, TKeyStateService* keys, int tickUnit) {
  maze.SetRocket(&rocket);
  maze.SetKeyService(keys);
  maze.SetTickUnit(tickUnit);
  maze.reset();
}

void LayoutPlayView(int W, int H, TMaze* cave, int targetSize, TDRect& mapvp, TDRect& playvp) {
  mapvp = TDRect{static_cast<double>(W * 6 / 7), static_cast<double>(W - 10),
                 static_cast<double>(H - W / 7), static_cast<double>(H - 10)};
  if (!cave || !cave->Rocket()) return;
  const double scale = targetSize / cave->Rocket()->sx;
  cave->GetExtent();
  const TDRect& e = cave->extent;
  const double cx = (e.x1 + e.x2) / 2;
  const double cy = (e.y1 + e.y2) / 2;
  playvp = TDRect{(e.x1 - cx) * scale + W / 2.0, (e.x2 - cx) * scale + W / 2.0,
                  (e.y1 - cy) * scale + H / 2.0, (e.y2 - cy) * scale + H / 2.0};
}

bool ZoomKey(char key, int& targetSize) {
  if (key == '-' && targetSize > 5) {
    targetSize -= 5;
    return true;
  }
  if (key == '+') {
    targetSize += 5;
    return true;
  }
  return false;
}

void PaintPlayFrame(QImage& image, TMaze* cave, const QImage* background, const TControl& f,
                    const TDRect& playvp, const TDRect& mapvp) {
  PaintPlayFrame(image, cave, background, f, playvp, mapvp, TPlayFrameStyle{});
}

void PaintPlayFrame(QImage& image, TMaze* cave, const QImage* background, const TControl& f,
                    const TDRect& playvp, const TDRect& mapvp, const TPlayFrameStyle& style) {
  const QSizeF logical = image.deviceIndependentSize();
  if (background && !background->isNull() && cave) {
    QPainter p(&image);
    if (image.devicePixelRatio() != 1.0) p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), logical), *background);
  }
  TQtCanvas canvas(image);
  SetWindowFont(canvas);
  TQtPaintScope scope(canvas);
  if (!cave) {
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Brush.Color = clBlack;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(TRect{0, 0, static_cast<int>(std::ceil(logical.width())),
                          static_cast<int>(std::ceil(logical.height()))});
    return;
  }
  canvas.Antialias = style.smooth_edges;
  // Installed for this picture only, also when drawing throws.
  struct TSparkSeed {
    std::optional<TSplitMixRandom> random;
    explicit TSparkSeed(long long tick) {
      if (tick < 0) return;
      random.emplace(0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(tick + 1));
      SetDrawRandom(&*random);
    }
    ~TSparkSeed() {
      if (random) SetDrawRandom(nullptr);
    }
    TSparkSeed(const TSparkSeed&) = delete;
    TSparkSeed& operator=(const TSparkSeed&) = delete;
  } seed(style.tick);
  {
    // The picture between the ticks; the maze gets its exact state back before anything else
    // can look at it.
    std::optional<TMotionBlend> blend;
    if (style.prev && style.cur && style.fraction < 1) {
      blend.emplace(*cave, *style.prev, *style.cur, style.fraction);
    }
    const tmat2d m;
    cave->MapToViewport(playvp, true, true);
    canvas.Pen.Mode = TPenMode::pmCopy;
    cave->Draw(f, canvas, m, 0, true, true, false);
    if (style.overlay) style.overlay->DrawPlay(f, canvas, m);
    cave->MapToViewport(mapvp, true, false);
    cave->DrawSpot(f, canvas, m, 3);
    if (style.overlay) style.overlay->DrawMap(f, canvas, m);
  }
}
