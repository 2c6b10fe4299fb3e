#pragma once

#include "controls/ControlWidget.h"
#include "controls/FlashMembers.h"

#include <QUrl>

class FlashWebContext;
class QWebEngineView;

/// The Flash player control: a web view filling the control that plays the movie named by
/// FileName with Ruffle. A missing or unreadable file, or one that is no SWF movie, leaves the
/// control empty (black) and logs why.
class FlashPlayer : public ControlWidget {
public:
  /// A player without a movie, child of `parent`, using `context` for its page.
  FlashPlayer(FlashWebContext* context, QWidget* parent);
  ~FlashPlayer() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// The view showing the page (for tests and screenshots); null until first shown.
  QWebEngineView* view() const { return view_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  void ScheduleLoad();
  void Load();
  void ApplyPlaying();

  FlashWebContext* context_;
  QWebEngineView* view_ = nullptr;
  QUrl movie_; ///< the movie the page plays (empty: none)
  FlashMembers members_;
  int slot_;
  bool loadPending_ = false;
};
