// The frame, the timers, the reset, and the tags and layout under them.

#include <stdexcept>

#include "fakes/test_game.h"
#include "game/tags.h"

namespace flakmire::testing {
namespace {

// A frame where a standing trooper draws for a hop, a fatal fall (+15) pays for a shot, a shell
// hits a bomb (+30) and the level ends.
TEST(Frame, RunsItsStepsInOrder) {
  TestGame t;
  std::string trace;
  t.g.Points = 0, t.g.FireKey = key_code::B, t.g.GunLength = 6;
  t.g.FrameMs = 48;  // three blood drops, two draws each
  t.g.LevelClock = 8.0f, t.g.LastFrameTime = t.now;
  t.Put({true, 100, StandingY, 0, 0, ChuteGone}), t.Put({true, 200, 462, 0, 3, ChuteGone, 0});
  // The standing trooper would hop, but the gunner lives.
  t.Make(Bomb, 100, 100), t.Make(StandardShell, 100, 100), t.queue = {0};
  Trace = &trace, t.Frame(), Trace = nullptr;
  // Reseed, the hop, blood, spawn draws, caption, paint, wait, the level change's yield, the wind.
  EXPECT_EQ(trace, "RrrrrrrrrrCPSYr");
  // Reseeded from the clock; the points and the score (shown as they are, every frame checks).
  EXPECT_EQ(Text("%g %d %d", t.lastSeed, t.g.Points, t.g.Score), "36000 44 34");
}

// One frame from these numbers. Seen: the run's numbers with the caption after the level, the
// aircraft that started, the wait and the frame's length.
struct FrameRow {
  int points = 10, score = 0, level = 0;
  float clock = 1, wind = 0;
  bool dead = false;
  Cheat cheat = Cheat::Cheated;
  std::deque<float> draws = {};  // then 0.5s
  double last = 36000, now = 36000;
  // The left pole's mark; the right one's is mirrored, 792 - it.
  const char *tag = "64", *seen;
};

TEST(Frame, KeepsScoreLevelsWindAndPaceAndBringsAircraftInTheirPhase) {
  // A frame's step of the level clock lands on a bound exactly from `bound - Step`.
  const float Step = 0.001f;
  for (const FrameRow& r : {
           // The score (the best points less ten) freezes at death; FREE spends it.
           FrameRow{.points = 57, .score = 40, .dead = true, .seen = "points 57 score 40 "},
           {.points = 25, .score = 12, .cheat = Cheat::Free, .seen = "points 15 score 15 "},
           // Helicopters may start before 5, jets between 5.5 and 7.5, all bounds excluded.
           {.clock = 0, .draws = {0.001f}, .seen = "copters 1 jets 0 "},
           {.clock = 5 - Step, .draws = {0.001f}, .seen = "copters 0 jets 0 "},
           {.clock = 5.5f - Step, .draws = {0.5f, 0.001f}, .seen = "copters 0 jets 0 "},
           {.clock = 7.5f - Step, .draws = {0.5f, 0.001f}, .seen = "copters 0 jets 0 "},
           {.clock = 2, .dead = true, .draws = {0.001f}, .seen = "copters 0 jets 0 "},
           // A level lasts until the clock is past 8; the eleventh is the last.
           {.clock = 8 - Step, .seen = "level 0 'Flakmire  Level: 1' clock 8 "},
           {.level = 5, .clock = 8, .dead = true, .seen = "level 5 'Flakmire  Level: 6' clock 0 "},
           {.level = 4, .clock = 8, .seen = "bombs -1050..1050 "},
           // After two spawn draws: the wind moves a tenth with odds 1 in 15 - Level, within 3,
           // and stands still after death.
           {.level = 10, .draws = {0.5f, 0.5f, 0.999f / 5, 0.2f}, .seen = "wind -0.1/-0.0001 "},
           {.wind = -3, .draws = {0.5f, 0.5f, 0, 0.2f}, .seen = "wind -3/-0.003 "},
           {.wind = 3, .draws = {0.5f, 0.5f, 0, 0.7f}, .seen = "wind 3/0.003 "},
           {.wind = 1, .dead = true, .draws = {0.5f, 0.5f, 0, 0.7f}, .seen = "wind 1/0.001 "},
           // A pole walks a third of a pixel a frame to the mark in its tag, 0 when it has none
           // (pole 0); a flag is a third of |Wind| x 25 rounded half to even, and flies downwind.
           {.tag = "200", .seen = "poles 479.667,64.3333-64.3333,727.667 "},
           // clang-format off
           {.seen = "flags 64+0 728+0 "}, {.wind = 0.1f, .seen = "flags 64+0 728+0 "},
           {.wind = -0.3f, .seen = "flags 63+2 727+2 "}, {.wind = 0.7f, .seen = "flags 64+6 728+6 "},
           // clang-format on
           // A frame waits for the clock to move on, except while Points is 0, also past midnight.
           {.points = 0, .seen = "sleeps 0 ms 0 fast 1 last 36000"},
           {.last = 0.046875 - 0.04, .now = 0.046875f, .seen = "sleeps 0 ms 40 fast 1"},
           {.last = 86400 - 1.0 / 64, .now = 0, .seen = "sleeps 0 ms 15.625 fast 1 last 0"},
       }) {
    TestGame t;
    t.g.Points = r.points, t.g.Score = r.score, t.g.Level = r.level, t.g.LevelClock = r.clock;
    t.g.Wind = r.wind, t.g.WindDrift = r.dead ? 0.5f : r.wind / 1000, t.g.LastFrameTime = r.last;
    if (r.dead) BeKilled(t.g);
    t.now = r.now, t.g.scene.lnFlagPole[1].Tag = r.tag, t.queue = r.draws;
    t.g.scene.lnFlagPole[2].Tag = std::to_string(792 - std::stoi(r.tag));
    t.g.cheats.Set(r.cheat, true), t.Frame();
    std::string seen = Numbers(t.g);
    seen.insert(seen.find(" clock"), " '" + t.caption + "'");
    const Line* pole = t.g.scene.lnFlagPole.data();
    const Shape* flag = t.g.scene.shpFlag.data();
    seen += Text(" copters %d jets %d sleeps %d ms %g fast %d last %.11g", t.g.Copters.UpperBound(),
                 t.g.Jets.UpperBound(), t.sleeps, t.g.FrameMs, t.g.FastFrame, t.g.LastFrameTime) +
            Text(" poles %g,%g-%g,%g flags %g+%g %g+%g ", pole[0].X1, pole[1].X1, pole[1].X2,
                 pole[2].X1, flag[1].Left, flag[1].Width, flag[2].Left, flag[2].Width);
    EXPECT_THAT(seen, HasSubstr(r.seen));
  }
  TestGame t;       // 8001 frames a level, and the level after the last is the last
  int offBeat = 0;  // yields in a frame that is not a fourth one
  t.onYield = [&] { offBeat += t.presents % 4 != 0; };
  while (t.g.Level == 0 && t.presents < 9000) t.Frame();
  EXPECT_EQ(Text("%d %d %d", t.presents, t.yields, offBeat), "8001 2001 1") << "and the last";
  t.g.Level = 10, t.g.LevelClock = 8, t.Frame();
  EXPECT_EQ(t.caption + Text(" %d", t.g.Level),
            "Flakmire  -  This inferno will never end so press '~' to submit your score 10");
}

// A tick runs frames, yielding every fourth, until the death, then one; ticks never nest, a close
// ends one, and a throw frees the next.
TEST(Tick, RunsFramesUntilTheGunnerDiesThenOneATick) {
  TestGame t;
  t.onYield = [&] {
    Timer1_Timer(t.g);
    if (t.yields == 2) throw std::runtime_error("in a yield");
    if (t.yields == 5) BeKilled(t.g);
  };
  EXPECT_THROW(Timer1_Timer(t.g), std::runtime_error);
  Timer1_Timer(t.g), Timer1_Timer(t.g), Timer1_Timer(t.g);
  ResetGame(t.g), t.onYield = [&] { Form_Unload(t.g); };
  Timer1_Timer(t.g), Timer1_Timer(t.g);
  EXPECT_EQ(t.presents, 27);  // the death shows its frame at once
  Form_MouseMove(t.g);        // the pointer shows on a move and hides when its timer comes due
  EXPECT_TRUE(t.pointer == Pointer::Normal && t.enabled[TimerId::tmrTrans]);
  tmrTrans_Timer(t.g);
  EXPECT_TRUE(t.pointer == Pointer::Hidden && !t.enabled[TimerId::tmrTrans]);
}

TEST(Reset, StartsARunFromItsStartingValuesAndKeepsWhatCarriesOver) {
  TestGame t;
  Game& g = t.g;
  for (int i = 0; i < 3; ++i) t.Put({true, 1, 2}), CreateCopter(g), CreateJet(g), t.Make(-1, 5, 5);
  g.Points = 77, g.Score = 300, g.Level = 5, g.LevelClock = 3.2f, g.Wind = -1.7f, g.WindDrift = 1;
  g.BombMaxOffset = 120, g.BombMinOffset = 30, g.FireKey = 66, g.GunAngle = -57, g.GunLength = 4.4f;
  g.scene.lnFlagPole[1].Tag = g.scene.lnFlagPole[2].Tag = "300", BeKilled(g);
  for (int i = 0; i < CheatCount; ++i) g.cheats.Set(static_cast<Cheat>(i), true);
  t.enabled[TimerId::tmrDead] = true, t.dateTime = 46100.25;
  ResetGame(g);
  EXPECT_EQ(
      Numbers(g) + Text(" tables %d %d %d %d timers %d%d start %g", g.Troopers.UpperBound(),
                        g.Bullets.UpperBound(), g.Copters.UpperBound(), g.Jets.UpperBound(),
                        t.enabled[TimerId::tmrDead], t.enabled[TimerId::Timer1], g.StartTime),
      "points 10 score 0 level 0 clock 0 wind 0/1 fire 0 bombs -1000..1000 dead 0 gun -57/4.4 "
      "11 poles 64,728 cheats 00000000 tables 0 0 0 0 timers 01 start 46100.2");
}

// Before it paints, a frame checks that each sprite follows its record: each way to part names its
// rule.
TEST(Frame, ItsCheckNamesEverySpriteThatPartsFromItsRecord) {
  const std::pair<void (*)(Game&), const char*> parts[] = {
      {[](Game& g) { g.scene.imgTrooper[1].Visible = false; }, "a trooper"},
      {[](Game& g) { g.Troopers[1].Y += 1; }, "a trooper"},
      {[](Game& g) { g.scene.imgPara[1].Top += 1; }, "a canopy"},
      {[](Game& g) { g.Copters[1].X += 1; }, "imgCopter"},
      {[](Game& g) { g.scene.imgJet[1].Visible = false; }, "imgJet"},
      {[](Game& g) { g.Bullets[1].Y += 1; }, "imgBullet"},
      {[](Game& g) { g.scene.lnGun[1].Visible = false; }, "both barrel"}};
  for (auto [part, rule] : parts) {
    TestGame t;
    t.Put({true, 100, 100, 0, 0, ChuteOpen}), CreateCopter(t.g), CreateJet(t.g), t.Make(0, 9, 9);
    part(t.g);
    EXPECT_THAT(SceneOutOfStep(t.g), StartsWith(rule));
    ResetGame(t.g);
  }
}

// A step trims one free top slot from its table.
TEST(Tables, TrimOneFreeTopSlotAStep) {
  TestGame t;  // the troopers' table: a dead man's slot in the assault's rows
  for (int made = 0; made < 2; ++made) CreateCopter(t.g), CreateJet(t.g);
  for (int i : {1, 2}) t.g.Copters[i].X = t.g.Jets[i].X = 2000;  // beyond their far lines
  DoCopters(t.g, false), DoPlanes(t.g, false);
  EXPECT_EQ(Text("%d %d", t.g.Copters.UpperBound(), t.g.Jets.UpperBound()), "1 1");
}

// A tag is a number only when its whole text is one; floats are written with 7 digits.
TEST(Tags, ANumberOnlyWhenTheWholeTextIsOneAndFloatsKeepSevenDigits) {
  std::string seen, tag;
  for (const char* text : {"12", " -20.5 ", "+7", "", "12abc", "nan", "inf", "+-5"})
    seen += ReadTag(text) ? Text(" %g", *ReadTag(text)) : " -";
  for (float value : {-123.5f, 150.0f, -0.0f, 1234567.8f}) WriteTag(tag, value), seen += " " + tag;
  EXPECT_EQ(seen, " 12 -20.5 7 - - - - - -123.5 150 0 1234568");
}

// The ground, the bunker, the flags, the coils (left, right, roof, the bunker's), the barrel's
// widths, the labels' centres and the hidden third pole.
TEST(Layout, TheStaticSceneStandsWhereItsControlsAre) {
  const Scene s = MakePlayfield();
  std::string seen;
  for (const Shape* shape : {&s.Shape2, &s.Shape1, &s.shpFlag[1], &s.shpFlag[2]})
    seen += Describe(*shape) + ", ";
  for (int i = 0; i < 4; ++i) seen += Describe(s.Wire[i]) + ", ";
  EXPECT_EQ(seen + Text("barrel %d/%d labels %g, %g pole %d", s.lnGun[0].BorderWidth,
                        s.lnGun[1].BorderWidth, s.Label1.Left + s.Label1.Width / 2,
                        s.Label2.Left + s.Label2.Width / 2, s.lnFlagPole[0].Visible),
            "-8,488 808x49 0,192,0/0,128,0, 363,440 65x57 128,192,192/0,64,64, 64,464 25x9 "
            "192,0,0/128,0,0, 728,464 25x9 192,0,0/128,0,0, 0,472 65x17 8, 728,472 65x17 8, "
            "363,424 65x17 8, 347,472 65x17 8, barrel 16/14 labels 396, 395 pole 0");
}

}  // namespace
}  // namespace flakmire::testing
