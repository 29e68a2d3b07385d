#include "desktop/pictures.h"

#include <QImage>

namespace flakmire {

namespace {

QImage Load(const char* name) { return QImage(QString(":/pictures/%1.xpm").arg(name)); }

}  // namespace

Pictures::Pictures() {
  auto set = [this](PictureId picture, const QImage& image) {
    pixmaps_[static_cast<std::size_t>(picture)] = QPixmap::fromImage(image);
  };
  // The aircraft facing left are their mirror images.
  const QImage copter = Load("copter");
  const QImage jet = Load("jet");
  set(PictureId::Copter, copter);
  set(PictureId::CopterFacingLeft, copter.mirrored(true, false));
  set(PictureId::Jet, jet);
  set(PictureId::JetFacingLeft, jet.mirrored(true, false));
  set(PictureId::Trooper, Load("trooper"));
  set(PictureId::TrooperArmsRaised, Load("trooper_arms_raised"));
  set(PictureId::Parachute, Load("parachute"));
  set(PictureId::Wire, Load("wire"));
  set(PictureId::LetterF, Load("title_f"));
  set(PictureId::LetterL, Load("title_l"));
  set(PictureId::LetterA, Load("title_a"));
  set(PictureId::LetterK, Load("title_k"));
  set(PictureId::LetterM, Load("title_m"));
  set(PictureId::LetterI, Load("title_i"));
  set(PictureId::LetterR, Load("title_r"));
  set(PictureId::LetterE, Load("title_e"));
  set(PictureId::LetterBang, Load("title_bang"));
  set(PictureId::FlakBurst, Load("title_burst"));
}

QIcon Pictures::WindowIcon() { return QIcon(QPixmap::fromImage(Load("icon"))); }

QIcon Pictures::FirstLetterIcon() { return QIcon(QPixmap::fromImage(Load("title_f"))); }

QCursor Pictures::TransparentPointer() {
  QPixmap clear(32, 32);
  clear.fill(Qt::transparent);
  return QCursor(clear, 0, 0);
}

std::array<PictureSize, PictureCount> Pictures::Sizes() const {
  std::array<PictureSize, PictureCount> sizes{};
  for (int i = 0; i < PictureCount; ++i) {
    const QPixmap& pixmap = (*this)[static_cast<PictureId>(i)];
    sizes[static_cast<std::size_t>(i)] = {pixmap.width(), pixmap.height()};
  }
  return sizes;
}

}  // namespace flakmire
