#include "app/ZyntraAbout.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/Artwork.h"
#include "qt/DesktopWindow.h"

QString CZyntraAbout::VersionLine() {
  return QStringLiteral("同步屏播放系统 %1 版").arg(QStringLiteral(ZYNTRA_VERSION));
}

CZyntraAbout::CZyntraAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("aboutBox");
  setWindowTitle(QStringLiteral("关于"));
  auto* icon = new QLabel(this);
  icon->setObjectName("aboutIcon");
  icon->setPixmap(Artwork::ProgramIcon().pixmap(32, 32));
  auto* name = new QLabel(VersionLine(), this);
  name->setObjectName("aboutName");
  auto* copyright = new QLabel(QStringLiteral("Zyntra"), this);
  auto* ok = new QPushButton(QStringLiteral("确定"), this);
  ok->setObjectName("aboutOk");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(name, 0, 1);
  grid->addWidget(copyright, 1, 1);
  grid->addWidget(ok, 0, 2, Qt::AlignTop);
  // Layout 100 is 205 × 139 dialog units: 308 × 226 pixels at the usual dialog font.
  setFixedSize(QSize(308, 226).expandedTo(sizeHint()));
  CentreOnOwner(this);
}
