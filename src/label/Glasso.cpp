#include "qt/ColorRef.h"
#include "label/Glasso.h"

#include <QImage>
#include <QPainter>
#include <QPointer>

#include "controls/WallDpi.h"
#include "label/Frm_Caption.h"

std::atomic<int> Glasso::alive_{0};

namespace {

// Font sizes a label accepts, in points.
constexpr double kMinFontSize = 1.0;
constexpr double kMaxFontSize = 2160.0;

// A numeric value that fits a 16-bit integer, as an automation call would coerce it.
bool ToI2(const Variant& v, int16_t* out) {
  if (!v.isNumber()) return false;
  double d = v.toR8();
  if (!(d >= -32768.0 && d <= 32767.0)) return false;
  *out = static_cast<int16_t>(v.toI4());
  return true;
}

bool ToI4(const Variant& v, int32_t* out) {
  if (!v.isNumber()) return false;
  double d = v.toR8();
  if (!(d >= -2147483648.0 && d <= 2147483647.0)) return false;
  *out = v.toI4();
  return true;
}

bool ValidFontSize(double points) { return points >= kMinFontSize && points <= kMaxFontSize; }

} // namespace

/// One row of the dispatch table: which invoke kinds a member answers and how.
struct Glasso::Member {
  GlassoIds::Dispid dispid;
  Variant (Glasso::*get)() const;
  InvokeStatus (Glasso::*put)(const Variant&);
  InvokeStatus (Glasso::*method)();
  bool putRef; ///< also answers put-by-reference (object properties)
};

// clang-format off
const Glasso::Member Glasso::kMembers[] = {
  {GlassoIds::kCaption, &Glasso::GetCaption, &Glasso::PutCaption, nullptr, false},
  {GlassoIds::kSetCaption, nullptr, nullptr, &Glasso::SetCaption, false},
  {GlassoIds::kSetFont, nullptr, nullptr, &Glasso::SetFont, false},
  {GlassoIds::kFont, &Glasso::GetFont, &Glasso::PutFont, nullptr, true},
  {GlassoIds::kFontBold, nullptr, &Glasso::PutFontBold, nullptr, false},
  {GlassoIds::kFontItalic, nullptr, &Glasso::PutFontItalic, nullptr, false},
  {GlassoIds::kFontUnderline, nullptr, &Glasso::PutFontUnderline, nullptr, false},
  {GlassoIds::kFontStrikethrough, nullptr, &Glasso::PutFontStrikethrough, nullptr, false},
  {GlassoIds::kFontName, nullptr, &Glasso::PutFontName, nullptr, false},
  {GlassoIds::kFontSize, nullptr, &Glasso::PutFontSize, nullptr, false},
  {GlassoIds::kSetColor, nullptr, nullptr, &Glasso::SetColor, false},
  {GlassoIds::kColor, &Glasso::GetColor, &Glasso::PutColor, nullptr, false},
  {GlassoIds::kSetBgColor, nullptr, nullptr, &Glasso::SetBgColor, false},
  {GlassoIds::kBgColor, &Glasso::GetBgColor, &Glasso::PutBgColor, nullptr, false},
  {GlassoIds::kAlign, &Glasso::GetAlign, &Glasso::PutAlign, nullptr, false},
  {GlassoIds::kTransparent, &Glasso::GetTransparent, &Glasso::PutTransparent, nullptr, false},
  {GlassoIds::kBorder, &Glasso::GetBorder, &Glasso::PutBorder, nullptr, false},
  {GlassoIds::kSetBorderColor, nullptr, nullptr, &Glasso::SetBorderColor, false},
  {GlassoIds::kBorderColor, &Glasso::GetBorderColor, &Glasso::PutBorderColor, nullptr, false},
  {GlassoIds::kEnable, nullptr, &Glasso::PutEnable, nullptr, false},
};
// clang-format on

Glasso::Glasso(QWidget* parent, Prompts& prompts) : ControlWidget(kClassId, parent), CD1(prompts) {
  // The surface paints every pixel it shows itself; nothing fills it behind its back, so
  // whatever it leaves unpainted shows the parent and the siblings underneath.
  setAutoFillBackground(false);
  setAttribute(Qt::WA_NoSystemBackground);
  ++alive_;
}

Glasso::~Glasso() { --alive_; }

InvokeStatus Glasso::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                            Variant* result) {
  const Member* member = nullptr;
  for (const Member& m : kMembers) {
    if (static_cast<int32_t>(m.dispid) == dispid) member = &m;
  }
  if (!member) return InvokeStatus::UnknownMember;

  switch (kind) {
  case InvokeKind::Method:
    if (!member->method) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    return (this->*member->method)();
  case InvokeKind::PropertyGet:
    if (!member->get) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    if (result) *result = (this->*member->get)();
    return InvokeStatus::Ok;
  case InvokeKind::PropertyPutRef:
    if (!member->putRef) return InvokeStatus::BadKind;
    [[fallthrough]];
  case InvokeKind::PropertyPut: {
    if (!member->put) return InvokeStatus::BadKind;
    if (args.size() != 1) return InvokeStatus::BadArgs;
    InvokeStatus status = (this->*member->put)(args.back());
    if (status == InvokeStatus::Ok) update();
    return status;
  }
  }
  return InvokeStatus::BadKind;
}

int64_t Glasso::RoundFontSize(int64_t tenThousandths) {
  int64_t points = tenThousandths / 10000;
  int64_t rest = tenThousandths % 10000;
  if (rest < 0) { // floor, so that the rest is always 0..9999
    rest += 10000;
    --points;
  }
  if (rest > 5000 || (rest == 5000 && points % 2 != 0)) ++points;
  return points;
}

Variant Glasso::GetCaption() const { return Variant::FromString(Label1.caption.toStdString()); }

InvokeStatus Glasso::PutCaption(const Variant& v) {
  if (v.type() != Variant::Type::String) return InvokeStatus::BadArgs;
  Label1.caption = QString::fromStdString(v.toString());
  return InvokeStatus::Ok;
}

Variant Glasso::GetFont() const {
  FontDesc font = Label1.font;
  font.weight = font.bold ? 700 : 400;
  return Variant::FromFont(font);
}

InvokeStatus Glasso::PutFont(const Variant& v) {
  if (v.type() != Variant::Type::Font) return InvokeStatus::BadArgs;
  FontDesc font = v.toFont();
  if (!ValidFontSize(font.size)) return InvokeStatus::Failed;
  Label1.font = font;
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontBold(const Variant& v) {
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  Label1.font.bold = v.toBool();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontItalic(const Variant& v) {
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  Label1.font.italic = v.toBool();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontUnderline(const Variant& v) {
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  Label1.font.underline = v.toBool();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontStrikethrough(const Variant& v) {
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  Label1.font.strikethrough = v.toBool();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontName(const Variant& v) {
  if (v.type() != Variant::Type::String) return InvokeStatus::BadArgs;
  Label1.font.name = v.toString();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::PutFontSize(const Variant& v) {
  int32_t tenThousandths = 0;
  if (!ToI4(v, &tenThousandths)) return InvokeStatus::BadArgs;
  double points = static_cast<double>(RoundFontSize(tenThousandths));
  // A size the font cannot take is the font's error and the call's failure.
  if (!ValidFontSize(points)) return InvokeStatus::Failed;
  Label1.font.size = points;
  return InvokeStatus::Ok;
}

Variant Glasso::GetColor() const { return Variant::FromI4(Label1.foreColor); }

InvokeStatus Glasso::PutColor(const Variant& v) {
  return ToI4(v, &Label1.foreColor) ? InvokeStatus::Ok : InvokeStatus::BadArgs;
}

Variant Glasso::GetBgColor() const { return Variant::FromI4(Label1.backColor); }

InvokeStatus Glasso::PutBgColor(const Variant& v) {
  return ToI4(v, &Label1.backColor) ? InvokeStatus::Ok : InvokeStatus::BadArgs;
}

Variant Glasso::GetAlign() const { return Variant::FromI2(Label1.alignment); }

InvokeStatus Glasso::PutAlign(const Variant& v) {
  int16_t align = 0;
  if (!ToI2(v, &align)) return InvokeStatus::BadArgs;
  // The label knows three alignments; another value is its error and changes nothing.
  if (align < GlassoLabel::Left || align > GlassoLabel::Center) return InvokeStatus::Failed;
  Label1.alignment = static_cast<GlassoLabel::Alignment>(align);
  return InvokeStatus::Ok;
}

Variant Glasso::GetTransparent() const { return Variant::FromI2(Label1.transparent ? 1 : 0); }

InvokeStatus Glasso::PutTransparent(const Variant& v) {
  int16_t value = 0;
  if (!ToI2(v, &value)) return InvokeStatus::BadArgs;
  if (value == 1) {
    Label1.transparent = true;
    surfaceTransparent_ = true;
    surfaceBackColor_ = Label1.foreColor;
    surfaceMaskColor_ = Label1.foreColor;
  } else if (value == 0) {
    Label1.transparent = false;
    surfaceTransparent_ = false;
    // The opaque label paints its own background colour again from the next paint on.
  }
  return InvokeStatus::Ok;
}

Variant Glasso::GetBorder() const { return Variant::FromI2(Shape1.visible ? 1 : 0); }

InvokeStatus Glasso::PutBorder(const Variant& v) {
  int16_t value = 0;
  if (!ToI2(v, &value)) return InvokeStatus::BadArgs;
  Shape1.visible = value == 1;
  return InvokeStatus::Ok;
}

Variant Glasso::GetBorderColor() const { return Variant::FromI4(Shape1.borderColor); }

InvokeStatus Glasso::PutBorderColor(const Variant& v) {
  return ToI4(v, &Shape1.borderColor) ? InvokeStatus::Ok : InvokeStatus::BadArgs;
}

InvokeStatus Glasso::PutEnable(const Variant& v) {
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  setEnabled(v.toBool());
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::SetCaption() {
  // The page keeps running while the form is up; should the control go away meanwhile, the
  // form goes with it and neither may be touched afterwards.
  QPointer<Glasso> self(this);
  QPointer<Frm_Caption> form = new Frm_Caption(this);
  form->mGlasso = this;
  form->exec();
  delete form.data();
  if (!self) return InvokeStatus::Failed;
  update();
  return InvokeStatus::Ok;
}

// The chooser methods end silently when the user cancels: the label keeps its values.

InvokeStatus Glasso::SetFont() {
  CD1.Font = Label1.font;
  if (!CD1.ShowFont()) return InvokeStatus::Ok;
  Label1.font.name = CD1.Font.name;
  if (!ValidFontSize(CD1.Font.size)) return InvokeStatus::Ok;
  Label1.font.size = CD1.Font.size;
  Label1.font.bold = CD1.Font.bold;
  Label1.font.italic = CD1.Font.italic;
  Label1.font.underline = CD1.Font.underline;
  Label1.font.strikethrough = CD1.Font.strikethrough;
  update();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::SetColor() {
  CD1.Color = Label1.foreColor;
  if (!CD1.ShowColor()) return InvokeStatus::Ok;
  Label1.foreColor = CD1.Color;
  surfaceBackColor_ = CD1.Color;
  surfaceForeColor_ = CD1.Color;
  surfaceMaskColor_ = CD1.Color;
  update();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::SetBgColor() {
  CD1.Color = Label1.backColor;
  if (!CD1.ShowColor()) return InvokeStatus::Ok;
  Label1.backColor = CD1.Color;
  update();
  return InvokeStatus::Ok;
}

InvokeStatus Glasso::SetBorderColor() {
  CD1.Color = Shape1.borderColor;
  if (!CD1.ShowColor()) return InvokeStatus::Ok;
  Shape1.borderColor = CD1.Color;
  update();
  return InvokeStatus::Ok;
}

void Glasso::resizeEvent(QResizeEvent* event) {
  ControlWidget::resizeEvent(event);
  Label1.geometry = QRect(0, 0, width(), height());
  Shape1.geometry = QRect(0, 0, width(), height());
}

void Glasso::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (surfaceTransparent_) {
    PaintTransparent(painter);
    return;
  }
  painter.fillRect(rect(), ColorFromRef(surfaceBackColor_));
  Label1.Paint(painter);
  Shape1.Paint(painter);
}

void Glasso::PaintTransparent(QPainter& painter) {
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (pixels.isEmpty()) return;

  // The children drawn on the surface colour...
  QImage surface(pixels, QImage::Format_ARGB32_Premultiplied);
  surface.setDevicePixelRatio(ratio);
  SetWallDpi(surface);
  surface.fill(ColorFromRef(surfaceBackColor_));
  // ...and on nothing, which tells which pixels they touched.
  QImage touched(pixels, QImage::Format_ARGB32_Premultiplied);
  touched.setDevicePixelRatio(ratio);
  SetWallDpi(touched);
  touched.fill(Qt::transparent);
  for (QImage* image : {&surface, &touched}) {
    QPainter p(image);
    Label1.Paint(p);
    Shape1.Paint(p);
  }

  for (int y = 0; y < pixels.height(); ++y) {
    auto* out = reinterpret_cast<QRgb*>(surface.scanLine(y));
    const auto* mask = reinterpret_cast<const QRgb*>(touched.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x) {
      if (qAlpha(mask[x]) == 0) out[x] = 0;
    }
  }
  painter.drawImage(QPoint(0, 0), surface);
}
