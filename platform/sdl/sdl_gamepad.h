#pragma once
// Game controllers through SDL2's game controller API, without any SDL window: the
// controllers are found and lost as they are plugged in and out (checked on every poll, so
// that no other user of SDL's event queue can take the news away), and one of them, the
// controller in use, is read into a snapshot once per game tick.
#include <memory>
#include <string>
#include <vector>

#include "gx_padmap.h"

class TSdlGamepads {
 public:
  // Starts SDL's game controller subsystem (with SDL's signal handlers off, so that Ctrl+C
  // and kill still end the program). Without it (Ok() false) no pad is ever seen.
  TSdlGamepads();
  ~TSdlGamepads();
  TSdlGamepads(const TSdlGamepads&) = delete;
  TSdlGamepads& operator=(const TSdlGamepads&) = delete;

  bool Ok() const { return ok_; }
  const std::string& Error() const { return error_; }

  // The controller to read, by name; "" or a name not connected: the first one connected.
  void SetPreferred(const std::string& name) { preferred_ = name; }
  // The names of the controllers connected now, in the order they came.
  std::vector<std::string> Names();
  // The name of the controller in use, or "" when none is connected.
  std::string InUse();

  // Looks for plugged and unplugged controllers and reads the one in use.
  TPadSnapshot Poll();

 private:
  struct TPad;
  void Refresh();
  TPad* Current();

  bool ok_ = false;
  std::string error_;
  std::string preferred_;
  std::vector<std::unique_ptr<TPad>> pads_;
};
