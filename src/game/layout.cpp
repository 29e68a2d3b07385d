#include "game/layout.h"

namespace flakmire {

namespace {

constexpr Rgb GroundFill{0, 192, 0}, GroundBorder{0, 128, 0};
constexpr Rgb ConcreteFill{128, 192, 192}, ConcreteBorder{0, 64, 64};
constexpr Rgb PoleColor{64, 0, 0}, FlagFill{192, 0, 0}, FlagBorder{128, 0, 0};
constexpr Rgb ThirdPoleColor{64, 64, 0}, ThirdFlagFill{0, 192, 192}, ThirdFlagBorder{0, 128, 128};
constexpr Rgb BulletFill{0, 0, 128}, BulletBorder{0, 0, 64};

constexpr float FlagTop = 464, FlagWidth = 25, FlagHeight = 9;

Shape MakeShape(ShapeKind kind, float left, float top, float width, float height, Rgb fill,
                Rgb border, bool visible = true) {
  Shape s;
  s.Kind = kind;
  s.Move(left, top, width, height);
  s.FillColor = fill;
  s.BorderColor = border;
  s.Visible = visible;
  return s;
}

Sprite MakeSprite(PictureId picture, float left, float top, float width, float height,
                  bool visible = false) {
  Sprite s;
  s.Picture = picture;
  s.Move(left, top);
  s.Width = width;
  s.Height = height;
  s.Visible = visible;
  return s;
}

Line MakeLine(float x1, float y1, float x2, float y2, int width, Rgb color, bool visible = true) {
  Line l;
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
  l.BorderWidth = width;
  l.BorderColor = color;
  l.Visible = visible;
  return l;
}

}  // namespace

Scene MakePlayfield() {
  Scene s;
  s.Shape2 = MakeShape(ShapeKind::Rectangle, -8, GroundY, 808, 49, GroundFill, GroundBorder);
  s.Shape1 = MakeShape(ShapeKind::RoundedRectangle, 363, 440, 65, 57, ConcreteFill, ConcreteBorder);
  s.shpTurret = MakeShape(ShapeKind::Circle, 386, 424, 20, 20, ConcreteFill, ConcreteBorder);

  s.lnGun[0] = MakeLine(PivotX, PivotY, 416, 408, 16, ConcreteBorder);
  s.lnGun[1] = MakeLine(PivotX, PivotY, 416, 408, 14, ConcreteFill);

  constexpr std::array<float, 5> wireLeft = {0, 728, 363, 347, 379};
  for (int i = 0; i < 5; ++i) {
    const float top = i == 2 ? 424 : 472;  // coil 2 lies on the bunker's roof
    s.Wire[i] = MakeSprite(PictureId::Wire, wireLeft[i], top, WireWidth, WireHeight, true);
  }

  s.lnFlagPole[0] = MakeLine(480, FlagTop, 480, GroundY, 2, ThirdPoleColor, false);
  s.lnFlagPole[1] = MakeLine(64, FlagTop, 64, GroundY, 2, PoleColor);
  s.lnFlagPole[2] = MakeLine(728, FlagTop, 728, GroundY, 2, PoleColor);
  s.shpFlag[0] = MakeShape(ShapeKind::Rectangle, 480, FlagTop, FlagWidth, FlagHeight, ThirdFlagFill,
                           ThirdFlagBorder, false);
  s.shpFlag[1] =
      MakeShape(ShapeKind::Rectangle, 64, FlagTop, FlagWidth, FlagHeight, FlagFill, FlagBorder);
  s.shpFlag[2] =
      MakeShape(ShapeKind::Rectangle, 728, FlagTop, FlagWidth, FlagHeight, FlagFill, FlagBorder);

  // Both numbers centre on the gun's axis.
  s.Label1 = Label{392, 450, 8, "", true};
  s.Label2 = Label{391, 496, 8, "", true};
  s.lblPaused = Label{0, 200, 794, "PAUSED", false};

  s.imgCopter =
      ControlArray<Sprite>(MakeSprite(PictureId::Copter, 248, 288, CopterWidth, CopterHeight));
  s.imgCopter2 = MakeSprite(PictureId::CopterFacingLeft, 0, 0, CopterWidth, CopterHeight);
  s.imgJet = ControlArray<Sprite>(MakeSprite(PictureId::Jet, 72, 288, JetWidth, JetHeight));
  s.imgJet2 = MakeSprite(PictureId::JetFacingLeft, 0, 0, JetWidth, JetHeight);
  s.imgTrooper =
      ControlArray<Sprite>(MakeSprite(PictureId::Trooper, 392, 352, TrooperWidth, TrooperHeight));
  s.imgTrooper2 = MakeSprite(PictureId::TrooperArmsRaised, 0, 0, TrooperWidth, TrooperHeight);
  s.imgPara = ControlArray<Sprite>(
      MakeSprite(PictureId::Parachute, 384, 334, ParachuteSize, ParachuteSize));
  s.imgBullet = ControlArray<Shape>(
      MakeShape(ShapeKind::Circle, 432, 384, 49, 1, BulletFill, BulletBorder, false));

  // A letter that repeats an earlier one has no picture of its own: the "!" after the first.
  constexpr std::array<PictureId, 12> letters = {
      PictureId::LetterF,    PictureId::LetterL, PictureId::LetterA, PictureId::LetterK,
      PictureId::LetterM,    PictureId::LetterI, PictureId::LetterR, PictureId::LetterE,
      PictureId::LetterBang, PictureId::None,    PictureId::None,    PictureId::FlakBurst};
  for (int i = 0; i < static_cast<int>(letters.size()); ++i) {
    const float left = i == TurnOverLetter ? FirstLetterLeft : FirstLetterLeft + LetterPitch * i;
    s.imgLetter[i] = MakeSprite(letters[i], left, LetterTop, LetterWidth, LetterHeight);
  }
  return s;
}

}  // namespace flakmire
