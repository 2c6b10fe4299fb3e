#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

#include "schedule/Schedule.h"

class LocalClock;
class Prompts;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QSpinBox;
class QTimeEdit;
class QToolBar;

/// The task list dialog "播放控制": edits a list of projects with their play conditions, keeps
/// it in ".tak" files and, while playing, lets the schedule choose every second which project
/// the page list plays. Modal from the page list's play-control command; modeless when a task
/// list is played at start-up.
///
/// The tool bar buttons carry the identifiers 166 to 175 and are named "ctl166" … "ctl175";
/// the other widgets are named after their role ("taskList", "conditionList", …).
class CDlgPterm : public QDialog {
  Q_OBJECT
public:
  /// Tool bar buttons, in their order on the bar.
  enum Button : int {
    New = 166,
    Add = 167,
    Delete = 168,
    Open = 169,
    SaveAs = 170,
    Save = 171,
    MoveUp = 172,
    MoveDown = 173,
    Play = 174,
    Stop = 175,
  };

  /// Question before a modified list is replaced by a new one.
  static constexpr const char* kSaveQuestion = "文件已经修改,是否要保存?";
  /// Message of Play with an empty list.
  static constexpr const char* kNothingToPlay = "无任务可用于播放,请添加任务然后播放.";
  /// Message of a list file that cannot be written.
  static constexpr const char* kSaveFailed = "文件保存失败：";
  /// Filter of the project chooser (Add).
  static constexpr const char* kProjectFilter = "同步屏播放文件|*.vrx|";
  /// Filter of the task list choosers (Open, Save As).
  static constexpr const char* kTaskFileFilter = "播放任务文件|*.tak|";
  /// The fixed note under the inputs.
  static constexpr const char* kNote = "播放时间段必须从小到大的排列,直接播放必须放在列表的最前面";

  /// An empty, unmodified list; questions go to `prompts`, the schedule runs on `scheduler`
  /// and `clock` and drives `player`.
  CDlgPterm(Prompts& prompts, Scheduler& scheduler, const LocalClock& clock, TaskPlayer& player,
            QWidget* parent = nullptr);
  /// Kills the schedule's timers (without calling the player).
  ~CDlgPterm() override;

  /// Runs a tool bar button's operation by its identifier (166 … 175).
  void OnCommand(int id);
  /// "新建": asks to save a modified list (OK saves; a save that does not happen keeps the list),
  /// then empties the list and forgets its file. False when the list was kept.
  bool NewList();
  /// "添加": chooses a project and appends a direct task for it, selected.
  void AddTask();
  /// "删除": removes the selected task and selects its neighbour.
  void DeleteTask();
  /// "打开": forgets the file, chooses a task list and reads it into an emptied list.
  void OpenList();
  /// "另存": chooses a file and writes the list there; false when cancelled or not written.
  bool SaveListAs();
  /// "保存": writes the list to its file (or "另存" without one); false when not written.
  bool SaveList();
  /// "上移" / "下移": swaps the selected task with its neighbour.
  void MoveTask(bool up);
  /// "播放": starts the schedule ("无任务可用于播放…" with an empty list).
  void PlayList();
  /// "停止": stops the schedule and the page list's playing.
  void StopList();

  /// Empties the list and reads a task list file into it; a file that cannot be read or has
  /// no "VORN" root shows "文件已经损坏或非本系统文件!" and leaves the list empty.
  bool ReadList(const std::string& path);
  /// Start-up with a task list: remembers the file, reads it, shows the dialog and plays.
  void PlayFile(const std::string& path);

  /// The list's file ("" for a new list).
  const std::string& Path() const { return path_; }
  /// True when the list changed since it was made, read or written.
  bool Modified() const { return modified_; }
  /// The tasks, in row order.
  const std::vector<TaskItem>& Tasks() const { return schedule_.Tasks(); }
  /// The schedule the dialog plays with.
  const Schedule& GetSchedule() const { return schedule_; }
  /// The tool bar action of a button identifier; null for another number.
  QAction* ButtonAction(int id) const;

  /// Called with false when the dialog is first shown and with true when it closes: the main
  /// window's tool windows are hidden meanwhile.
  std::function<void(bool shown)> mainWindowsShown;

  /// The text of a list row: the file name after the last "/" or "\" (the whole path without).
  static QString RowText(const std::string& fileName);

protected:
  void showEvent(QShowEvent* event) override;
  /// Closing performs Stop and brings the tool windows back.
  void done(int result) override;

private:
  void BuildToolBar();
  void ClearList();
  void AddRow(const TaskItem& task);
  void RebuildRows();
  void SelectRow(int row);
  void ShowTask(int row);
  void EnableInputs(int style);
  void DisableInputs();
  void SetButtonsForPlaying(bool playing);
  bool WriteList(const std::string& path);
  TaskItem* SelectedTask();

  void OnConditionChosen(int index);
  void OnWeekNoEdited(int value);
  void OnMonthNoEdited(int value);
  void OnPickerChanged(QWidget* picker);

  Prompts& prompts_;
  const LocalClock& clock_;
  Schedule schedule_;
  std::string path_;
  bool modified_ = false;
  bool showingTask_ = false;
  bool mainHidden_ = false;

  QToolBar* toolBar_ = nullptr;
  std::vector<QAction*> buttons_;
  QListWidget* taskList_ = nullptr;
  QComboBox* conditionList_ = nullptr;
  QDateEdit* datePicker_ = nullptr;
  QTimeEdit* beginPicker_ = nullptr;
  QTimeEdit* endPicker_ = nullptr;
  QSpinBox* weekNoEdit_ = nullptr;
  QSpinBox* monthNoEdit_ = nullptr;
};
