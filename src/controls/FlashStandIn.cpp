#include "controls/FlashStandIn.h"

#include <QFileInfo>
#include <QPainter>

#include "base/Rect.h"

FlashStandIn::FlashStandIn(QWidget* parent) : ControlWidget(FlashIds::kClassId, parent) {}

InvokeStatus FlashStandIn::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                  Variant* result) {
  FlashMembers::Change change = FlashMembers::Change::None;
  InvokeStatus status = members_.Invoke(dispid, kind, args, result, &change);
  if (change != FlashMembers::Change::None) update();
  return status;
}

QString FlashStandIn::text() const {
  QString file = QString::fromStdString(members_.fileName());
  return QString::fromUtf8(kCaption) + QLatin1Char('\n') +
         (file.isEmpty() ? QStringLiteral("（无文件）") : file);
}

void FlashStandIn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0x30, 0x30, 0x30));
  p.setPen(QColor(0x90, 0x90, 0x90));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setPen(Qt::white);
  p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWrapAnywhere, text());
}

HostedControl* CreateFlashStandIn(QWidget* parent, const Rect& rect, bool visible,
                                  const ControlServices& /*services*/) {
  auto* control = new FlashStandIn(parent);
  control->MoveWindow(rect);
  control->ShowWindow(visible);
  return control;
}

bool RegisterFlashStandInIfNeeded(ControlHost& host) {
  const std::string before = host.LastError();
  if (host.LibraryFor(FlashIds::kClassId)) return false;
  const std::string why =
      host.LastError() != before ? host.LastError() : "no Flash player library found";
  qWarning("Flash movies show a stand-in: %s", why.c_str());
  return host.RegisterBuiltIn(FlashIds::kClassId, "ShockwaveFlash stand-in", &CreateFlashStandIn);
}
