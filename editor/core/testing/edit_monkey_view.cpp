// The monkey's zoom and pan: the wheel anywhere on the field (and just off it), the View
// menu's four commands, and pans of a few moves, left open now and then so that presses and
// drags fall in the middle of one (a release ends it). None of them may make a step or touch the
// history; the audit sees any byte they change.
#include <string>

#include "edit_monkey.h"

void TEditMonkey::ViewAction(const std::string& name) {
  TEditDocument& d = *doc_;
  const int steps = d.StepCount();
  const std::string history = history_ ? history_->Describe() : std::string();
  const bool can_undo = history_ && history_->CanUndo();
  const int w = surface_.Control().ClientWidth(), h = surface_.Control().ClientHeight();
  const auto anywhere = [&] {
    return TPoint{rnd_.RandomInt(std::max(w, 1) + 20) - 10,
                  rnd_.RandomInt(std::max(h, 1) + 20) - 10};
  };
  if (name == "view wheel") {
    const TPoint at = rnd_.RandomInt(2) ? anywhere() : Target();
    // A few notches, mostly back towards 100 % from far out or in (a person zooms to work,
    // then back), and now and then a spin of the wheel to a limit.
    int steps = rnd_.RandomInt(7) - 3;
    const double zoom = d.View().Zoom();
    if ((zoom < 0.25 && steps < 0) || (zoom > 4 && steps > 0)) {
      if (rnd_.RandomInt(4) > 0) steps = -steps;
    }
    if (rnd_.RandomInt(10) == 0) steps = rnd_.RandomInt(2) ? 40 : -40;
    d.ZoomAt(at.X, at.Y, steps);
  } else if (name == "view menu") {
    switch (rnd_.RandomInt(4)) {
      case 0:
        d.mmZoomInClick();
        break;
      case 1:
        d.mmZoomOutClick();
        break;
      case 2:
        d.mmFitMazeClick();
        break;
      default:
        d.mmDesignViewClick();
        break;
    }
  } else if (name == "view pan") {
    if (d.Panning()) {
      d.EndPan(mouse_.X, mouse_.Y);
    } else {
      mouse_ = anywhere();
      d.BeginPan(mouse_.X, mouse_.Y);
      for (int k = 1 + rnd_.RandomInt(4); k > 0; --k) {
        mouse_ = Wander(mouse_);
        d.PanTo(mouse_.X, mouse_.Y);
      }
      if (rnd_.RandomInt(12) > 0) d.EndPan(mouse_.X, mouse_.Y);
    }
  } else {
    Fail("unknown action");
  }
  const double zoom = d.View().Zoom();
  if (!(zoom >= TEditView::kMinZoom && zoom <= TEditView::kMaxZoom)) {
    Fail("the zoom left its range: " + std::to_string(zoom));
  }
  if (d.StepCount() != steps) Fail("zooming or panning made a step");
  if (history_ && (history_->Describe() != history || history_->CanUndo() != can_undo)) {
    Fail("zooming or panning changed the history");
  }
}
