#include "sdl_init.h"

#include <SDL.h>

bool SdlInitSubsystem(std::uint32_t flags, std::string& error) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(flags) != 0) {
    error = SDL_GetError();
    if (error.empty()) error = "SDL could not start";
    return false;
  }
  return true;
}

void SdlQuitSubsystem(std::uint32_t flags) {
  SDL_QuitSubSystem(flags);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}
