#pragma once
// TPadInput: the game controller as the game sees it. Once per tick, just before the maze
// samples its keys, the pad's snapshot becomes key-state codes (the same codes the bound
// keys report), so that runs and their replays cannot tell a pad from a keyboard. While the
// game does not listen, nothing of the pad reaches it.
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "gx_padmap.h"

// How far one tick of a turn key turns the rocket in the maze; point mode aims in these steps.
inline constexpr double kPadTurnStep = std::numbers::pi / 15;

class TQtKeyState;
class TSdlGamepads;
struct TGameSettings;

class TPadInput {
 public:
  // pads null: no controller is ever seen (the tests' windows, or SDL missing).
  TPadInput(TQtKeyState& keys, std::unique_ptr<TSdlGamepads> pads);
  ~TPadInput();
  TPadInput(const TPadInput&) = delete;
  TPadInput& operator=(const TPadInput&) = delete;

  void Apply(const TGameSettings& s);
  // One tick. listening: the window is active and no dialog is open. nose is the rocket's
  // heading, step one tick's turn; frozen tells whether Start resumes or freezes.
  void Tick(bool listening, double nose, double step, bool frozen);

  // The controllers connected now, and the one in use ("" for none).
  std::vector<std::string> Names();
  std::string InUse();

 private:
  void Release();

  TQtKeyState& keys_;
  std::unique_ptr<TSdlGamepads> pads_;
  TPadMapper mapper_;
  bool listening_ = false;
};
