#include "dialogs/DlgAction.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

} // namespace

CDlgAction::CDlgAction(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint) {
  setObjectName("actionDialog");
  setModal(true);
  setWindowFlag(Qt::WindowTitleHint, false);
  setWindowFlag(Qt::WindowSystemMenuHint, false);
  setWindowFlag(Qt::WindowCloseButtonHint, false);

  auto* grid = new QGridLayout(this);
  const char* labels[] = {"Name:", "X:", "Y:", "W:", "H:"};
  for (int i = 0; i < 5; ++i) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Name(1010 + i));
    grid->addWidget(new QLabel(QString::fromLatin1(labels[i]), this), i, 0);
    grid->addWidget(edit, i, 1);
  }
  for (int i = 0; i < 4; ++i) {
    auto* button = new QPushButton(QStringLiteral("Button%1").arg(i + 1), this);
    button->setObjectName(Name(1001 + i));
    button->setAutoDefault(false);
    grid->addWidget(button, 5 + i / 2, i % 2);
  }
  grid->addWidget(new QLabel(QStringLiteral("预设动作"), this), 0, 2);
  for (int i = 0; i < 2; ++i) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(Name(i == 0 ? 1021 : 1026));
    grid->addWidget(combo, 1 + i, 2);
  }
  auto* progress = new QProgressBar(this);
  progress->setObjectName(Name(1052));
  progress->setOrientation(Qt::Vertical);
  progress->setTextVisible(false);
  grid->addWidget(progress, 0, 3, 7, 1);
}

QWidget* CDlgAction::Control(int id) const { return findChild<QWidget*>(Name(id)); }

void CDlgAction::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  // Enter has no default button to press here.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CDlgAction::closeEvent(QCloseEvent* event) {
  // Only Escape ends the dialog (which goes through reject, not here).
  event->ignore();
}
