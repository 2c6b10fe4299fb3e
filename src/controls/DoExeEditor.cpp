#include "controls/DoExeEditor.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/Prompts.h"

namespace {

QPushButton* MakeButton(const QString& text, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

} // namespace

DoExeEditor::DoExeEditor(const std::vector<ProgramEntry>& programs, Prompts& prompts,
                         QWidget* parent)
    : QDialog(parent), prompts_(prompts), table_(new QTableWidget(0, 2, this)) {
  setWindowTitle(QStringLiteral("程序列表"));
  setModal(true);
  table_->setObjectName(QStringLiteral("programTable"));
  table_->setHorizontalHeaderLabels({QStringLiteral("程序"), QStringLiteral("参数")});
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  for (const ProgramEntry& e : programs) {
    AddRow(QString::fromStdString(e.name), QString::fromStdString(e.parameters));
  }

  auto* buttons = new QVBoxLayout;
  auto* add = MakeButton(QStringLiteral("添加"), QStringLiteral("addButton"), this);
  auto* remove = MakeButton(QStringLiteral("删除"), QStringLiteral("removeButton"), this);
  auto* edit = MakeButton(QStringLiteral("修改"), QStringLiteral("editButton"), this);
  auto* up = MakeButton(QStringLiteral("上移"), QStringLiteral("upButton"), this);
  auto* down = MakeButton(QStringLiteral("下移"), QStringLiteral("downButton"), this);
  for (QPushButton* b : {add, remove, edit, up, down})
    buttons->addWidget(b);
  buttons->addStretch();
  connect(add, &QPushButton::clicked, this, &DoExeEditor::Add);
  connect(remove, &QPushButton::clicked, this, &DoExeEditor::Remove);
  connect(edit, &QPushButton::clicked, this, &DoExeEditor::EditCurrent);
  connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(down, &QPushButton::clicked, this, [this] { Move(1); });

  auto* box = new QDialogButtonBox(this);
  auto* ok = box->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  auto* cancel = box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("okButton"));
  cancel->setObjectName(QStringLiteral("cancelButton"));
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(table_, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(box);
  resize(520, 300);
}

std::vector<ProgramEntry> DoExeEditor::Programs() const {
  std::vector<ProgramEntry> out;
  for (int row = 0; row < table_->rowCount(); ++row) {
    out.push_back(
        {table_->item(row, 0)->text().toStdString(), table_->item(row, 1)->text().toStdString()});
  }
  return out;
}

void DoExeEditor::AddRow(const QString& program, const QString& parameters) {
  int row = table_->rowCount();
  table_->insertRow(row);
  table_->setItem(row, 0, new QTableWidgetItem(program));
  table_->setItem(row, 1, new QTableWidgetItem(parameters));
}

void DoExeEditor::Add() {
  // A cancelled chooser, or one that answers no file, adds nothing.
  const std::optional<std::string> path = prompts_.GetOpenFileName(kProgramFilter, "", "");
  if (!path || path->empty()) return;
  AddRow(QString::fromStdString(*path), QString());
  table_->setCurrentCell(table_->rowCount() - 1, 1);
}

void DoExeEditor::Remove() {
  int row = table_->currentRow();
  if (row < 0) return;
  table_->removeRow(row);
}

void DoExeEditor::EditCurrent() {
  QTableWidgetItem* item = table_->currentItem();
  if (item) table_->editItem(item);
}

void DoExeEditor::Move(int delta) {
  int row = table_->currentRow();
  int to = row + delta;
  if (row < 0 || to < 0 || to >= table_->rowCount()) return;
  int column = std::max(0, table_->currentColumn());
  for (int c = 0; c < 2; ++c) {
    QTableWidgetItem* a = table_->takeItem(row, c);
    QTableWidgetItem* b = table_->takeItem(to, c);
    table_->setItem(row, c, b);
    table_->setItem(to, c, a);
  }
  table_->setCurrentCell(to, column);
}
