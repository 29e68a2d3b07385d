#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace flakmire {

// The playfield as plain data: every control of the main window with the properties the game
// reads and writes. The game writes it; the desktop shell paints it and decides nothing.

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The pictures a sprite can show. The shell decodes each once and paints it many times.
enum class PictureId : std::uint8_t {
  None,
  Copter,  // nose to the right, a soldier in the open door
  CopterFacingLeft,
  Jet,  // nose to the right
  JetFacingLeft,
  Trooper,  // arms held out
  TrooperArmsRaised,
  Parachute,
  Wire,
  // The title's letters, and the flak burst that the first letter turns into.
  LetterF,
  LetterL,
  LetterA,
  LetterK,
  LetterM,
  LetterI,
  LetterR,
  LetterE,
  LetterBang,
  FlakBurst,
};

// An image control, drawn at its natural size; a title letter is stretched to its box.
struct Sprite {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = false;
  PictureId Picture = PictureId::None;

  void Move(float left, float top) {
    Left = left;
    Top = top;
  }
};

enum class ShapeKind : std::uint8_t { Rectangle, RoundedRectangle, Circle };

// A filled shape with a one-pixel border.
struct Shape {
  ShapeKind Kind = ShapeKind::Rectangle;
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = false;
  Rgb FillColor, BorderColor;
  std::string Tag;  // short text the game keeps with the shape

  void Move(float left, float top, float width, float height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
  }
};

struct Line {
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int BorderWidth = 1;
  Rgb BorderColor;
  bool Visible = false;
  std::string Tag;
};

// A number display; its text is centred on Left + Width / 2.
struct Label {
  float Left = 0, Top = 0, Width = 0;
  std::string Caption;
  bool Visible = true;
};

// A control array: member 0 is the hidden template from the layout, members 1 and up are copies
// that the game loads and unloads at run time, always at the top.
template <class Control>
class ControlArray {
 public:
  explicit ControlArray(Control templ) { members_.push_back(std::move(templ)); }

  int UpperBound() const { return static_cast<int>(members_.size()) - 1; }
  Control& operator[](int index) { return members_[static_cast<std::size_t>(index)]; }
  const Control& operator[](int index) const { return members_[static_cast<std::size_t>(index)]; }

  void Reserve(int members) { members_.reserve(static_cast<std::size_t>(members) + 1); }

  // Loads member UpperBound() + 1 as a hidden copy of the template.
  void LoadNext() {
    Control copy = members_.front();
    copy.Visible = false;
    members_.push_back(std::move(copy));
  }
  // Destroys the top member; the template stays.
  void UnloadTop() {
    if (members_.size() > 1) members_.pop_back();
  }

  auto begin() const { return members_.begin(); }
  auto end() const { return members_.end(); }

 private:
  std::vector<Control> members_;
};

struct Scene {
  // Static scene.
  Shape Shape2;                    // the ground
  Shape Shape1;                    // the bunker
  Shape shpTurret;                 // the gun's pivot
  std::array<Line, 2> lnGun;       // 0 the barrel's outline, 1 its core
  std::array<Sprite, 5> Wire;      // barbed-wire coils
  std::array<Line, 3> lnFlagPole;  // each carries its target x in its Tag
  std::array<Shape, 3> shpFlag;
  Label Label1;  // points, on the bunker
  Label Label2;  // score, on the ground
  Label lblPaused;  // over the playfield while the run is paused

  // Templates and alternate pictures.
  ControlArray<Sprite> imgCopter{Sprite{}};
  ControlArray<Sprite> imgJet{Sprite{}};
  ControlArray<Sprite> imgTrooper{Sprite{}};
  ControlArray<Sprite> imgPara{Sprite{}};
  ControlArray<Shape> imgBullet{Shape{}};
  Sprite imgCopter2, imgJet2, imgTrooper2;

  // The title: 0 to 10 its letters, 11 the picture the first one turns into.
  std::array<Sprite, 12> imgLetter;
};

}  // namespace flakmire
