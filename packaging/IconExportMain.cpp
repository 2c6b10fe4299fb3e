// zyntra-icon-export: writes the program icon as PNG files for the desktop's icon theme, one
// per size, as <folder>/<N>x<N>/apps/zyntra.png. Runs at build time on the offscreen platform.
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/Artwork.h"

namespace {

// The icon at exactly size × size pixels. The artwork is drawn at a few sizes; a larger one is
// made from the largest drawing, pixel-doubled where the factor is whole so the LED dots stay
// sharp, and a size between drawings is scaled down smoothly from the next larger one.
QImage IconImage(const QIcon& icon, int size) {
  QImage image = icon.pixmap(QSize(size, size)).toImage();
  if (image.width() == size && image.height() == size) return image;
  const bool whole = image.width() > 0 && size % image.width() == 0;
  return image.scaled(size, size, Qt::KeepAspectRatio,
                      whole ? Qt::FastTransformation : Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: zyntra-icon-export FOLDER SIZE...\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QIcon icon = Artwork::ProgramIcon();
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "zyntra-icon-export: bad size %s\n", argv[i]);
      return 2;
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    const QString path = dir + QStringLiteral("/zyntra.png");
    const QImage image = IconImage(icon, size);
    if (!QDir().mkpath(dir) || image.size() != QSize(size, size) || !image.save(path, "PNG")) {
      std::fprintf(stderr, "zyntra-icon-export: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
