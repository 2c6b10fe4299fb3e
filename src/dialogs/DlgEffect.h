#pragma once

#include <QDialog>

/// The effect time-line dialog "效果时间轴" (modal): an empty frame with "OK" (1) and
/// "Cancel" (2); it reads and writes nothing.
class CDlgEffect : public QDialog {
  Q_OBJECT
public:
  explicit CDlgEffect(QWidget* parent = nullptr);
};
