// Game controllers: SDL's virtual pad (no real device) read through the game's pad layer into
// the key state, the buttons, the round dead zone, the turning modes and hot plug, and the
// pad ignored while the game does not listen.
#include <SDL.h>

#include <cmath>
#include <numbers>

#include "gx_padinput.h"
#include "gx_padmap.h"
#include "gx_playview.h"
#include "gx_rocket.h"
#include "qt_keystate.h"
#include "sdl_gamepad.h"
#include "shell_fixture.h"

namespace {

constexpr double kStep = kPadTurnStep;

// A virtual game controller plugged in for the test's lifetime (or until Unplug).
class TVirtualPad {
 public:
  TVirtualPad() { Plug(); }
  ~TVirtualPad() { Unplug(); }
  void Plug() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    joy_ = SDL_JoystickOpen(index);
    ASSERT_NE(joy_, nullptr) << SDL_GetError();
    id_ = SDL_JoystickInstanceID(joy_);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
    Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  }
  void Unplug() {
    if (!joy_) return;
    SDL_JoystickClose(joy_);
    joy_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    }
  }
  void Button(SDL_GameControllerButton b, bool down) {
    SDL_JoystickSetVirtualButton(joy_, b, down ? SDL_PRESSED : SDL_RELEASED);
  }
  void Axis(SDL_GameControllerAxis a, int v) {
    SDL_JoystickSetVirtualAxis(joy_, a, static_cast<Sint16>(std::clamp(v, -32768, 32767)));
  }
  // The left stick at a fraction of its travel, y up.
  void Stick(double x, double y) {
    Axis(SDL_CONTROLLER_AXIS_LEFTX, static_cast<int>(std::lround(x * 32767)));
    Axis(SDL_CONTROLLER_AXIS_LEFTY, static_cast<int>(std::lround(-y * 32767)));
  }

 private:
  SDL_Joystick* joy_ = nullptr;
  SDL_JoystickID id_ = -1;
};

class GamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApp();
    auto pads = std::make_unique<TSdlGamepads>();
    ASSERT_TRUE(pads->Ok()) << pads->Error();
    pads_ = pads.get();
    input = std::make_unique<TPadInput>(keys, std::move(pads));
    pad = std::make_unique<TVirtualPad>();
  }
  void TearDown() override {
    pad.reset();
    input.reset();
  }
  // One tick of a listening game; the codes the model would see down or pressed.
  void Tick(double nose = std::numbers::pi / 2, bool frozen = false) {
    input->Tick(true, nose, kStep, frozen);
  }
  bool Down(std::uint8_t code) { return keys.Query(code).down; }

  TQtKeyState keys;
  TSdlGamepads* pads_ = nullptr;
  std::unique_ptr<TPadInput> input;
  std::unique_ptr<TVirtualPad> pad;
};

constexpr std::uint8_t kGameCodes[] = {vk::LControl, vk::Up,    vk::Left,
                                       vk::Right,    vk::Space, vk::Down};

TEST_F(GamepadTest, ButtonsHoldTheirActionsKeys) {
  const struct {
    SDL_GameControllerButton button;
    std::uint8_t code;  // 0: nothing
  } cases[] = {
      {SDL_CONTROLLER_BUTTON_A, vk::LControl},        // thrust
      {SDL_CONTROLLER_BUTTON_B, vk::Up},              // fire
      {SDL_CONTROLLER_BUTTON_X, vk::Up},              //
      {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, vk::Up},  //
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, vk::Left},    // turn
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, vk::Right},  //
      {SDL_CONTROLLER_BUTTON_BACK, vk::Space},        // restart, on release
      {SDL_CONTROLLER_BUTTON_Y, 0},                   // nothing
      {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0},        //
      {SDL_CONTROLLER_BUTTON_DPAD_UP, 0},             //
  };
  EXPECT_EQ(pads_->InUse(), "Test Pad");
  for (const auto& c : cases) {
    pad->Button(c.button, true);
    Tick();
    for (std::uint8_t code : kGameCodes) EXPECT_EQ(Down(code), code == c.code) << c.button;
    Tick();  // held
    if (c.code) {
      EXPECT_TRUE(Down(c.code)) << c.button;
    }
    pad->Button(c.button, false);
    Tick();
    for (std::uint8_t code : kGameCodes) EXPECT_FALSE(keys.Query(code).Hit()) << c.button;
  }
  // The right trigger thrusts once pulled a third of the way; the left one does nothing.
  pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
  Tick();
  EXPECT_FALSE(Down(vk::LControl));
  pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  Tick();
  EXPECT_TRUE(Down(vk::LControl));
  pad->Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  Tick();
  EXPECT_FALSE(Down(vk::LControl));
}

TEST_F(GamepadTest, StartFreezesAndResumesOnceEachPress) {
  pad->Button(SDL_CONTROLLER_BUTTON_START, true);
  Tick();
  TKeyQuery q = keys.Query(vk::Down);  // the freeze key seen once
  EXPECT_TRUE(q.pressed);
  EXPECT_FALSE(q.down);
  Tick(std::numbers::pi / 2, /*frozen=*/true);  // still held: nothing more
  EXPECT_FALSE(keys.Query(vk::Down).Hit());
  EXPECT_FALSE(keys.Query(vk::Up).Hit());
  pad->Button(SDL_CONTROLLER_BUTTON_START, false);
  Tick(std::numbers::pi / 2, true);
  pad->Button(SDL_CONTROLLER_BUTTON_START, true);
  Tick(std::numbers::pi / 2, true);
  // In a frozen game the fire key seen once resumes; it is not held, so nothing is fired.
  q = keys.Query(vk::Up);
  EXPECT_TRUE(q.pressed);
  EXPECT_FALSE(q.down);
  EXPECT_FALSE(keys.Query(vk::Down).Hit());
}

TEST_F(GamepadTest, TheDeadZoneIsRound) {
  const struct {
    double x, y;
    int dead_zone;
    std::uint8_t turn;  // 0: none
  } cases[] = {
      {-0.24, 0, 25, 0},
      {-0.26, 0, 25, vk::Left},
      {0.26, 0, 25, vk::Right},
      {-0.2, -0.17, 25, vk::Left},  // 0.26 off the axes: beyond a round zone
      {-0.17, -0.17, 25, 0},        // 0.24: inside it
      {-0.4, 0, 50, 0},
      {-0.6, 0, 50, vk::Left},
      {-0.05, 0, 0, vk::Left},
      {0, 1, 25, 0},              // straight up leans neither way
      {-0.5, 0.8, 25, 0},         // mostly up
      {-0.8, 0.5, 25, vk::Left},  // mostly left
  };
  for (const auto& c : cases) {
    TGameSettings s;
    s.dead_zone = c.dead_zone;
    input->Apply(s);
    pad->Stick(c.x, c.y);
    Tick();
    EXPECT_EQ(Down(vk::Left), c.turn == vk::Left) << c.x << "," << c.y << " dz " << c.dead_zone;
    EXPECT_EQ(Down(vk::Right), c.turn == vk::Right) << c.x << "," << c.y << " dz " << c.dead_zone;
    pad->Stick(0, 0);
    Tick();
  }
}

TEST(PadDeadZone, RescalesBeyondTheEdge) {
  EXPECT_TRUE(ApplyDeadZone(8000, 0, 0.25).Centred());
  const TStick edge = ApplyDeadZone(8192, 0, 0.25);  // just past a quarter
  EXPECT_GT(edge.x, 0);
  EXPECT_LT(edge.x, 0.01);
  const TStick full = ApplyDeadZone(32767, -32768, 0.25);
  EXPECT_NEAR(std::hypot(full.x, full.y), 1, 1e-12);  // the corner is clipped to full travel
  EXPECT_GT(full.y, 0);                               // up is up
}

// Point mode, the rocket turned one step for each tick the mapper asks for: the first turn
// goes the short way, the turns never change direction, and the nose ends within half a step
// of the stick and stays there.
TEST(PadPointMode, TurnsTheShortWayAndStops) {
  const double pi = std::numbers::pi;
  const struct {
    double nose;
    double stick;  // the stick's direction
    int first;     // +1 left, -1 right
  } cases[] = {
      {pi / 2, 0, -1},
      {pi / 2, pi, +1},
      {170 * pi / 180, -170 * pi / 180, +1},  // across the wrap
      {-170 * pi / 180, 170 * pi / 180, -1},
      {10 * pi + pi / 2, 0.1, -1},  // a nose that turned many times
      {-6 * pi, -pi / 2, -1},
      {0.3, 0.3 + kStep * 0.4, 0},  // already within half a step
  };
  for (const auto& c : cases) {
    TPadMapper m;
    m.SetTurning(TPadTurning::Point);
    TPadSnapshot pad;
    pad.connected = true;
    pad.left_x = static_cast<int>(std::lround(std::cos(c.stick) * 32767));
    pad.left_y = static_cast<int>(std::lround(-std::sin(c.stick) * 32767));
    double nose = c.nose;
    int direction = 0, turns = 0;
    for (int tick = 0; tick < 40; ++tick) {
      const TPadActions a = m.Map(pad, nose, kStep);
      ASSERT_FALSE(a.left && a.right);
      const int d = a.left ? +1 : a.right ? -1 : 0;
      if (d == 0) continue;
      if (direction == 0) direction = d;
      EXPECT_EQ(d, direction) << c.nose << " -> " << c.stick << " tick " << tick;
      nose += d * kStep;
      ++turns;
    }
    EXPECT_EQ(direction, c.first) << c.nose << " -> " << c.stick;
    EXPECT_LE(std::abs(std::remainder(c.stick - nose, 2 * pi)), kStep / 2 + 1e-9)
        << c.nose << " -> " << c.stick;
    EXPECT_LE(turns, 16) << c.nose << " -> " << c.stick;  // never more than half a turn
  }
}

TEST_F(GamepadTest, PointModeTurnsTowardTheStick) {
  TGameSettings s;
  s.turn_mode = TTurnMode::Point;
  input->Apply(s);
  pad->Stick(-1, 0);  // nose up, stick left: a quarter turn to the left
  Tick(std::numbers::pi / 2);
  EXPECT_TRUE(Down(vk::Left));
  EXPECT_FALSE(Down(vk::Right));
  Tick(std::numbers::pi);  // there
  EXPECT_FALSE(Down(vk::Left));
  EXPECT_FALSE(Down(vk::Right));
  // The d-pad still turns like the keys.
  pad->Stick(0, 0);
  pad->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  Tick(std::numbers::pi);
  EXPECT_TRUE(Down(vk::Right));
}

// Point mode aims in the steps the maze turns by: a tick of the turn key turns that far.
TEST(PadPointMode, AimsInTheMazesTurnSteps) {
  std::unique_ptr<TMaze> maze = SquareMaze("Turns");
  auto rocket = MakeGameRocket();
  TScriptedKeys keys;
  MakeReadyToPlay(*maze, *rocket, &keys, 50);
  keys.Tap(vk::LControl);
  maze->TickTime(1);
  ASSERT_EQ(maze->GameState(), gs_practice);
  const double before = rocket->angle();
  keys.Down(vk::Left);
  maze->TickTime(1);
  EXPECT_DOUBLE_EQ(rocket->angle() - before, kPadTurnStep);
}

TEST_F(GamepadTest, PluggedInAndOutWhileTheGameRuns) {
  pad->Button(SDL_CONTROLLER_BUTTON_A, true);
  Tick();
  EXPECT_TRUE(Down(vk::LControl));
  pad->Unplug();
  Tick();
  EXPECT_FALSE(Down(vk::LControl));  // a pad pulled out lets go of everything
  EXPECT_TRUE(input->Names().empty());
  EXPECT_EQ(input->InUse(), "");
  pad->Plug();
  EXPECT_EQ(input->Names(), std::vector<std::string>{"Test Pad"});
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  Tick();
  EXPECT_TRUE(Down(vk::Up));
}

TEST_F(GamepadTest, IgnoredWhileTheGameDoesNotListen) {
  pad->Button(SDL_CONTROLLER_BUTTON_A, true);
  Tick();
  ASSERT_TRUE(Down(vk::LControl));
  input->Tick(false, 0, kStep, false);  // a dialog opened
  EXPECT_FALSE(Down(vk::LControl));
  pad->Button(SDL_CONTROLLER_BUTTON_B, true);
  input->Tick(false, 0, kStep, false);
  EXPECT_FALSE(keys.Query(vk::Up).Hit());
  // Back in the game: what was held through the dialog counts once let go and pressed again.
  Tick();
  EXPECT_FALSE(keys.Query(vk::LControl).Hit());
  EXPECT_FALSE(keys.Query(vk::Up).Hit());
  pad->Button(SDL_CONTROLLER_BUTTON_A, false);
  Tick();
  pad->Button(SDL_CONTROLLER_BUTTON_A, true);
  Tick();
  EXPECT_TRUE(Down(vk::LControl));
  EXPECT_FALSE(Down(vk::Up));  // B is still held from before
}

// The whole way in the game: the main window polls the pad before each tick, only while it
// is the active window, and point mode brings the nose round to the stick.
TEST_F(GamepadTest, TheMainWindowPlaysWithThePadWhileActive) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("gx_pad_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  WriteBytes(dir / "gravonaut.cav", CollectionBytes({"One"}));
  TRecordingDialogs dialogs;
  TUniverseOptions o;
  o.collection = (dir / "gravonaut.cav").string();
  o.dialogs = &dialogs;
  o.start_timer = false;
  o.gamepads = true;
  o.settings.turn_mode = TTurnMode::Point;
  {
    TUniverse u(o);
    u.resize(800, 600);
    u.show();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    u.gametickerTimer();
    EXPECT_EQ(u.Cave()->GameState(), gs_intro);  // not the active window: the pad is ignored
    pad->Button(SDL_CONTROLLER_BUTTON_A, false);
    u.gametickerTimer();
    QApplication::setActiveWindow(&u);
    ASSERT_TRUE(u.isActiveWindow());
    pad->Button(SDL_CONTROLLER_BUTTON_A, true);
    u.gametickerTimer();
    EXPECT_EQ(u.Cave()->GameState(), gs_practice);
    pad->Button(SDL_CONTROLLER_BUTTON_A, false);
    // Nose up, stick down and a little right: the short way round is to the right.
    const double target = -std::numbers::pi / 2 + 0.3;
    pad->Stick(std::cos(target), std::sin(target));
    const double start = u.Rocket()->angle();
    for (int i = 0; i < 20; ++i) u.gametickerTimer();
    EXPECT_LT(u.Rocket()->angle(), start);
    EXPECT_LE(std::abs(std::remainder(u.Rocket()->angle() - target, 2 * std::numbers::pi)),
              kStep / 2 + 1e-9);
    u.close();
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
