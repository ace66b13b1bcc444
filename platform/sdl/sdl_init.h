#pragma once
// One place that starts SDL for this program. SDL's subsystems are reference-counted: each
// user (the sound, the game controllers) initialises the one it needs and quits it again.
// The signal handlers SDL would install are refused first: Ctrl+C and kill must keep ending
// a Qt program.
#include <cstdint>
#include <string>

// flags: SDL_INIT_AUDIO, SDL_INIT_GAMECONTROLLER, ...; false with SDL's reason in error.
bool SdlInitSubsystem(std::uint32_t flags, std::string& error);
// Quits the subsystem; SDL itself once nothing is left.
void SdlQuitSubsystem(std::uint32_t flags);
