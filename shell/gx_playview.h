#pragma once
// What the game's main window and the editor's test-play window share: the rocket the game
// flies, how a maze is laid out in a window's client area (the play view around the rocket, the
// overview map in the bottom-right corner), the zoom keys, and the painting of one frame.
#include <memory>

#include "canvas.h"
#include "qor_matrix.h"

class QImage;
class TKeyStateService;
class TMaze;
class TRocket;

// The game's rocket (green), not yet in a maze.
std::unique_ptr<TRocket> MakeGameRocket();

// Makes maze ready for a run from its start zone: the rocket attached, the keys read from keys,
// periods counted in ticks of tickUnit milliseconds, the run reset.
void MakeReadyToPlay(TMaze& maze, TRocket& rocket, TKeyStateService* keys, int tickUnit);

// The window-pixel rectangles (y up) of a client area of W x H. The overview map takes the
// bottom-right corner; the play view is the maze's extent scaled so that the rocket is
// targetSize pixels long, centred on the client area. Without a maze or rocket playvp stays
// as it is.
void LayoutPlayView(int W, int H, TMaze* cave, int targetSize, TDRect& mapvp, TDRect& playvp);

// The zoom keys of a play view: '+' makes the rocket 5 pixels longer, '-' 5 shorter (not below
// 5). True when targetSize changed.
bool ZoomKey(char key, int& targetSize);

// What a window draws over the maze (the ghost, a replay's caption): over the play view once
// the maze is drawn, and over the overview map; m is the identity the maze was drawn with, the
// maze's own matrix holds the view.
class TPlayOverlay {
 public:
  virtual ~TPlayOverlay() = default;
  virtual void DrawPlay(const TControl& f, TCanvas& cv, const tmat2d& m) const = 0;
  virtual void DrawMap(const TControl& f, TCanvas& cv, const tmat2d& m) const = 0;
};

struct TFrameSnapshot;

// How a picture of the play view is drawn beyond what the maze says.
struct TPlayFrameStyle {
  // The picture between two ticks (see gx_motion.h): prev and cur at fraction (1: the maze as
  // it is). Null snapshots: the maze as it is.
  const TFrameSnapshot* prev = nullptr;
  const TFrameSnapshot* cur = nullptr;
  double fraction = 1;
  // The tick shown, which seeds what drawing draws at random (the sparks), so that the
  // pictures between two ticks agree; negative: drawing's own generator.
  long long tick = -1;
  // Antialiased polygons, balls, rocket and bullets' sparks.
  bool smooth_edges = false;
  // Drawn over the maze (the ghost, a replay's caption); null: nothing.
  const TPlayOverlay* overlay = nullptr;
};

// One whole frame into image: the background picture (when not null, scaled to the image),
// the play view around the rocket and the overview map; black without a maze. f is the control
// whose client area image stands for.
void PaintPlayFrame(QImage& image, TMaze* cave, const QImage* background, const TControl& f,
                    const TDRect& playvp, const TDRect& mapvp);
// The same, drawn as style says. An image with a device pixel ratio above 1 is drawn at its
// device's pixels (f's client area is in logical pixels, as the image's logical size).
void PaintPlayFrame(QImage& image, TMaze* cave, const QImage* background, const TControl& f,
                    const TDRect& playvp, const TDRect& mapvp, const TPlayFrameStyle& style);
