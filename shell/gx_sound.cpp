#include "gx_sound.h"

#include "sdl_audio.h"

TGameAudio::TGameAudio() = default;

TGameAudio::~TGameAudio() {
  Stop();
}

bool TGameAudio::Start(std::FILE* err) {
  Stop();
  auto out = std::make_unique<TSdlAudioOutput>();
  std::string error;
  if (!out->Start(sound_.Mixer(), error)) {
    if (err) std::fprintf(err, "gravonaut: no sound: %s\n", error.c_str());
    return false;
  }
  output_ = std::move(out);
  playing_ = true;
  return true;
}

void TGameAudio::Stop() {
  if (output_) output_->Stop();
  output_.reset();
  playing_ = false;
}

std::string TGameAudio::Description() const {
  return output_ ? output_->Description() : std::string();
}
