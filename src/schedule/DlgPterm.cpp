#include "schedule/DlgPterm.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <iterator>
#include <optional>

#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/Prompts.h"
#include "schedule/TaskListFile.h"

namespace {

constexpr const char* kCaption = "系统";

struct ButtonText {
  int id;
  const char* text;
};
constexpr ButtonText kButtons[] = {
    {CDlgPterm::New, "新建"},    {CDlgPterm::Add, "添加"},      {CDlgPterm::Delete, "删除"},
    {CDlgPterm::Open, "打开"},   {CDlgPterm::SaveAs, "另存"},   {CDlgPterm::Save, "保存"},
    {CDlgPterm::MoveUp, "上移"}, {CDlgPterm::MoveDown, "下移"}, {CDlgPterm::Play, "播放"},
    {CDlgPterm::Stop, "停止"},
};

constexpr const char* kConditions[] = {"直接播放", "每天定时播放", "每周定时播放", "每月定时播放",
                                       "特定日期时间播放"};
constexpr int kConditionCount = static_cast<int>(std::size(kConditions));

QDate DateOf(double value) {
  const DateTimeParts p = FromDateTimeNumber(value);
  return QDate(p.year, p.month, p.day);
}

QTime TimeOf(double value) {
  const int s = SecondsOfDay(value);
  return QTime(s / 3600, s / 60 % 60, s % 60);
}

double DateNumber(const QDate& date) {
  return ToDateTimeNumber(date.year(), date.month(), date.day());
}

double TimeNumber(const QTime& time) {
  return ToDateTimeNumber({1899, 12, 30, time.hour(), time.minute(), time.second(), 0});
}

} // namespace

CDlgPterm::CDlgPterm(Prompts& prompts, Scheduler& scheduler, const LocalClock& clock,
                     TaskPlayer& player, QWidget* parent)
    : QDialog(parent), prompts_(prompts), clock_(clock), schedule_(scheduler, clock, player) {
  setObjectName("taskListDialog");
  setWindowTitle(QStringLiteral("播放控制"));
  BuildToolBar();

  taskList_ = new QListWidget(this);
  taskList_->setObjectName("taskList");
  conditionList_ = new QComboBox(this);
  conditionList_->setObjectName("conditionList");
  for (const char* name : kConditions)
    conditionList_->addItem(QString::fromUtf8(name));
  datePicker_ = new QDateEdit(this);
  datePicker_->setObjectName("datePicker");
  datePicker_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  datePicker_->setCalendarPopup(true);
  beginPicker_ = new QTimeEdit(this);
  beginPicker_->setObjectName("beginTimePicker");
  beginPicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  endPicker_ = new QTimeEdit(this);
  endPicker_->setObjectName("endTimePicker");
  endPicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  weekNoEdit_ = new QSpinBox(this);
  weekNoEdit_->setObjectName("weekNoEdit");
  weekNoEdit_->setRange(0, 6);
  monthNoEdit_ = new QSpinBox(this);
  monthNoEdit_->setObjectName("monthNoEdit");
  monthNoEdit_->setRange(1, 31);

  auto label = [this](const char* name, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setObjectName(name);
    return l;
  };
  auto* inputs = new QGridLayout;
  inputs->addWidget(conditionList_, 0, 0, 1, 4);
  inputs->addWidget(label("dateLabel", "日期"), 1, 0);
  inputs->addWidget(datePicker_, 1, 1, 1, 3);
  inputs->addWidget(label("timeLabel", "时间段"), 2, 0);
  inputs->addWidget(beginPicker_, 2, 1);
  inputs->addWidget(label("toLabel", "到"), 2, 2);
  inputs->addWidget(endPicker_, 2, 3);
  inputs->addWidget(label("weekNoLabel", "每周几"), 3, 0);
  inputs->addWidget(weekNoEdit_, 3, 1);
  inputs->addWidget(label("monthNoLabel", "每月几号"), 4, 0);
  inputs->addWidget(monthNoEdit_, 4, 1);
  inputs->setRowStretch(5, 1);
  QLabel* note = label("noteLabel", kNote);
  note->setWordWrap(true);
  inputs->addWidget(note, 6, 0, 1, 4);

  auto* body = new QHBoxLayout;
  body->addWidget(taskList_, 1);
  body->addLayout(inputs, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(toolBar_);
  layout->addLayout(body);
  resize(520, 300);

  connect(taskList_, &QListWidget::currentRowChanged, this, &CDlgPterm::ShowTask);
  connect(conditionList_, &QComboBox::currentIndexChanged, this, &CDlgPterm::OnConditionChosen);
  connect(weekNoEdit_, &QSpinBox::valueChanged, this, &CDlgPterm::OnWeekNoEdited);
  connect(monthNoEdit_, &QSpinBox::valueChanged, this, &CDlgPterm::OnMonthNoEdited);
  for (QDateTimeEdit* picker :
       {static_cast<QDateTimeEdit*>(datePicker_), static_cast<QDateTimeEdit*>(beginPicker_),
        static_cast<QDateTimeEdit*>(endPicker_)})
    connect(picker, &QDateTimeEdit::dateTimeChanged, this,
            [this, picker] { OnPickerChanged(picker); });

  schedule_.taskStarted = [this](int row) { SelectRow(row); };
  conditionList_->setEnabled(false);
  DisableInputs();
}

CDlgPterm::~CDlgPterm() = default;

void CDlgPterm::BuildToolBar() {
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("taskToolBar");
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const ButtonText& b : kButtons) {
    QAction* action = toolBar_->addAction(QString::fromUtf8(b.text));
    action->setData(b.id);
    action->setObjectName(QStringLiteral("ctl%1").arg(b.id));
    if (QWidget* button = toolBar_->widgetForAction(action))
      button->setObjectName(QStringLiteral("ctl%1").arg(b.id));
    connect(action, &QAction::triggered, this, [this, id = b.id] { OnCommand(id); });
    buttons_.push_back(action);
  }
}

QAction* CDlgPterm::ButtonAction(int id) const {
  for (QAction* action : buttons_)
    if (action->data().toInt() == id) return action;
  return nullptr;
}

QString CDlgPterm::RowText(const std::string& fileName) {
  const size_t slash = fileName.find_last_of("/\\");
  return QString::fromStdString(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
}

void CDlgPterm::OnCommand(int id) {
  switch (id) {
  case New: NewList(); break;
  case Add: AddTask(); break;
  case Delete: DeleteTask(); break;
  case Open: OpenList(); break;
  case SaveAs: SaveListAs(); break;
  case Save: SaveList(); break;
  case MoveUp: MoveTask(true); break;
  case MoveDown: MoveTask(false); break;
  case Play: PlayList(); break;
  case Stop: StopList(); break;
  default: break;
  }
}

// --- The list ------------------------------------------------------------------------------

void CDlgPterm::ClearList() {
  schedule_.Tasks().clear();
  taskList_->clear();
  showingTask_ = true;
  conditionList_->setCurrentIndex(0);
  showingTask_ = false;
  conditionList_->setEnabled(false);
  DisableInputs();
  modified_ = false;
}

void CDlgPterm::AddRow(const TaskItem& task) { taskList_->addItem(RowText(task.FileName)); }

void CDlgPterm::RebuildRows() {
  const QSignalBlocker block(taskList_);
  taskList_->clear();
  for (const TaskItem& task : schedule_.Tasks())
    AddRow(task);
}

void CDlgPterm::SelectRow(int row) {
  if (taskList_->currentRow() == row)
    ShowTask(row); // show it again: a scan may select the row that is already current
  else
    taskList_->setCurrentRow(row);
}

TaskItem* CDlgPterm::SelectedTask() {
  const int row = taskList_->currentRow();
  if (row < 0 || row >= static_cast<int>(schedule_.Tasks().size())) return nullptr;
  return &schedule_.Tasks()[static_cast<size_t>(row)];
}

bool CDlgPterm::NewList() {
  if (modified_ && prompts_.MessageBox(kSaveQuestion, kCaption, PromptButtons::OkCancel,
                                       PromptIcon::Question) == PromptAnswer::Ok) {
    // A save that was cancelled or failed must not cost the list.
    if (!SaveList()) return false;
  }
  ClearList();
  // A new list has no file yet: saving it must not overwrite the list it replaced.
  path_.clear();
  return true;
}

void CDlgPterm::AddTask() {
  std::optional<std::string> file = prompts_.GetOpenFileName(kProjectFilter, "", "");
  if (!file) return;
  TaskItem task;
  task.FileName = *file;
  const DateTimeParts today = FromDateTimeNumber(clock_.now());
  task.Date = ToDateTimeNumber(today.year, today.month, today.day);
  schedule_.Tasks().push_back(task);
  AddRow(task);
  SelectRow(taskList_->count() - 1);
  modified_ = true;
}

void CDlgPterm::DeleteTask() {
  const int row = taskList_->currentRow();
  if (!SelectedTask()) return;
  auto& tasks = schedule_.Tasks();
  tasks.erase(tasks.begin() + row);
  {
    const QSignalBlocker block(taskList_);
    delete taskList_->takeItem(row);
  }
  modified_ = true;
  if (tasks.empty()) {
    taskList_->setCurrentRow(-1);
    conditionList_->setEnabled(false);
    DisableInputs();
    return;
  }
  SelectRow(row > 0 ? row - 1 : 0);
}

void CDlgPterm::MoveTask(bool up) {
  const int row = taskList_->currentRow();
  if (!SelectedTask()) return;
  const int other = up ? row - 1 : row + 1;
  auto& tasks = schedule_.Tasks();
  if (other < 0 || other >= static_cast<int>(tasks.size())) return;
  std::swap(tasks[static_cast<size_t>(row)], tasks[static_cast<size_t>(other)]);
  RebuildRows();
  SelectRow(other);
  modified_ = true;
}

// --- Files ---------------------------------------------------------------------------------

bool CDlgPterm::ReadList(const std::string& path) {
  ClearList();
  std::vector<TaskItem> tasks;
  if (!LoadTaskList(path, tasks)) {
    prompts_.MessageBox(kDamagedTaskFile, "System", PromptButtons::Ok, PromptIcon::Exclamation);
    return false;
  }
  schedule_.Tasks() = std::move(tasks);
  for (const TaskItem& task : schedule_.Tasks())
    AddRow(task);
  return true;
}

void CDlgPterm::OpenList() {
  path_.clear();
  std::optional<std::string> file = prompts_.GetOpenFileName(kTaskFileFilter, "", "");
  if (!file) return;
  ReadList(*file);
}

bool CDlgPterm::WriteList(const std::string& path) {
  if (!SaveTaskList(path, schedule_.Tasks())) {
    prompts_.MessageBox(kSaveFailed + path, kCaption, PromptButtons::Ok, PromptIcon::Exclamation);
    return false;
  }
  modified_ = false;
  return true;
}

bool CDlgPterm::SaveListAs() {
  // The chooser adds the extension and confirms overwriting an existing file.
  std::optional<std::string> file = prompts_.GetSaveFileName(kTaskFileFilter, "tak", path_);
  if (!file) return false;
  if (!WriteList(*file)) return false;
  path_ = *file;
  return true;
}

bool CDlgPterm::SaveList() {
  if (path_.empty()) return SaveListAs();
  return WriteList(path_);
}

// --- Playing -------------------------------------------------------------------------------

void CDlgPterm::SetButtonsForPlaying(bool playing) {
  for (QAction* action : buttons_)
    if (action->data().toInt() != Stop) action->setEnabled(!playing);
}

void CDlgPterm::PlayList() {
  if (schedule_.Tasks().empty()) {
    prompts_.MessageBox(kNothingToPlay, kCaption, PromptButtons::Ok, PromptIcon::Information);
    return;
  }
  SetButtonsForPlaying(true);
  schedule_.Start();
}

void CDlgPterm::StopList() {
  SetButtonsForPlaying(false);
  schedule_.Stop();
}

void CDlgPterm::PlayFile(const std::string& path) {
  path_ = path;
  ReadList(path);
  show();
  PlayList();
  SetButtonsForPlaying(true);
}

// --- Inputs --------------------------------------------------------------------------------

void CDlgPterm::ShowTask(int row) {
  if (row < 0 || row >= static_cast<int>(schedule_.Tasks().size())) return;
  const TaskItem& task = schedule_.Tasks()[static_cast<size_t>(row)];
  showingTask_ = true;
  conditionList_->setCurrentIndex(task.PStyle >= 0 && task.PStyle < kConditionCount ? task.PStyle
                                                                                    : -1);
  weekNoEdit_->setValue(task.WeekNo);
  monthNoEdit_->setValue(task.MonthNo);
  datePicker_->setDate(DateOf(task.Date));
  beginPicker_->setTime(TimeOf(task.BTime));
  endPicker_->setTime(TimeOf(task.ETime));
  showingTask_ = false;
  conditionList_->setEnabled(true);
  EnableInputs(task.PStyle);
}

void CDlgPterm::EnableInputs(int style) {
  const auto s = static_cast<PlayStyle>(style);
  const bool timed = s == PlayStyle::Daily || s == PlayStyle::Weekly || s == PlayStyle::Monthly ||
                     s == PlayStyle::OnDate;
  beginPicker_->setEnabled(timed);
  endPicker_->setEnabled(timed);
  datePicker_->setEnabled(s == PlayStyle::OnDate);
  weekNoEdit_->setEnabled(s == PlayStyle::Weekly);
  monthNoEdit_->setEnabled(s == PlayStyle::Monthly);
}

void CDlgPterm::DisableInputs() {
  for (QWidget* w : std::initializer_list<QWidget*>{datePicker_, beginPicker_, endPicker_,
                                                    weekNoEdit_, monthNoEdit_})
    w->setEnabled(false);
}

void CDlgPterm::OnConditionChosen(int index) {
  if (showingTask_ || index < 0) return;
  TaskItem* task = SelectedTask();
  if (!task) return;
  task->PStyle = index;
  modified_ = true;
  EnableInputs(index);
}

void CDlgPterm::OnWeekNoEdited(int value) {
  TaskItem* task = SelectedTask();
  if (showingTask_ || !task) return;
  task->WeekNo = value;
  modified_ = true;
}

void CDlgPterm::OnMonthNoEdited(int value) {
  TaskItem* task = SelectedTask();
  if (showingTask_ || !task) return;
  task->MonthNo = value;
  modified_ = true;
}

void CDlgPterm::OnPickerChanged(QWidget* picker) {
  TaskItem* task = SelectedTask();
  if (showingTask_ || !task) return;
  if (picker == datePicker_) task->Date = DateNumber(datePicker_->date());
  if (picker == beginPicker_) task->BTime = TimeNumber(beginPicker_->time());
  if (picker == endPicker_) task->ETime = TimeNumber(endPicker_->time());
  modified_ = true;
}

// --- Opening and closing -------------------------------------------------------------------

void CDlgPterm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (mainHidden_) return;
  mainHidden_ = true;
  if (mainWindowsShown) mainWindowsShown(false);
}

void CDlgPterm::done(int result) {
  StopList();
  if (mainHidden_) {
    mainHidden_ = false;
    if (mainWindowsShown) mainWindowsShown(true);
  }
  QDialog::done(result);
}
