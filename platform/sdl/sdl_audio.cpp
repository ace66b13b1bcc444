#include "sdl_audio.h"

#include <SDL.h>

#include "gx_mixer.h"
#include "sdl_init.h"

TSdlAudioOutput::~TSdlAudioOutput() {
  Stop();
}

void TSdlAudioOutput::Callback(void* mixer, std::uint8_t* stream, int len) {
  const int frames = len / static_cast<int>(sizeof(float) * kChannels);
  static_cast<TMixer*>(mixer)->Mix(reinterpret_cast<float*>(stream), frames, kChannels);
}

bool TSdlAudioOutput::Start(TMixer& mixer, std::string& error) {
  Stop();
  if (!SdlInitSubsystem(SDL_INIT_AUDIO, error)) return false;
  initialised_ = true;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_F32SYS;
  want.channels = kChannels;
  want.samples = kFrames;
  want.callback = &TSdlAudioOutput::Callback;
  want.userdata = &mixer;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to the device's format itself, so the callback always
  // gets what the mixer writes.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    error = SDL_GetError();
    if (error.empty()) error = "the audio device could not be opened";
    Stop();
    return false;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  description_ = std::string(driver ? driver : "?") + ", " + std::to_string(have.freq) + " Hz, " +
                 std::to_string(have.samples) + " frames";
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void TSdlAudioOutput::Stop() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);  // waits for a running callback
    device_ = 0;
  }
  if (initialised_) {
    SdlQuitSubsystem(SDL_INIT_AUDIO);
    initialised_ = false;
  }
}
