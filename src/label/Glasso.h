#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "controls/ControlWidget.h"
#include "controls/GlassoIds.h"
#include "label/CommonDialog.h"
#include "label/GlassoLabel.h"
#include "label/GlassoShape.h"

/// The transparent text label control: a caption (`Label1`) and a border (`Shape1`) that both
/// cover the whole control. With a transparent background the widget paints only the letters
/// and the border, so the page and the objects under it show through everywhere else.
class Glasso : public ControlWidget {
public:
  /// The control's class identifier.
  static constexpr const char* kClassId = GlassoIds::kClassId;

  /// A label as a child of `parent` (may be null) whose colour and font choosers ask with
  /// `prompts` (kept, not owned; it must outlive the label).
  Glasso(QWidget* parent, Prompts& prompts);
  ~Glasso() override;

  /// Calls a member of `_Glasso`; see GlassoIds for the identifiers.
  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// Number of label controls alive in this process.
  static int AliveCount() { return alive_.load(); }

  /// Rounds a size in ten-thousandths of a point to whole points, halves to the even neighbour.
  static int64_t RoundFontSize(int64_t tenThousandths);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  struct Member;
  static const Member kMembers[];

  // Properties; the puts fail (BadArgs) on a value of the wrong type.
  Variant GetCaption() const;
  InvokeStatus PutCaption(const Variant& v);
  Variant GetFont() const;
  InvokeStatus PutFont(const Variant& v);
  InvokeStatus PutFontBold(const Variant& v);
  InvokeStatus PutFontItalic(const Variant& v);
  InvokeStatus PutFontUnderline(const Variant& v);
  InvokeStatus PutFontStrikethrough(const Variant& v);
  InvokeStatus PutFontName(const Variant& v);
  InvokeStatus PutFontSize(const Variant& v);
  Variant GetColor() const;
  InvokeStatus PutColor(const Variant& v);
  Variant GetBgColor() const;
  InvokeStatus PutBgColor(const Variant& v);
  Variant GetAlign() const;
  InvokeStatus PutAlign(const Variant& v);
  Variant GetTransparent() const;
  InvokeStatus PutTransparent(const Variant& v);
  Variant GetBorder() const;
  InvokeStatus PutBorder(const Variant& v);
  Variant GetBorderColor() const;
  InvokeStatus PutBorderColor(const Variant& v);
  InvokeStatus PutEnable(const Variant& v);

  // Methods.
  InvokeStatus SetCaption();
  InvokeStatus SetFont();
  InvokeStatus SetColor();
  InvokeStatus SetBgColor();
  InvokeStatus SetBorderColor();

  /// Paints the label and the border on a surface filled with the surface background colour
  /// and keeps exactly the pixels they touched: the window region of a transparent surface.
  void PaintTransparent(QPainter& painter);

  GlassoLabel Label1;
  GlassoShape Shape1;
  CommonDialog CD1;

  // The surface's own colours. A transparent surface takes the text colour into its background
  // and mask colours, so that glyph edges blend into the text colour rather than into a fringe;
  // they follow the text colour only when Transparent 1 or SetColor applies them again.
  bool surfaceTransparent_ = false;
  int32_t surfaceBackColor_ = 0xFFFFFF;
  int32_t surfaceForeColor_ = 0x000000;
  int32_t surfaceMaskColor_ = 0xFFFFFF;

  static std::atomic<int> alive_;
};
