#pragma once

#include <QDialog>

/// The preset action dialog (modal, bordered, without a title bar): name, position and size
/// edits, four buttons, two preset lists under "预设动作" and a vertical progress bar. None of
/// them is bound or handled; only the Escape key closes it.
class CDlgAction : public QDialog {
  Q_OBJECT
public:
  explicit CDlgAction(QWidget* parent = nullptr);
  /// The control with a dialog identifier, or null.
  QWidget* Control(int id) const;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};
