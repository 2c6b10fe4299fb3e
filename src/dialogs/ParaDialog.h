#pragma once

#include <QDialog>
#include <QIcon>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/PropertyWindow.h"

class CControlWrapper;
class CDataExchange;
class CUpDown;
class CZyntraScr;
class Prompts;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
struct ShowNode;

/// Base of the modeless property dialogs of object kinds and of the screen.
///
/// How a dialog is built on it:
/// - The constructor makes the controls with the Add… builders (each control is named
///   "ctl<identifier>", e.g. "ctl1010"; the up-downs of the position group "upDown1010" …),
///   lays them out, and connects every handler through Handle()/OnEdit()/OnClick(): a
///   handler reads all fields from the controls first, then applies its one value.
/// - ReadObject() reads the kind's values from the control and the record into the fields;
///   DoDataExchange() lists the fields with their controls (call the base first: it handles
///   the position group).
/// - SetObject() binds the node, fills Left/Top/Width/Height from the control's rectangle, calls
///   ReadObject() and shows the fields. While the dialog writes its own fields no handler runs.
/// - OK ("确定", 1093) hides the dialog; every change is already applied. There is no cancel.
class CParaDialog : public QDialog, public PropertyWindow {
  Q_OBJECT
public:
  /// Order of the two size edits 1012 and 1013.
  enum class SizeOrder {
    WidthHeight, ///< 1012 = Width, 1013 = Height (most dialogs)
    HeightWidth, ///< 1012 = Height, 1013 = Width (clock and movie)
  };

  /// Makes the hidden modeless dialog as a window of the screen window.
  CParaDialog(CZyntraScr& screen, const QString& title);
  ~CParaDialog() override;

  /// Binds the dialog to a node and shows its values (the shared steps described above).
  void SetObject(ShowNode* node) override;

  /// The bound node, or null before the first SetObject.
  ShowNode* Object() const { return node_; }
  /// The bound node's control wrapper, or null.
  CControlWrapper* Wrapper() const;
  /// The bound node's control as the wrapper class `W`, or null.
  template <class W> W* ControlAs() const { return dynamic_cast<W*>(Wrapper()); }
  /// The bound node's control as `W`; when there is none, a wrapper without a control whose
  /// calls do nothing and whose gets give empty values.
  template <class W> W& ControlOf() const {
    if (W* wrapper = ControlAs<W>()) return *wrapper;
    static W none{nullptr};
    return none;
  }
  /// The control with a dialog identifier, or null.
  QWidget* Control(int id) const;
  /// True while the test button has started the control.
  bool Previewing() const { return previewing_; }
  /// The screen window the dialog belongs to.
  CZyntraScr& Screen() const { return screen_; }

  /// Position fields: the control's rectangle in the screen window's client coordinates.
  int32_t Left = 0, Top = 0, Width = 0, Height = 0;

protected:
  /// Reads the kind's values from the control and the record into the fields. The rectangle is
  /// already read. Default: nothing more.
  virtual void ReadObject() {}
  /// Lists the fields with their controls for CDataExchange; the base does the position group
  /// (when there is one). Overrides call the base first.
  virtual void DoDataExchange(CDataExchange& dx);
  /// Applies the position fields: moves the control to (Left, Top, Left + Width, Top + Height)
  /// and repaints the screen window. Called when one of the four edits changes.
  virtual void ApplyPosition();
  /// Reads every control into the fields (`save` = true) or shows the fields (false). False
  /// when a value could not be read (see CDataExchange): it and the remaining fields kept
  /// their values.
  bool UpdateData(bool save = true);
  /// The shape of every handler: nothing while the dialog writes its own fields or has no
  /// node; otherwise reads all fields, then runs `apply`, as one change of EditedNodes() in the
  /// editing history. Changes with the same non-empty `key` that follow each other (typing in
  /// one field) are one step.
  void Handle(const std::function<void()>& apply, const std::string& key = {});
  /// The nodes a handler may change: the bound node; the page dialog changes the screen too.
  virtual std::vector<ShowNode*> EditedNodes() const { return {node_}; }
  /// Runs `apply` through Handle() on every change of the edit's text.
  void OnEdit(QLineEdit* edit, std::function<void()> apply);
  /// Runs `apply` through Handle() on every click of the button (also check boxes).
  void OnClick(QAbstractButton* button, std::function<void()> apply);
  /// Runs `apply` through Handle() when the user selects an entry of the combo box.
  void OnSelect(QComboBox* combo, std::function<void()> apply);

  // --- Builders: each makes a control of the dialog named "ctl<id>" -------------------------
  /// An edit.
  QLineEdit* AddEdit(int id);
  /// A check box.
  QCheckBox* AddCheck(int id, const QString& text);
  /// A push button.
  QPushButton* AddButton(int id, const QString& text);
  /// An icon button with its caption under the icon.
  QToolButton* AddIconButton(int id, const QString& caption, const QIcon& icon);
  /// A drop-down list (not sorted) with its entries.
  QComboBox* AddCombo(int id, const QStringList& entries);
  /// A static label.
  QLabel* AddLabel(const QString& text);
  /// An up-down named "ctl<id>" with `buddy` as its buddy and the given range.
  CUpDown* AttachUpDown(QLineEdit* buddy, int id, int min, int max);
  /// The position group: edits 1010 (Left), 1011 (Top), 1012 and 1013 (roles by `order`),
  /// each with a label (its buddy) and, when `upDowns` is true, an up-down (−1024 … 2048)
  /// named "upDown<edit id>". `labels` name the roles Left, Top, Width, Height in this order,
  /// whatever the order of the edits. Any change of the four edits calls ApplyPosition().
  QGroupBox* AddPositionGroup(SizeOrder order, bool upDowns = true,
                              const std::array<QString, 4>& labels = {"L：", "T：", "W：", "H："},
                              const QString& title = QStringLiteral("位置"));
  /// A colour button: the colour chooser (no initial colour); OK passes the colour to `put`,
  /// cancel changes nothing.
  QPushButton* AddColourButton(int id, const QString& text, std::function<void(int32_t)> put);
  /// A file button: the open chooser with `filter` (in "描述|*.ext|…|" form; empty = none);
  /// OK shows the path in `edit` (when given) and passes it to `put` (when given).
  QPushButton* AddFileButton(int id, const QString& text, QLineEdit* edit, std::string filter,
                             std::function<void(const std::string&)> put);
  /// The reserve check box ("保留" or "全局对象"): sets the node's reserve flag.
  QCheckBox* AddReserveBox(int id, const QString& text);
  /// The effects button: runs the in/out effect dialog modally for the bound node. With an
  /// icon it is an icon button with the text under the icon.
  QAbstractButton* AddEffectsButton(int id, const QString& text, const QIcon& icon = QIcon());
  /// The test button: toggles Previewing(); false → `start`, text "停止"; true → `stop`, text
  /// "预览". With an icon it is an icon button with the text under the icon.
  QAbstractButton* AddTestButton(int id, const QString& text, std::function<void()> start,
                                 std::function<void()> stop, const QIcon& icon = QIcon());
  /// The OK button 1093 "确定": hides the dialog.
  QPushButton* AddOkButton();

  /// The prompts of the program (choosers and message boxes).
  Prompts& Ask() const;
  /// Caption of the program's message boxes (the program title).
  std::string MessageCaption() const;
  /// True while the dialog writes its own fields into the controls.
  bool Loading() const { return loading_ > 0; }

private:
  QAbstractButton* MakeButton(int id, const QString& text, const QIcon& icon);

  CZyntraScr& screen_;
  ShowNode* node_ = nullptr;
  int loading_ = 0;
  bool previewing_ = false;
  // The position group, when there is one.
  SizeOrder order_ = SizeOrder::WidthHeight;
  std::array<QLineEdit*, 4> position_{};
};
