// make_icons ICON.xpm OUTPUT_FOLDER SIZE...: writes OUTPUT_FOLDER/SIZE.png for every size, the
// pixel-art icon scaled for a desktop's menus. Growing keeps every pixel a hard-edged block;
// shrinking averages, since dropping two rows in three would lose the 1 px outline.

#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: make_icons ICON.xpm OUTPUT_FOLDER SIZE...\n");
    return 2;
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull()) {
    std::fprintf(stderr, "make_icons: cannot read %s\n", argv[1]);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) {
      std::fprintf(stderr, "make_icons: not a size: %s\n", argv[i]);
      return 2;
    }
    const bool growing = size >= icon.width();
    const QImage scaled =
        icon.convertToFormat(QImage::Format_ARGB32)
            .scaled(size, size, Qt::IgnoreAspectRatio,
                    growing ? Qt::FastTransformation : Qt::SmoothTransformation);
    const QString out = QString::fromLocal8Bit(argv[2]) + "/" + QString::number(size) + ".png";
    if (!scaled.save(out, "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(out));
      return 1;
    }
  }
  return 0;
}
