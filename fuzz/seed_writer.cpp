// Writes the seed corpus of every fuzz target: records made by the writers themselves, so the
// fuzzer starts from valid input of each form.
//   fuzz_seeds OUTDIR   ->   OUTDIR/<target>/<seed name>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "qor_test_item.h"
#include "qor_utils.h"
#ifdef GX_FUZZ_MODEL
#include "gx_maze.h"
#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "gx_runfile.h"
#endif

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
}

std::unique_ptr<TQorListObj> Items(int n) {
  auto obj = std::make_unique<TQorListObj>();
  obj->SetElmClass(&TTestItem::StaticClass());
  for (int i = 0; i < n; ++i) {
    obj->Add(std::make_unique<TTestItem>("item \xC3\xA9" + std::to_string(i), i - 1, i * 0.5));
  }
  return obj;
}

// The objects both base-class targets start from.
std::vector<std::pair<std::string, std::unique_ptr<TQorBase>>> BaseSamples() {
  std::vector<std::pair<std::string, std::unique_ptr<TQorBase>>> out;
  out.emplace_back("listobj-empty", std::make_unique<TQorListObj>());
  out.emplace_back("listobj-items", Items(3));
  auto nested = std::make_unique<TQorListObj>();
  nested->SetElmClass(&TQorListObj::StaticClass());
  nested->Add(Items(2));
  nested->Add(Items(0));
  out.emplace_back("listobj-nested", std::move(nested));
  auto mixed = std::make_unique<TQorList>();
  mixed->Add(std::make_unique<TTestItem>("a", 1, -2.5));
  auto mark = std::make_unique<TTestMark>();
  mark->mark = 7;
  mixed->Add(std::move(mark));
  mixed->Add(Items(1));
  out.emplace_back("list-mixed", std::move(mixed));
  return out;
}

void WriteBaseSeeds(const fs::path& root) {
  for (const auto& [name, item] : BaseSamples()) {
    TMemoryStream s;
    std::string xml;
    if (auto* obj = dynamic_cast<const TQorObj*>(item.get())) {
      obj->SaveToStream(s);
      xml = obj->XMLData();
    } else if (auto* list = dynamic_cast<const TQorList*>(item.get())) {
      list->SaveToStream(s);
      xml = list->XMLData();
    }
    Write(root / "fuzz_stream", name, s.Bytes());
    Write(root / "fuzz_xml", name, xml);
  }
  Write(root / "fuzz_xml", "listitems-inside",
        "<TQorListObj><cl>TTestMark</cl><listitems count=\"1\" class=\"\">"
        "<m class=\"TTestMark\"><mark>3</mark></m></listitems></TQorListObj>");
}

#ifdef GX_FUZZ_MODEL
void WriteDrawListSeeds(const fs::path& root) {
  TDrawList list;
  list.AddPolygon(TPolygon::CreateCircle(10, 20, 5, 3, 0.25, 6, 0x00FF00));
  auto poly = std::make_unique<TPolygon>();
  poly->AddSide(0, 0, st_normal, 0x0000FF);
  poly->AddSide(100, 0, st_landing, 0x00FFFF);
  poly->AddSide(50, -75.5, st_none, -1);
  poly->open = true;
  poly->fillstyle = bsClear;
  auto rot = std::make_unique<TRotate>();
  rot->init(0.5, 50, -20, 40);
  poly->SetRot(std::move(rot));
  list.AddPolygon(std::move(poly));
  list.GetExtent();
  TTextWriter w;
  list.SaveToF(w);
  Write(root / "fuzz_drawlist", "drawlist-two-polygons", w.Bytes());

  TDrawList empty;
  TTextWriter e;
  empty.SaveToF(e);
  Write(root / "fuzz_drawlist", "drawlist-empty", e.Bytes());
}

// A collection file as the game writes it: a maze with walls, a landing edge, an animated
// polygon and two balls, and an empty maze.
void WriteCollectionSeeds(const fs::path& root) {
  TMazeList list;
  auto maze = std::make_unique<TMaze>();
  maze->mazename = "H\xC3\xB6hle";
  maze->AddPolygon(TPolygon::CreateCircle(0, 0, 400, 300, 0, 12, 0x808080));
  auto floor = std::make_unique<TPolygon>();
  floor->AddSide(-50, -100, st_normal, 0x0000FF);
  floor->AddSide(50, -100, st_landing, 0x00FF00);
  floor->AddSide(0, -150, st_normal, 0x0000FF);
  auto rot = std::make_unique<TRotate>();
  rot->init(0.25, 0, -120, 60);
  floor->SetRot(std::move(rot));
  maze->AddPolygon(std::move(floor));
  maze->AddBall(100, 50, 0x00FFFF);
  maze->AddBall(-100, 50, -1);
  maze->GetExtent();
  list.SetMaze(0, std::move(maze));
  auto empty = std::make_unique<TMaze>();
  empty->mazename = "Empty";
  list.SetMaze(1, std::move(empty));
  TTextWriter w;
  list.SaveToF(w);
  Write(root / "collection_fuzz", "collection-two-mazes.cav", w.Bytes());
  // The editor's import reads both kinds of file: the collection, and each maze alone.
  Write(root / "mazefile_fuzz", "collection-two-mazes.cav", w.Bytes());
  for (int i = 0; i < list.Count(); ++i) {
    TTextWriter m;
    list.GetMaze(i)->SaveToF(m);
    Write(root / "mazefile_fuzz", "maze-" + std::to_string(i) + ".mze", m.Bytes());
  }
}

// Best-run files: a short run with every kind of key and a long still one.
void WriteBestRunSeeds(const fs::path& root) {
  TRunRecording run;
  run.maze_hash = 0x0123456789ABCDEFull;
  run.clock = 40;
  for (int i = 0; i < 48; ++i) {
    TRunKeys k;
    k.flags = static_cast<std::uint8_t>((i / 3) % 64);
    k.wheel = i % 7 == 0 ? 120 * (i % 2 ? 1 : -1) : 0;
    run.keys.push_back(k);
  }
  for (int i = 0; i <= 41; ++i) {
    run.poses.push_back({0.01 * i, 0.5 - 0.0003 * i * i, 1.5707963267948966 + 0.2 * (i / 8)});
  }
  run.checks = {{0, 1}, {32, 0xDEADBEEF}, {41, 7}};
  Write(root / "bestrun_fuzz", "short.gxrun", WriteRunFile(run));
  TRunRecording still;
  still.keys.assign(3000, TRunKeys{});
  still.keys[0].flags = TRunKeys::kThrust;
  still.poses.assign(3001, TRunPose{1, 2, 3});
  still.clock = 3000;
  Write(root / "bestrun_fuzz", "still.gxrun", WriteRunFile(still));
}
#endif

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds OUTDIR\n";
    return 2;
  }
  try {
    RegisterTestClasses();
    const fs::path root = argv[1];
    WriteBaseSeeds(root);
#ifdef GX_FUZZ_MODEL
    WriteDrawListSeeds(root);
    WriteCollectionSeeds(root);
    WriteBestRunSeeds(root);
#endif
  } catch (const std::exception& e) {
    std::cerr << "fuzz_seeds: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
