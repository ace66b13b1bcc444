#pragma once
// TMaze: one level of the game and the referee of a run through it.
//
// As a draw list it holds the maze's polygons; beside them it owns the targets (balllist) and
// the bullets in flight (bullitlist), keeps the start and landing zones, the best time, four
// colours and the name, and refers to the program's one rocket, which it does not own.
// TickTime(1) is called once per 50 ms timer tick: it samples the game keys, runs the state
// machine and moves rocket, polygons, balls and bullets in a fixed order.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gx_drawlist.h"
#include "gx_gameevents.h"
#include "gx_keystate.h"

class TBall;
class TBallList;
class TBullitList;
class TPolygon;
class TRocket;
class TSide;

enum TGameState : std::uint8_t {
  gs_intro = 0,     // waiting for the first thrust; nothing moves
  gs_practice = 1,  // a run is in progress
  gs_compete = 2,   // like gs_practice, but without the end-of-run check; nothing enters it
  gs_freeze = 3,    // paused; FPrevState holds the state to return to
  gs_finished = 4,  // the player quit; the window closes after this tick
};

// The key flags of one tick.
struct TKeyState {
  bool K_THRUST = false;
  bool K_FREEZE = false;
  bool K_LEFT = false;
  bool K_RIGHT = false;
  bool K_TERMINATE = false;
  bool K_RESET = false;      // a reset request, raised when Space is released
  bool K_RESETDOWN = false;  // Space was seen pressed
  bool K_SHOOT = false;
  // The wheel deltas (120 a notch) that arrived since the last turn, added up; cleared once
  // acted on.
  std::int32_t M_WHEEL = 0;
};

// A primary and an alternate virtual-key code; 0 as alternate means none.
using TKeyList = std::array<std::uint8_t, 2>;

// The game keys, in the order the help dialog lists them.
inline constexpr std::array<TKeyList, 12> GameKeys = {{
    {vk::LControl, 0},    // 0 thrust
    {vk::Down, vk::F},    // 1 freeze
    {vk::Left, vk::A},    // 2 turn left
    {vk::Right, vk::D},   // 3 turn right
    {vk::Escape, 0},      // 4 exit
    {vk::Space, vk::X},   // 5 reset game (on release)
    {vk::Up, vk::LMenu},  // 6 fire
    {vk::R, vk::C},       // 7 clear score (the maze reads R directly)
    {vk::Add, 0},         // 8 zoom in (main window)
    {vk::Subtract, 0},    // 9 zoom out (main window)
    {vk::E, 0},           // 10 edit maze (main window)
    {vk::S, 0},           // 11 select maze (main window)
}};

class TMaze : public TDrawList {
  QOR_LIST_CLASS(TMaze)
 public:
  using TNotifyEvent = std::function<void(TMaze* Sender)>;

  TMaze();
  ~TMaze() override;

  // --- properties -------------------------------------------------------------------------
  const std::string& MsgLine() const { return FMsgLine; }
  void SetMsgLine(const std::string& s) { FMsgLine = s; }
  TGameState GameState() const { return FGameState; }
  // Freezing a frozen game keeps the state to return to; entering the freeze makes the flight
  // keys held at that moment count only once they are pressed again.
  void SetGameState(TGameState v);
  const TDRect& Landing() const { return Flanding; }
  // Also moves an attached rocket's start position to the middle of r, raised by sx / 5.
  void SetLanding(const TDRect& r);
  const TDRect& Start() const { return FStart; }
  // The start zone; also becomes the landing zone.
  void SetStart(const TDRect& r);
  TRocket* Rocket() const { return FRocket; }
  // Attaches r (not owned) and sets its start position; does not reset it. r must not be null.
  void SetRocket(TRocket* r);
  // True when every ball is invisible, also when there are none.
  bool NoMoreBalls() const;
  // Stores v and hands it to every polygon (not to the balls).
  void SetTickUnit(int v) override;

  // Where the game keys are read from (not owned). Without one no key is ever hit.
  void SetKeyService(TKeyStateService* keys) { FKeys = keys; }
  TKeyStateService* KeyService() const { return FKeys; }
  // Where the tick reports what the player should hear (not owned); null: nowhere.
  void SetEventSink(TGameEventSink* sink) { FEvents = sink; }
  TGameEventSink* EventSink() const { return FEvents; }
  void Report(TGameEvent e) {
    if (FEvents) FEvents->GameEvent(e);
  }

  // --- the run ----------------------------------------------------------------------------
  void reset() override;
  void restart() { reset(); }
  // One tick; true only on the tick that sets a new best time. Needs an attached rocket.
  bool TickTime(int t);
  void HandleKeyboard();
  // Samples the keys into KeyState and acts on R (clears the best time, telling OnChange).
  void CheckGameKeys();
  // Called after a modal dialog instead of CheckGameKeys: drops what was pressed while it was
  // open and acts on nothing. A key still held when the dialog closed counts only once it has
  // been let go and pressed again, and a Space half seen before the dialog raises no reset; a
  // reset request already pending stays pending.
  void DiscardGameKeys();
  bool KeysAreHit(const TKeyList& kl);
  // A wheel delta (120 a notch, positive turns left) for the next tick of a run; deltas that
  // arrive before it add up (saturating), a zero changes nothing.
  void AddWheelDelta(int delta);
  void RocketFire(bool b);
  void RocketShoot();
  // The landing test, called by the rocket when its hull crosses the landing edge of p that
  // ends at corner s.
  bool Land(TPolygon* p, TSide* s);

  // --- editing helpers --------------------------------------------------------------------
  // A new ball centred at (x, y), coloured col when col >= 0, appended to balllist.
  TBall* AddBall(double x, double y, TColor col);
  void RemoveBall(TBall* b);
  // The first ball containing (x, y); on false b is the last ball tried (unchanged if none).
  bool PointInBall(double x, double y, TBall*& b) const;
  // The edge of p that ends at corner s (from the cyclically previous corner).
  static TDRect SideRect(const TPolygon& p, const TSide& s);
  bool PointInRect(const TDRect& r, TPolygon*& p, int& six) override;
  // Also forgets p in the bullets aimed at it, so that no bullet keeps a dangling target.
  void RemovePolygon(TPolygon* p) override;
  // Moves every polygon and then the balls by m (without the maze's own matrix).
  void TransForm(const tmat2d& m) override;
  // --- drawing (gx_mazerender.cpp) ------------------------------------------------------------
  // Sets `matrix` so that the maze fills vp (window pixels, y up); rocketcenter puts the
  // attached rocket in the middle of vp instead of the maze's centre.
  void MapToViewport(const TDRect& vp, bool keepaspect, bool rocketcenter);
  // The play view, back to front: background, polygons, balls, rocket, bullets, score.
  using TDrawList::Draw;
  void Draw(const TControl& f, TCanvas& cv, const tmat2d& m, int w, bool doRocket, bool doScore,
            bool doPoints);
  // The overview map: polygons, balls and rocket as dots of radius sz.
  void DrawSpot(const TControl& f, TCanvas& cv, const tmat2d& m, int sz) override;
  void DrawScore(const TControl& f, TCanvas& cv);
  void DrawRocketState(const TControl& f, TCanvas& cv);
  // One status bar; labelpos 0 left, 1 right, 2/3/4 above at the left/middle/right.
  static void DrawBar(TCanvas& cv, int x, int y, int width, int height, TColor framecolor,
                      TColor color0, TColor color1, double fraction, const std::string& label,
                      int labelpos);
  void DrawBalls(const TControl& f, TCanvas& cv, const tmat2d& m);
  void DrawBallSpot(const TControl& f, TCanvas& cv, const tmat2d& m);
  void DrawRocket(const TControl& f, TCanvas& cv, const tmat2d& m);
  void DrawRocketSpot(const TControl& f, TCanvas& cv, const tmat2d& m);
  // Draw skips polygons lying wholly outside the control; the picture is the same either way.
  bool FCullHidden = true;

  // --- text record --------------------------------------------------------------------------
  // The body after the "7 <name>" line, which the container reads (and trims) itself.
  bool LoadFromF(TTextReader& f, const TQorClass* cl = nullptr) override;
  // The whole record, starting with the "7 <name>" line.
  bool SaveToF(TTextWriter& f) const override;

  // --- fields -------------------------------------------------------------------------------
  int FFinishTicks = 0;
  bool FFinished = false;
  std::string FMsgLine;
  TGameState FPrevState = gs_intro;
  TGameState FGameState = gs_intro;
  TDRect Flanding;
  TDRect FStart;
  TRocket* FRocket = nullptr;
  TNotifyEvent FOnChange;  // a new best time, or the best time cleared by R
  TNotifyEvent FOnGameStateChange;
  // Called at the end of every key sampling, before the tick acts on KeyState: runs are
  // recorded from here.
  TNotifyEvent FOnKeysSampled;
  const void* bkgrnd = nullptr;  // the window's background picture, only tested for presence
  std::string mazename;
  std::uint32_t duration = 0;
  double bestdur = 0;
  std::unique_ptr<TBallList> balllist;
  std::unique_ptr<TBullitList> bullitlist;
  TColor incolor = 0;
  TColor outcolor = 0;
  TColor linecolor = 0;
  TColor landcolor = 0;
  TKeyState KeyState;

 private:
  // One query of a key as the game counts it: a key held over is neither down nor pressed
  // until it has been let go (or pressed anew).
  TKeyQuery QueryKey(std::uint8_t code);
  // Drops the press of code seen so far; if it is down now it is held over.
  void HoldOverKey(std::uint8_t code);
  void HoldOverKeys(const TKeyList& kl);

  TKeyStateService* FKeys = nullptr;
  TGameEventSink* FEvents = nullptr;
  // Keys that were down at a moment from which on only new presses count (the start of a
  // freeze, the end of a dialog).
  std::array<bool, 256> FHeldOver{};
};
