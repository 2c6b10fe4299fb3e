#pragma once

#include <string>
#include <vector>

#include "controls/ControlHost.h"
#include "controls/ControlWidget.h"
#include "controls/FlashMembers.h"

class QWidget;
struct Rect;

/// Takes the Flash player's place where the player library or Qt WebEngine is missing: answers
/// every dispatch member like the player and shows, plainly labelled, that no movie plays and
/// which file would.
class FlashStandIn : public ControlWidget {
public:
  /// The caption drawn above the file name.
  static constexpr const char* kCaption = "Flash 播放器不可用";

  explicit FlashStandIn(QWidget* parent);

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// The text the control shows: the caption, then the file name or "（无文件）".
  QString text() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  FlashMembers members_;
};

/// Creates a stand-in as a child of `parent` at `rect`, shown or hidden. The caller owns it.
HostedControl* CreateFlashStandIn(QWidget* parent, const Rect& rect, bool visible,
                                  const ControlServices& services);

/// Lets `host` make Flash controls where the player library cannot: unless a library the host
/// finds (ControlHost::LibraryFor) answers the Flash class, registers the stand-in as the
/// built-in Flash control and logs why. True when the stand-in was registered.
bool RegisterFlashStandInIfNeeded(ControlHost& host);
