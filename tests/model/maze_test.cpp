// The maze as referee, piece by piece: state changes, key sampling, landing, reset, the
// editing helpers and the maze record.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <numbers>
#include <vector>

#include "gx_ball.h"
#include "gx_bullet.h"
#include "gx_force.h"
#include "gx_mazegame.h"
#include "gx_polygon.h"
#include "gx_rocket.h"
#include "referee_fixture.h"

namespace {

using referee_test::MakeCave;
using referee_test::Slab;
using referee_test::TGame;

constexpr double kPi = std::numbers::pi;

std::array<double, 4> Rect(const TDRect& r) {
  return {r.x1, r.x2, r.y1, r.y2};
}

TEST(Maze, NewMazeIsEmptyAndAtRest) {
  TMaze m;
  EXPECT_EQ(m.Id(), 7);
  EXPECT_EQ(m.GameState(), gs_intro);
  EXPECT_EQ(m.Rocket(), nullptr);
  EXPECT_EQ(m.balllist->Count(), 0);
  EXPECT_EQ(m.bullitlist->Count(), 0);
  EXPECT_TRUE(m.NoMoreBalls()) << "a maze without balls counts as cleared";
  EXPECT_EQ(m.TickUnit(), 0);
  m.reset();  // works without a rocket
  EXPECT_EQ(m.GameState(), gs_intro);
}

TEST(Maze, GameStateWriterSetsMessagesAndNotifies) {
  TMaze m;
  std::vector<TGameState> seen;
  m.FOnGameStateChange = [&](TMaze* sender) {
    EXPECT_EQ(sender, &m);
    seen.push_back(sender->GameState());
  };
  m.SetMsgLine("Press F1 for Help");
  m.SetGameState(gs_practice);
  EXPECT_EQ(m.MsgLine(), "") << "starting a run removes the hint";
  m.SetGameState(gs_freeze);
  EXPECT_EQ(m.MsgLine(), "Game Frozen");
  EXPECT_EQ(m.FPrevState, gs_practice);
  m.SetGameState(m.FPrevState);
  EXPECT_EQ(m.MsgLine(), "");
  EXPECT_EQ(m.GameState(), gs_practice);
  m.SetGameState(gs_practice);
  EXPECT_EQ(m.FPrevState, gs_practice) << "also set when the state does not change";
  m.SetMsgLine("x");
  m.duration = 7;
  m.SetGameState(gs_intro);
  EXPECT_EQ(m.duration, 0u) << "going back to the intro resets the run";
  EXPECT_EQ(m.MsgLine(), "");
  EXPECT_EQ(seen,
            (std::vector<TGameState>{gs_practice, gs_freeze, gs_practice, gs_practice, gs_intro}));
}

TEST(Maze, ZonesPlaceTheAttachedRocket) {
  TRocket r;  // outlives the maze, as in the game
  TMaze m;
  const double lift = r.sx / 5;
  m.SetStart(TDRect{1, 3, 2, 2});
  m.SetRocket(&r);
  EXPECT_EQ(r.maze, &m);
  EXPECT_DOUBLE_EQ(r.startpos.x, 2);
  EXPECT_DOUBLE_EQ(r.startpos.y, 2 + lift);
  EXPECT_EQ(Rect(m.Landing()), Rect(m.Start()));
  // The landing writer uses the mean of y1 and y2, the rocket writer y1 alone.
  m.SetLanding(TDRect{0, 1, 4, 6});
  EXPECT_DOUBLE_EQ(r.startpos.x, 0.5);
  EXPECT_DOUBLE_EQ(r.startpos.y, 5 + lift);
  m.SetRocket(&r);
  EXPECT_DOUBLE_EQ(r.startpos.y, 4 + lift);
  m.reset();
  EXPECT_EQ(Rect(m.Landing()), (std::array{1.0, 3.0, 2.0, 2.0}));
  EXPECT_DOUBLE_EQ(r.FForce->py(), 2 + lift) << "the reset rocket stands at the start";
}

TEST(Maze, DestroyingTheMazeDetachesTheRocket) {
  TRocket r;
  {
    TMaze m;
    m.SetRocket(&r);
  }
  EXPECT_EQ(r.maze, nullptr);
}

TEST(Maze, ResetRestoresBallsClearsBulletsAndRewindsAnimation) {
  TGame g(MakeCave());
  TMaze& m = *g.maze;
  m.balllist->GetBall(1)->invisible = true;
  m.bullitlist->AddBullit(std::make_unique<TBullit>());
  m.FFinished = true;
  m.FFinishTicks = 12;
  m.duration = 99;
  m.SetGameState(gs_practice);
  g.rocket.score = 3;
  m.reset();
  EXPECT_EQ(m.GameState(), gs_intro);
  EXPECT_FALSE(m.FFinished);
  EXPECT_EQ(m.FFinishTicks, 0);
  EXPECT_EQ(m.duration, 0u);
  EXPECT_FALSE(m.balllist->GetBall(1)->invisible);
  EXPECT_EQ(m.bullitlist->Count(), 0);
  EXPECT_EQ(g.rocket.score, 0);
  EXPECT_EQ(m.FPrevState, gs_intro) << "reset changes the state without the writer";
}

TEST(Maze, TickUnitReachesPolygonsButNotBalls) {
  auto m = MakeCave();
  m->SetTickUnit(25);
  EXPECT_EQ(m->TickUnit(), 25);
  for (int i = 0; i < m->Count(); ++i) EXPECT_EQ(m->GetPolygon(i)->TickUnit(), 25);
  EXPECT_EQ(m->balllist->GetBall(0)->TickUnit(), 0);
}

// --- keys -----------------------------------------------------------------------------------

TEST(MazeKeys, EachFlagComesFromItsKeys) {
  struct Case {
    std::uint8_t key;
    bool TKeyState::*flag;
  };
  const Case cases[] = {
      {vk::LControl, &TKeyState::K_THRUST}, {vk::Down, &TKeyState::K_FREEZE},
      {vk::F, &TKeyState::K_FREEZE},        {vk::Left, &TKeyState::K_LEFT},
      {vk::A, &TKeyState::K_LEFT},          {vk::Right, &TKeyState::K_RIGHT},
      {vk::D, &TKeyState::K_RIGHT},         {vk::Escape, &TKeyState::K_TERMINATE},
      {vk::Up, &TKeyState::K_SHOOT},        {vk::LMenu, &TKeyState::K_SHOOT},
  };
  bool TKeyState::*all[] = {&TKeyState::K_THRUST, &TKeyState::K_FREEZE,    &TKeyState::K_LEFT,
                            &TKeyState::K_RIGHT,  &TKeyState::K_TERMINATE, &TKeyState::K_SHOOT};
  for (const Case& c : cases) {
    for (bool tap : {false, true}) {
      TMaze m;
      TScriptedKeys keys;
      m.SetKeyService(&keys);
      tap ? keys.Tap(c.key) : keys.Down(c.key);
      m.CheckGameKeys();
      for (auto f : all) {
        EXPECT_EQ(m.KeyState.*f, f == c.flag) << "key " << int(c.key) << " tap " << tap;
      }
      // A tap is seen once; a held key on every sampling.
      m.CheckGameKeys();
      EXPECT_EQ(m.KeyState.*c.flag, !tap) << "key " << int(c.key);
    }
  }
}

TEST(MazeKeys, AlternateIsNotAskedWhenThePrimaryIsHit) {
  TMaze m;
  TScriptedKeys keys;
  m.SetKeyService(&keys);
  keys.Down(vk::Left);
  EXPECT_TRUE(m.KeysAreHit(GameKeys[2]));
  EXPECT_EQ(keys.Queries(vk::A), 0);
  keys.Up(vk::Left);
  EXPECT_FALSE(m.KeysAreHit(GameKeys[2]));
  EXPECT_EQ(keys.Queries(vk::A), 1);
  EXPECT_FALSE(m.KeysAreHit(GameKeys[0]));
  EXPECT_EQ(keys.Queries(0), 0) << "an alternate of 0 means none";
  // X resets like Space; C is the main window's.
  m.CheckGameKeys();
  EXPECT_EQ(keys.Queries(vk::X), 1);
  EXPECT_EQ(keys.Queries(vk::C), 0);
}

TEST(MazeKeys, SpaceOrXRaisesOneResetWhenReleased) {
  for (std::uint8_t key : {vk::Space, vk::X}) {
    TMaze m;
    TScriptedKeys keys;
    m.SetKeyService(&keys);
    keys.Down(key);
    for (int i = 0; i < 5; ++i) {
      m.CheckGameKeys();
      EXPECT_FALSE(m.KeyState.K_RESET) << "key " << int(key) << " held, sample " << i;
      EXPECT_TRUE(m.KeyState.K_RESETDOWN);
    }
    keys.Up(key);
    m.CheckGameKeys();
    EXPECT_TRUE(m.KeyState.K_RESET) << "key " << int(key);
    EXPECT_FALSE(m.KeyState.K_RESETDOWN);
    m.CheckGameKeys();
    EXPECT_TRUE(m.KeyState.K_RESET) << "pending until acted on";
    // A quick tap between two samplings is also one request, raised at the next sampling.
    m.KeyState.K_RESET = false;
    keys.Tap(key);
    m.CheckGameKeys();
    EXPECT_FALSE(m.KeyState.K_RESET);
    m.CheckGameKeys();
    EXPECT_TRUE(m.KeyState.K_RESET) << "key " << int(key);
  }

  // Both held: one request, when the last of them is let go.
  TMaze m;
  TScriptedKeys keys;
  m.SetKeyService(&keys);
  keys.Down(vk::Space);
  m.CheckGameKeys();
  keys.Down(vk::X);
  keys.Up(vk::Space);
  m.CheckGameKeys();
  EXPECT_FALSE(m.KeyState.K_RESET) << "X still held";
  keys.Up(vk::X);
  m.CheckGameKeys();
  EXPECT_TRUE(m.KeyState.K_RESET);
}

TEST(MazeKeys, RClearsTheBestTime) {
  TMaze m;
  TScriptedKeys keys;
  m.SetKeyService(&keys);
  m.bestdur = 3.5;
  m.CheckGameKeys();
  EXPECT_EQ(m.bestdur, 3.5);
  keys.Tap(vk::R);
  m.CheckGameKeys();
  EXPECT_EQ(m.bestdur, 0);
}

TEST(MazeKeys, WithoutAKeyServiceNothingIsHit) {
  TRocket r;
  auto m = MakeCave();
  m->SetRocket(&r);
  m->reset();
  EXPECT_FALSE(m->TickTime(1));
  EXPECT_EQ(m->GameState(), gs_intro);
}

// --- landing ----------------------------------------------------------------------------------

TEST(MazeLanding, OnlyGentleUprightContactsLand) {
  struct Case {
    const char* what;
    double vx, vy, angle;
    bool lands;
  };
  const double tilt = 0.17453292519943295;
  const Case cases[] = {
      {"at rest, upright", 0, 0, kPi / 2, true},
      {"slow sink", 0.02, -0.02, kPi / 2, true},
      {"too fast down", 0, -0.0201, kPi / 2, false},
      {"too fast sideways", -0.0201, 0, kPi / 2, false},
      {"tilted just under 10 degrees", 0, 0, kPi / 2 + tilt * 0.999, true},
      {"tilted more", 0, 0, kPi / 2 - tilt - 1e-9, false},
      {"a full turn to the left before", 0, 0, kPi / 2 + 2 * kPi, true},
      {"two turns to the right, just under 10 degrees", 0, 0, kPi / 2 - 4 * kPi - tilt * 0.999,
       true},
      {"a full turn and tilted more", 0, 0, kPi / 2 + 2 * kPi + tilt + 1e-9, false},
      {"upside down after a loop", 0, 0, kPi / 2 + 3 * kPi, false},
      {"no heading at all", 0, 0, std::numeric_limits<double>::quiet_NaN(), false},
  };
  for (const Case& c : cases) {
    TGame g(MakeCave());
    TPolygon* floor = g.maze->GetPolygon(0);
    TSide* edge_end = floor->GetSide(2);
    g.rocket.SetAngle(c.angle);
    g.Force().SetVx(c.vx);
    g.Force().SetVy(c.vy);
    g.Force().SetPx(0.75);
    g.Force().SetPy(-0.01);
    EXPECT_EQ(g.maze->Land(floor, edge_end), c.lands) << c.what;
    if (!c.lands) continue;
    const double stand = g.rocket.sx / 5;
    EXPECT_EQ(g.Force().vx(), 0) << c.what;
    EXPECT_EQ(g.Force().vy(), 0);
    EXPECT_EQ(g.Force().ax(), 0);
    EXPECT_EQ(g.Force().ay(), 0);
    EXPECT_DOUBLE_EQ(g.Force().py(), stand);
    EXPECT_EQ(g.Force().px(), 0.75);
    EXPECT_EQ(g.rocket.angle(), kPi / 2);
    EXPECT_DOUBLE_EQ(g.rocket.startpos.x, 0.75);
    EXPECT_DOUBLE_EQ(g.rocket.startpos.y, stand);
    // The landing zone is the edge landed on, from its end corner back to the one before.
    EXPECT_EQ(Rect(g.maze->Landing()), (std::array{2.0, -2.0, 0.0, 0.0}));
    // The next run starts from the start zone again.
    g.maze->reset();
    EXPECT_EQ(Rect(g.maze->Landing()), (std::array{-2.0, 2.0, 0.0, 0.0}));
    EXPECT_DOUBLE_EQ(g.rocket.startpos.x, 0);
  }
}

TEST(MazeLanding, TheFirstCornerLandsOnTheEdgeFromTheLastOne) {
  TGame g(MakeCave());
  auto p = std::make_unique<TPolygon>();
  p->AddSide(5, 1, st_landing, 0);
  p->AddSide(5, 0, st_normal, 0);
  p->AddSide(3, 0, st_normal, 0);
  p->AddSide(3, 1, st_normal, 0);
  TPolygon* raw = p.get();
  g.maze->AddPolygon(std::move(p));
  ASSERT_TRUE(g.maze->Land(raw, raw->GetSide(0)));
  EXPECT_EQ(Rect(g.maze->Landing()), (std::array{5.0, 3.0, 1.0, 1.0}));
  EXPECT_EQ(Rect(TMaze::SideRect(*raw, *raw->GetSide(0))), (std::array{3.0, 5.0, 1.0, 1.0}));
  EXPECT_EQ(Rect(TMaze::SideRect(*raw, *raw->GetSide(2))), (std::array{5.0, 3.0, 0.0, 0.0}));
}

// --- editing helpers --------------------------------------------------------------------------

TEST(MazeEditing, BallsAreAddedFoundAndRemoved) {
  TMaze m;
  TBall* white = m.AddBall(1, 2, -1);
  TBall* red = m.AddBall(3, 4, 0x0000FF);
  EXPECT_EQ(white->Color(), 0xFFFFFF);
  EXPECT_EQ(red->Color(), 0x0000FF);
  EXPECT_EQ(red->CenterX(), 3);
  EXPECT_EQ(red->CenterY(), 4);
  EXPECT_FALSE(m.NoMoreBalls());

  TBall* b = nullptr;
  EXPECT_TRUE(m.PointInBall(3.01, 4, b));
  EXPECT_EQ(b, red);
  EXPECT_FALSE(m.PointInBall(10, 10, b));
  EXPECT_EQ(b, red) << "the last ball tried";

  // A bullet aimed at the ball forgets it when the ball goes.
  auto bullet = std::make_unique<TBullit>();
  bullet->Polygon = red;
  TBullit* bp = bullet.get();
  m.bullitlist->AddBullit(std::move(bullet));
  m.RemoveBall(red);
  EXPECT_EQ(m.balllist->Count(), 1);
  EXPECT_EQ(bp->Polygon, nullptr);
  EXPECT_FALSE(m.PointInBall(3, 4, b));
  EXPECT_EQ(b, white);

  TMaze none;
  TBall* untouched = white;
  EXPECT_FALSE(none.PointInBall(0, 0, untouched));
  EXPECT_EQ(untouched, white);
}

TEST(MazeEditing, TransFormMovesPolygonsAndBallsButNotTheMazeMatrix) {
  auto m = MakeCave();
  m->matrix = tmat2d::trans(10, 10);
  m->TransForm(tmat2d::scale(2, 3));
  EXPECT_EQ(m->GetPolygon(0)->GetSide(2)->x(), 4);
  EXPECT_EQ(m->GetPolygon(1)->GetSide(1)->y(), 6);
  EXPECT_EQ(m->balllist->GetBall(0)->CenterY(), 0.8 * 3);
  EXPECT_EQ(m->balllist->GetBall(1)->CenterX(), 1.7 * 2);
}

TEST(MazeEditing, PointInRectPicksCorners) {
  auto m = MakeCave();
  TPolygon* p = m->GetPolygon(1);
  int six = -1;
  EXPECT_TRUE(m->PointInRect(TDRect{1.9, 2.1, -0.1, 0.1}, p, six));
  EXPECT_EQ(p, m->GetPolygon(0));
  EXPECT_EQ(six, 2);
  EXPECT_FALSE(m->PointInRect(TDRect{7, 8, 7, 8}, p, six));
}

TEST(MazeEditing, RemovingAPolygonForgetsItInTheBullets) {
  auto m = MakeCave();
  TPolygon* wall = m->GetPolygon(1);
  auto bullet = std::make_unique<TBullit>();
  bullet->Polygon = wall;
  TBullit* bp = bullet.get();
  m->bullitlist->AddBullit(std::move(bullet));
  m->RemovePolygon(wall);
  EXPECT_EQ(m->Count(), 1);
  EXPECT_EQ(bp->Polygon, nullptr);
}

// --- record -------------------------------------------------------------------------------------

TEST(MazeRecord, FieldsRoundTripAndLandingFollowsTheStart) {
  auto m = MakeCave();
  m->mazename = "Cave";
  m->bestdur = 1.25;
  m->outcolor = -5;
  m->SetTickUnit(33);
  m->SetLanding(TDRect{9, 9, 9, 9});
  TTextWriter w;
  m->SaveToF(w);
  TTextReader r(w.Bytes());
  ASSERT_EQ(r.ReadInteger(), 7);
  r.ReadLn();
  TRocket rocket;
  TMaze back;
  back.SetRocket(&rocket);
  ASSERT_TRUE(back.LoadFromF(r));
  EXPECT_TRUE(r.AtEnd());
  EXPECT_EQ(back.bestdur, 1.25);
  EXPECT_EQ(back.outcolor, -5);
  EXPECT_EQ(back.incolor, m->incolor);
  EXPECT_EQ(back.linecolor, m->linecolor);
  EXPECT_EQ(back.landcolor, m->landcolor);
  EXPECT_EQ(back.TickUnit(), 33);
  EXPECT_EQ(back.GetPolygon(1)->TickUnit(), 33);
  EXPECT_EQ(Rect(back.Start()), Rect(m->Start()));
  EXPECT_EQ(Rect(back.Landing()), Rect(m->Start()));
  EXPECT_DOUBLE_EQ(rocket.startpos.y, rocket.sx / 5) << "the landing writer placed the rocket";
  EXPECT_EQ(back.balllist->Count(), 2);
  EXPECT_EQ(back.Count(), 2);
}

TEST(MazeRecord, StartsWithItsOwnHeaderLineAndNests) {
  TMaze m;
  m.mazename = "Tiny";
  TTextWriter w;
  m.SaveToF(w);
  const std::string& s = w.Bytes();
  EXPECT_EQ(s.rfind("7 Tiny\r\n 0.00000000000000E+0000\r\n", 0), 0u);
  const std::size_t balls = s.find("9 {TBallList}\r\n");
  const std::size_t own = s.find("7 {TMaze}\r\n");
  ASSERT_NE(balls, std::string::npos);
  ASSERT_NE(own, std::string::npos);
  EXPECT_LT(balls, own);
}

}  // namespace
