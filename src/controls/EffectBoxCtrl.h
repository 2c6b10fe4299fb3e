#pragma once

#include <QImage>

#include <memory>

#include "controls/ControlWidget.h"
#include "controls/SlideShow.h"

class QtScheduler;

/// Class identifier of the picture-effect control.
inline constexpr char kEffectBoxClsid[] = "{B9EF8D8A-4AD4-11DE-B2D7-00D009C22011}";

/// The picture-effect control: a list of pictures shown one after another, each entering over
/// the previous one with a named transition, on a background colour and picture.
class EffectBoxCtrl : public ControlWidget {
public:
  /// The dispatch members.
  enum DispId : int32_t {
    kBgPicture = 0x40030002,    ///< get/put string: background picture path
    kItemCount = 0x40030003,    ///< get i2: number of items
    kLoopPlay = 0x40030004,     ///< get/put bool: repeat endlessly
    kLoops = 0x40030005,        ///< get/put i2: number of runs, 0 = endless
    kStretch = 0x40030006,      ///< get/put bool: scale pictures to the control
    kColor = 0x68030000,        ///< get/put colour 0x00BBGGRR: background colour
    kFinished = 0x68030001,     ///< get bool: the runs have ended
    kInputEnabled = 0x68030002, ///< put bool: the window takes mouse and keyboard input
    kClearItems = 0x60030005,   ///< method: remove all items
    kAddItem = 0x60030006,      ///< method (path, effect name, i2 speed, i2 stay)
    kItemPath = 0x60030007,     ///< method (i2 index from 1) → string
    kItemEffect = 0x60030008,   ///< method (i2 index) → string
    kItemSpeed = 0x60030009,    ///< method (i2 index) → i2
    kItemStay = 0x6003000A,     ///< method (i2 index) → i2
    kStart = 0x6003000B,        ///< method: play from the first item
    kStop = 0x6003000C,         ///< method: stop and clear the picture
  };

  /// A control timed by `scheduler` (kept, not owned), or by its own Qt timers when null.
  explicit EffectBoxCtrl(QWidget* parent, Scheduler* scheduler = nullptr);
  ~EffectBoxCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  InvokeStatus InvokeItem(int32_t dispid, const std::vector<Variant>& args, Variant* result);
  bool EnterItem(size_t index);
  void Restart();
  void Clear();
  void InvalidateFrames();
  QImage ComposeFrame(const QImage& picture) const;

  std::unique_ptr<QtScheduler> ownScheduler_;
  Scheduler& scheduler_;
  SlideShow show_;
  std::string bgPath_;
  QImage bgImage_;
  bool stretch_ = false;
  int32_t color_ = 0;
  bool inputEnabled_ = true;
  QImage oldPicture_; // what the entering picture covers; null = background
  QImage newPicture_; // the current item's picture; null = background (or missing)
  QImage oldFrame_;   // the pictures composed on the background at the control's size
  QImage newFrame_;
};
