#pragma once

#include <array>
#include <string_view>

#include "game/scene.h"

namespace flakmire {

// The fixed playfield: its size, the lines the rules measure from, and the scene as it stands
// before any code runs.

constexpr int PlayfieldWidth = 794;
constexpr int PlayfieldHeight = 534;
constexpr float GroundY = 488;  // the top edge of the ground
constexpr float PivotX = 396;   // the turret's centre, where the barrel turns
constexpr float PivotY = 434;

constexpr Rgb SkyColor{125, 158, 244};

constexpr int CopterWidth = 65, CopterHeight = 41;
constexpr int JetWidth = 81, JetHeight = 33;
constexpr int TrooperWidth = 17, TrooperHeight = 25;
constexpr int ParachuteSize = 33;
constexpr int WireWidth = 65, WireHeight = 17;

// The title's letter places; repeated letters take their pictures from the first of them at load.
constexpr std::string_view Title = "FLAKMIRE!!!";
constexpr int LetterWidth = 55, LetterHeight = 68;
constexpr float LetterTop = 144, FirstLetterLeft = 88, LetterPitch = 56;
constexpr int TurnOverLetter = 11;  // sprite 11 holds what the first letter turns into

Scene MakePlayfield();

// The layers of the playfield, from the back to the front. Members loaded at run time are
// painted at their template's layer, higher indexes in front.
enum class Layer {
  Copters,
  RoofWire,  // Wire(2)
  Bunker,    // Shape1
  Ground,    // Shape2
  Label1,
  Parachutes,
  Turret,
  Bullets,
  GroundWire,  // Wire 0, 1, 3, 4, front-most last
  Troopers,
  Jets,
  Label2,
  ThirdFlag,  // pole and flag 0
  Gun,        // lnGun 0, then 1 in front
  Flags,      // poles and flags 1, then 2 in front
  Letters,    // the title, over everything
  Paused,     // the pause's word, over everything else
};

constexpr std::array<Layer, 17> BackToFront = {
    Layer::Copters,    Layer::RoofWire,   Layer::Bunker, Layer::Ground,
    Layer::Label1,     Layer::Parachutes, Layer::Turret, Layer::Bullets,
    Layer::GroundWire, Layer::Troopers,   Layer::Jets,   Layer::Label2,
    Layer::ThirdFlag,  Layer::Gun,        Layer::Flags,  Layer::Letters, Layer::Paused};

}  // namespace flakmire
