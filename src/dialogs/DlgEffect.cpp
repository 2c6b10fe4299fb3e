#include "dialogs/DlgEffect.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Artwork.h"

CDlgEffect::CDlgEffect(QWidget* parent) : QDialog(parent) {
  setObjectName("effectDialog");
  setWindowTitle(QStringLiteral("效果时间轴"));
  setWindowIcon(Artwork::ProgramIcon());
  setModal(true);
  resize(420, 260);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("ctl1");
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("ctl2");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addWidget(buttons);
}
