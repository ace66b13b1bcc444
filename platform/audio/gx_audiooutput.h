#pragma once
// Where the mixed sound goes: an audio device that calls the mixer from its own thread.
#include <string>

class TMixer;

class TAudioOutput {
 public:
  virtual ~TAudioOutput() = default;
  // Starts calling mixer.Mix; false (with a reason in error) when no device could be opened.
  // The mixer must outlive the output, or Stop must be called first.
  virtual bool Start(TMixer& mixer, std::string& error) = 0;
  // Stops the callbacks; after it returns the mixer is no longer touched.
  virtual void Stop() = 0;
  // What plays the sound, e.g. "pipewire, 48000 Hz, 512 frames".
  virtual std::string Description() const = 0;
};
