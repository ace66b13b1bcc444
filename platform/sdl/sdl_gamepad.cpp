#include "sdl_gamepad.h"

#include <SDL.h>

#include <algorithm>
#include "sdl_init.h"

namespace {

constexpr SDL_GameControllerButton kButtons[kPadButtonCount] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
};

int ButtonIndex(Uint8 sdl_button) {
  for (int i = 0; i < kPadButtonCount; ++i) {
    if (kButtons[i] == sdl_button) return i;
  }
  return -1;
}

}  // namespace

struct TSdlGamepads::TPad {
  SDL_GameController* controller = nullptr;
  SDL_JoystickID id = -1;
  std::string name;
  // Buttons that went down since the last snapshot, from SDL's events.
  std::array<bool, kPadButtonCount> pressed{};
  // The buttons down at the last snapshot: a press whose event someone else took off the
  // queue is still seen as a change.
  std::array<bool, kPadButtonCount> was_down{};

  ~TPad() {
    if (controller) SDL_GameControllerClose(controller);
  }
};

TSdlGamepads::TSdlGamepads() {
  // Controller events arrive whichever window has the keyboard; the game decides to listen.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  ok_ = SdlInitSubsystem(SDL_INIT_GAMECONTROLLER, error_);
}

TSdlGamepads::~TSdlGamepads() {
  pads_.clear();
  if (ok_) SdlQuitSubsystem(SDL_INIT_GAMECONTROLLER);
}

void TSdlGamepads::Refresh() {
  if (!ok_) return;
  SDL_GameControllerUpdate();
  // Button presses between two polls, and nothing else of the joystick's events: they are
  // read (and so taken off the queue) here only, so that the queue never fills up.
  SDL_Event events[64];
  for (;;) {
    const int n =
        SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
    if (n <= 0) break;
    for (int i = 0; i < n; ++i) {
      if (events[i].type != SDL_CONTROLLERBUTTONDOWN) continue;
      const int b = ButtonIndex(events[i].cbutton.button);
      if (b < 0) continue;
      for (auto& pad : pads_) {
        if (pad->id == events[i].cbutton.which) pad->pressed[b] = true;
      }
    }
  }
  // Unplugged controllers go, newly plugged ones come, in the order SDL lists them.
  std::erase_if(pads_, [](const std::unique_ptr<TPad>& p) {
    return !SDL_GameControllerGetAttached(p->controller);
  });
  const int n = SDL_NumJoysticks();
  for (int i = 0; i < n; ++i) {
    if (!SDL_IsGameController(i)) continue;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
    if (std::any_of(pads_.begin(), pads_.end(), [id](const auto& p) { return p->id == id; })) {
      continue;
    }
    SDL_GameController* c = SDL_GameControllerOpen(i);
    if (!c) continue;
    auto pad = std::make_unique<TPad>();
    pad->controller = c;
    pad->id = id;
    const char* name = SDL_GameControllerName(c);
    pad->name = name ? name : "Game controller";
    pads_.push_back(std::move(pad));
  }
}

TSdlGamepads::TPad* TSdlGamepads::Current() {
  if (pads_.empty()) return nullptr;
  for (auto& p : pads_) {
    if (!preferred_.empty() && p->name == preferred_) return p.get();
  }
  return pads_.front().get();
}

std::vector<std::string> TSdlGamepads::Names() {
  Refresh();
  std::vector<std::string> names;
  for (const auto& p : pads_) names.push_back(p->name);
  return names;
}

std::string TSdlGamepads::InUse() {
  Refresh();
  const TPad* p = Current();
  return p ? p->name : std::string();
}

TPadSnapshot TSdlGamepads::Poll() {
  Refresh();
  TPadSnapshot s;
  TPad* p = Current();
  if (!p) return s;
  s.connected = true;
  for (int i = 0; i < kPadButtonCount; ++i) {
    s.down[i] = SDL_GameControllerGetButton(p->controller, kButtons[i]) != 0;
    s.pressed[i] = p->pressed[i] || (s.down[i] && !p->was_down[i]);
  }
  p->was_down = s.down;
  s.left_x = SDL_GameControllerGetAxis(p->controller, SDL_CONTROLLER_AXIS_LEFTX);
  s.left_y = SDL_GameControllerGetAxis(p->controller, SDL_CONTROLLER_AXIS_LEFTY);
  s.right_trigger = SDL_GameControllerGetAxis(p->controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
  // Every other pad's presses are old news once it is not the one in use.
  for (auto& pad : pads_) pad->pressed.fill(false);
  return s;
}
