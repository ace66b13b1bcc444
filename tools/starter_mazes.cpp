#include "starter_mazes.h"

#include <stdexcept>
#include <string>

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "qor_text.h"
#include "starter_pilot.h"
#include "starter_shapes.h"

namespace {

// All the mazes, in the order the player meets them.
const std::vector<starter::TPlanMaker>& Plans() {
  static const std::vector<starter::TPlanMaker> plans = [] {
    std::vector<starter::TPlanMaker> all;
    for (const auto* part :
         {&starter::LearningPlans(), &starter::CavePlans(), &starter::MachinePlans()}) {
      all.insert(all.end(), part->begin(), part->end());
    }
    return all;
  }();
  return plans;
}

}  // namespace

std::unique_ptr<TMazeList> MakeStarterMazes() {
  auto list = std::make_unique<TMazeList>();
  for (starter::TPlanMaker make : Plans()) list->Add(make().maze);
  return list;
}

TStarterRun FlyStarterMaze(TMaze& maze, int index, int max_ticks) {
  if (index < 0 || index >= static_cast<int>(Plans().size())) {
    throw std::out_of_range("no starter maze " + std::to_string(index));
  }
  const starter::TPlan plan = Plans()[static_cast<std::size_t>(index)]();
  return FlyRoute(maze, plan.route, max_ticks);
}

std::string BuildStarterCollection(std::vector<TStarterRun>* runs) {
  auto list = MakeStarterMazes();
  // Each maze is flown as the player gets it: written and read back.
  TTextWriter w;
  list->SaveToF(w);
  TMazeList played;
  TTextReader r(w.Bytes());
  r.ReadLn();
  played.LoadFromF(r);
  std::string unfinished;
  for (int i = 0; i < played.Count(); ++i) {
    const TStarterRun run = FlyStarterMaze(*played.GetMaze(i), i);
    if (runs) runs->push_back(run);
    if (!run.finished) unfinished += (unfinished.empty() ? "'" : ", '") + run.name + "'";
    list->GetMaze(i)->bestdur = run.seconds;
  }
  if (!unfinished.empty()) throw std::runtime_error("the pilot did not finish " + unfinished);
  TTextWriter out;
  list->SaveToF(out);
  return out.Bytes();
}
