#include "desktop/scene_painter.h"

#include <QPainter>
#include <QRegion>
#include <cmath>

#include "desktop/dirty_region.h"
#include "desktop/pictures.h"
#include "game/layout.h"

namespace flakmire {

namespace {

constexpr double LabelPointSize = 13.5;
constexpr QColor LabelColor(24, 24, 48);
constexpr double BannerPointSize = 40;
constexpr QColor BannerColor(255, 236, 140);
constexpr qreal BunkerCornerRadius = 8;

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

void PaintSprite(QPainter& p, const Pictures& pictures, const Sprite& s) {
  if (!s.Visible || s.Picture == PictureId::None) return;
  p.drawPixmap(QPointF(std::round(s.Left), std::round(s.Top)), pictures[s.Picture]);
}

// A title letter fills its box, however narrow: nearest-neighbour scaling keeps the pixel art
// crisp.
void PaintStretched(QPainter& p, const Pictures& pictures, const Sprite& s) {
  if (!s.Visible || s.Picture == PictureId::None) return;
  const QRect box(static_cast<int>(std::round(s.Left)), static_cast<int>(std::round(s.Top)),
                  static_cast<int>(std::round(s.Width)), static_cast<int>(std::round(s.Height)));
  if (box.isEmpty()) return;
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawPixmap(box, pictures[s.Picture]);
}

void PaintShape(QPainter& p, const Shape& s) {
  if (!s.Visible || s.Width < 1 || s.Height < 1) return;
  p.setPen(QPen(ToQColor(s.BorderColor), 1));
  p.setBrush(ToQColor(s.FillColor));
  // The border lies inside the shape's box.
  const QRectF box(s.Left + 0.5, s.Top + 0.5, s.Width - 1, s.Height - 1);
  switch (s.Kind) {
    case ShapeKind::Rectangle:
      p.setRenderHint(QPainter::Antialiasing, false);
      p.drawRect(QRectF(std::round(s.Left), std::round(s.Top), std::round(s.Width) - 1,
                        std::round(s.Height) - 1));
      break;
    case ShapeKind::RoundedRectangle:
      p.setRenderHint(QPainter::Antialiasing, true);
      p.drawRoundedRect(box, BunkerCornerRadius, BunkerCornerRadius);
      break;
    case ShapeKind::Circle:
      p.setRenderHint(QPainter::Antialiasing, true);
      p.drawEllipse(box);
      break;
  }
}

void PaintLine(QPainter& p, const Line& l) {
  if (!l.Visible) return;
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(ToQColor(l.BorderColor), l.BorderWidth, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(l.X1, l.Y1), QPointF(l.X2, l.Y2));
}

// Wide enough for any score; the text centres on the label's middle.
QRectF LabelBox(const Label& l) {
  constexpr qreal HalfSpan = 200;
  return QRectF(l.Left + l.Width / 2 - HalfSpan, l.Top, 2 * HalfSpan, 40);
}

void PaintLabel(QPainter& p, const QFont& font, const Label& l) {
  if (!l.Visible || l.Caption.empty()) return;
  p.setFont(font);
  p.setPen(LabelColor);
  const QString text =
      QString::fromLatin1(l.Caption.data(), static_cast<qsizetype>(l.Caption.size()));
  p.drawText(LabelBox(l), Qt::AlignHCenter | Qt::AlignTop, text);
}

// A word over the whole playfield, in light letters with a dark edge so it reads over sky and
// ground alike.
void PaintBanner(QPainter& p, const QFont& font, const Label& l) {
  if (!l.Visible) return;
  p.setFont(font);
  const QString text =
      QString::fromLatin1(l.Caption.data(), static_cast<qsizetype>(l.Caption.size()));
  const QRectF box(l.Left, l.Top, l.Width, 80);
  p.setPen(LabelColor);
  for (QPointF edge :
       {QPointF(-2, 0), QPointF(2, 0), QPointF(0, -2), QPointF(0, 2), QPointF(2, 2)}) {
    p.drawText(box.translated(edge), Qt::AlignHCenter | Qt::AlignTop, text);
  }
  p.setPen(BannerColor);
  p.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
}

template <class Array, class PaintOne>
void PaintCopies(const Array& members, PaintOne paintOne) {
  for (int i = 1; i <= members.UpperBound(); ++i) paintOne(members[i]);
}

// Paints a shape clipped to a box; the box holds every pixel of it that shows. Under a clip of
// the caller's own (the window's changed region is the system's, not one) it paints it whole.
void PaintClipped(QPainter& p, const Shape& s, const QRect& box) {
  if (p.hasClipping()) return PaintShape(p, s);
  p.setClipRect(box);
  PaintShape(p, s);
  p.setClipping(false);
}

QRect ToQRect(Box b) { return QRect(b.left, b.top, b.right - b.left, b.bottom - b.top); }

}  // namespace

ScenePainter::ScenePainter(const Pictures& pictures, bool paintHidden)
    : pictures_(pictures), paintHidden_(paintHidden) {
  labelFont_.setFamilies({"DejaVu Sans", "Liberation Sans", "Sans Serif"});
  labelFont_.setPointSizeF(LabelPointSize);
  labelFont_.setBold(true);
  bannerFont_ = labelFont_;
  bannerFont_.setPointSizeF(BannerPointSize);
}

void ScenePainter::Paint(QPainter& p, const Scene& s) {
  Paint(p, s, QRegion(0, 0, PlayfieldWidth, PlayfieldHeight));
}

void ScenePainter::Paint(QPainter& p, const Scene& s, const QRegion& area) {
  p.fillRect(QRect(0, 0, PlayfieldWidth, PlayfieldHeight), ToQColor(SkyColor));
  // Clipping a thing away costs nearly as much as drawing it: skip what lies outside the area.
  const auto sprite = [&](const Sprite& one) {
    const QRect box(static_cast<int>(std::round(one.Left)), static_cast<int>(std::round(one.Top)),
                    pictures_[one.Picture].width(), pictures_[one.Picture].height());
    if (area.intersects(box)) PaintSprite(p, pictures_, one);
  };
  const auto shape = [&](const Shape& one) {
    if (area.intersects(ToQRect(BoxOf(one)))) PaintShape(p, one);
  };
  const auto bullets = [&](const ControlArray<Shape>& all) {
    if (paintHidden_) return PaintCopies(all, shape);
    hidden_.Find(all);
    for (int i = 1; i <= all.UpperBound(); ++i) {
      const QRect shown = ToQRect(hidden_.Shown(i));
      if (shown.isEmpty() || !area.intersects(shown)) continue;
      if (hidden_.WorthClipping(i)) {
        PaintClipped(p, all[i], shown);
      } else {
        PaintShape(p, all[i]);
      }
    }
  };
  const auto line = [&](const Line& one) {
    const Box b = BoxOf(one);
    if (area.intersects(QRect(b.left, b.top, b.right - b.left, b.bottom - b.top))) {
      PaintLine(p, one);
    }
  };
  const auto label = [&](const Label& one) {
    if (area.intersects(LabelBox(one).toAlignedRect())) PaintLabel(p, labelFont_, one);
  };

  for (Layer layer : BackToFront) {
    switch (layer) {
      case Layer::Copters: PaintCopies(s.imgCopter, sprite); break;
      case Layer::RoofWire: sprite(s.Wire[2]); break;
      case Layer::Bunker: shape(s.Shape1); break;
      case Layer::Ground: shape(s.Shape2); break;
      case Layer::Label1: label(s.Label1); break;
      case Layer::Parachutes: PaintCopies(s.imgPara, sprite); break;
      case Layer::Turret: shape(s.shpTurret); break;
      case Layer::Bullets: bullets(s.imgBullet); break;
      case Layer::GroundWire:
        for (int i : {0, 1, 3, 4}) sprite(s.Wire[i]);
        break;
      case Layer::Troopers: PaintCopies(s.imgTrooper, sprite); break;
      case Layer::Jets: PaintCopies(s.imgJet, sprite); break;
      case Layer::Label2: label(s.Label2); break;
      case Layer::ThirdFlag:
        line(s.lnFlagPole[0]);
        shape(s.shpFlag[0]);
        break;
      case Layer::Gun:
        line(s.lnGun[0]);
        line(s.lnGun[1]);
        break;
      case Layer::Flags:
        for (int i : {1, 2}) {
          shape(s.shpFlag[i]);
          line(s.lnFlagPole[i]);
        }
        break;
      case Layer::Paused: PaintBanner(p, bannerFont_, s.lblPaused); break;
      case Layer::Letters:
        for (const Sprite& letter : s.imgLetter) PaintStretched(p, pictures_, letter);
        break;
    }
  }
}

}  // namespace flakmire
