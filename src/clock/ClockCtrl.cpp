#include "qt/ColorRef.h"
#include "clock/ClockCtrl.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

#include <atomic>
#include <cmath>
#include <limits>

#include "qt/QtFont.h"
#include "controls/WallDpi.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/Prompts.h"
#include "base/TextCodec.h"

namespace {

std::atomic<int> gLiveClocks{0};

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x00FF00;
constexpr int32_t kYellow = 0x00FFFF;
constexpr int32_t kDotGreen = 0x00C800;

// The put value as a 16-bit integer: numbers in range, rounded as the dispatch layer would.
bool ToShort(const Variant& v, int16_t& out) {
  if (!v.isNumber()) return false;
  const double d = v.type() == Variant::Type::R8 || v.type() == Variant::Type::Date
                       ? std::nearbyint(v.toR8())
                       : v.toR8();
  if (!(d >= -32768.0 && d <= 32767.0)) return false;
  out = static_cast<int16_t>(d);
  return true;
}

bool ToLong(const Variant& v, int32_t& out) {
  if (!v.isNumber()) return false;
  const double d = v.type() == Variant::Type::R8 || v.type() == Variant::Type::Date
                       ? std::nearbyint(v.toR8())
                       : v.toR8();
  if (!(d >= -2147483648.0 && d <= 2147483647.0)) return false;
  out = static_cast<int32_t>(d);
  return true;
}

bool IsGet(InvokeKind kind) { return kind == InvokeKind::PropertyGet; }
bool IsPut(InvokeKind kind) { return kind == InvokeKind::PropertyPut; }

void Set(Variant* result, Variant value) {
  if (result) *result = std::move(value);
}

// Milliseconds since the start of the current second of a local date-time number, rounded to
// the millisecond as every date-time number is read.
int64_t MsOfSecond(double dateTime) { return FromDateTimeNumber(dateTime).millisecond; }

QString TimeCaption(double now) {
  const ClockTime t = TimeOfDay(now);
  return QString::asprintf("%02d:%02d:%02d", t.hour, t.minute, t.second);
}

} // namespace

ClockCtrl::ClockCtrl(QWidget* parent, Scheduler& scheduler, LocalClock& clock, Prompts& prompts)
    : ControlWidget(ClockIds::kClassId, parent), scheduler_(scheduler), clock_(clock),
      prompts_(prompts) {
  ++gLiveClocks;
  setObjectName(QStringLiteral("clock"));
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  // The caption is text on the wall like the control itself.
  label_ = new WallDpiWidget<QLabel>(this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setAlignment(Qt::AlignCenter);
  label_->setWordWrap(true);
  label_->setAttribute(Qt::WA_TransparentForMouseEvents);
  QFont font = label_->font();
  font.setPointSizeF(12);
  label_->setFont(font);
  QPalette palette = label_->palette();
  palette.setColor(QPalette::WindowText, ColorFromRef(fgColor_));
  label_->setPalette(palette);

  // Creation: the label hidden, showing the time of creation.
  const double now = clock_.now();
  label_->hide();
  label_->setText(TimeCaption(now));
  targetDate_ = now + 1.0;
}

ClockCtrl::~ClockCtrl() {
  if (tickId_ != 0) scheduler_.cancel(tickId_);
  --gLiveClocks;
}

int ClockCtrl::LiveCount() { return gLiveClocks.load(); }

// ---------------------------------------------------------------------------------------------
// Dispatch

InvokeStatus ClockCtrl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                               Variant* result) {
  switch (dispid) {
  case ClockIds::kRetouchHour:
  case ClockIds::kRetouchMinute:
  case ClockIds::kRetouchSecond:
  case ClockIds::kStyle:
  case ClockIds::kTotalTime:
  case ClockIds::kTargetDate:
  case ClockIds::kPreText:
  case ClockIds::kLasText:
  case ClockIds::kFinished: return InvokeField(dispid, kind, args, result);
  case ClockIds::kShowTimer: {
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    int16_t style = 0;
    if (args.size() != 1 || !ToShort(args[0], style)) return InvokeStatus::BadArgs;
    ShowTimer(style);
    return InvokeStatus::Ok;
  }
  case ClockIds::kDrawTimer:
  case ClockIds::kSetFont:
  case ClockIds::kReset:
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    if (dispid == ClockIds::kDrawTimer) DrawTimer();
    if (dispid == ClockIds::kSetFont) SetFont();
    if (dispid == ClockIds::kReset) Reset();
    return InvokeStatus::Ok;
  default: return InvokeProperty(dispid, kind, args, result);
  }
}

InvokeStatus ClockCtrl::InvokeField(int32_t dispid, InvokeKind kind,
                                    const std::vector<Variant>& args, Variant* result) {
  if (IsGet(kind)) {
    if (!args.empty()) return InvokeStatus::BadArgs;
    switch (dispid) {
    case ClockIds::kRetouchHour: Set(result, Variant::FromI2(retouchHour_)); break;
    case ClockIds::kRetouchMinute: Set(result, Variant::FromI2(retouchMinute_)); break;
    case ClockIds::kRetouchSecond: Set(result, Variant::FromI2(retouchSecond_)); break;
    case ClockIds::kStyle: Set(result, Variant::FromI2(style_)); break;
    case ClockIds::kTotalTime: Set(result, Variant::FromI2(totalTime_)); break;
    case ClockIds::kTargetDate: Set(result, Variant::FromDate(targetDate_)); break;
    case ClockIds::kPreText: Set(result, Variant::FromString(preText_)); break;
    case ClockIds::kLasText: Set(result, Variant::FromString(lasText_)); break;
    case ClockIds::kFinished: Set(result, Variant::FromBool(finished_)); break;
    }
    return InvokeStatus::Ok;
  }
  if (!IsPut(kind)) return InvokeStatus::BadKind;
  if (args.size() != 1) return InvokeStatus::BadArgs;
  const Variant& v = args[0];
  int16_t* shortField = nullptr;
  switch (dispid) {
  case ClockIds::kRetouchHour: shortField = &retouchHour_; break;
  case ClockIds::kRetouchMinute: shortField = &retouchMinute_; break;
  case ClockIds::kRetouchSecond: shortField = &retouchSecond_; break;
  case ClockIds::kStyle: shortField = &style_; break; // no redraw: the next pass shows it
  case ClockIds::kTotalTime: shortField = &totalTime_; break;
  case ClockIds::kTargetDate:
    if (!v.isNumber()) return InvokeStatus::BadArgs;
    targetDate_ = v.toR8();
    return InvokeStatus::Ok;
  case ClockIds::kPreText:
  case ClockIds::kLasText:
    if (v.type() != Variant::Type::String) return InvokeStatus::BadArgs;
    (dispid == ClockIds::kPreText ? preText_ : lasText_) = v.toString();
    return InvokeStatus::Ok;
  case ClockIds::kFinished:
    if (!v.isNumber()) return InvokeStatus::BadArgs;
    finished_ = v.toBool();
    return InvokeStatus::Ok;
  }
  int16_t value = 0;
  if (!ToShort(v, value)) return InvokeStatus::BadArgs;
  *shortField = value;
  return InvokeStatus::Ok;
}

InvokeStatus ClockCtrl::InvokeProperty(int32_t dispid, InvokeKind kind,
                                       const std::vector<Variant>& args, Variant* result) {
  QFont font = label_->font();
  if (IsGet(kind)) {
    if (!args.empty()) return InvokeStatus::BadArgs;
    switch (dispid) {
    case ClockIds::kEnabled: Set(result, Variant::FromBool(isEnabled())); break;
    case ClockIds::kFontName: Set(result, Variant::FromString(font.family().toStdString())); break;
    case ClockIds::kFontSize:
      Set(result, Variant::FromI2(static_cast<int16_t>(std::lround(font.pointSizeF()))));
      break;
    case ClockIds::kFontBold: Set(result, Variant::FromBool(font.bold())); break;
    case ClockIds::kFontItalic: Set(result, Variant::FromBool(font.italic())); break;
    case ClockIds::kFontUnderline: Set(result, Variant::FromBool(font.underline())); break;
    case ClockIds::kFontStrikethrough: Set(result, Variant::FromBool(font.strikeOut())); break;
    case ClockIds::kBgColor: Set(result, Variant::FromI4(bgColor_)); break;
    case ClockIds::kFgColor: Set(result, Variant::FromI4(fgColor_)); break;
    case ClockIds::kTransparent: Set(result, Variant::FromBool(transparent_)); break;
    case ClockIds::kBorder: Set(result, Variant::FromBool(border_)); break;
    case ClockIds::kBorderColor: Set(result, Variant::FromI4(borderColor_)); break;
    case ClockIds::kPlay: Set(result, Variant::FromBool(playing_)); break;
    default: return InvokeStatus::UnknownMember;
    }
    return InvokeStatus::Ok;
  }
  switch (dispid) {
  case ClockIds::kEnabled:
  case ClockIds::kFontName:
  case ClockIds::kFontSize:
  case ClockIds::kFontBold:
  case ClockIds::kFontItalic:
  case ClockIds::kFontUnderline:
  case ClockIds::kFontStrikethrough:
  case ClockIds::kBgColor:
  case ClockIds::kFgColor:
  case ClockIds::kTransparent:
  case ClockIds::kBorder:
  case ClockIds::kBorderColor:
  case ClockIds::kPlay: break;
  default: return InvokeStatus::UnknownMember;
  }
  if (!IsPut(kind)) return InvokeStatus::BadKind;
  if (args.size() != 1) return InvokeStatus::BadArgs;
  const Variant& v = args[0];
  if (dispid == ClockIds::kFontName) {
    if (v.type() != Variant::Type::String) return InvokeStatus::BadArgs;
    font.setFamily(QString::fromStdString(v.toString()));
    label_->setFont(font);
    return InvokeStatus::Ok;
  }
  if (!v.isNumber()) return InvokeStatus::BadArgs;
  switch (dispid) {
  case ClockIds::kEnabled: setEnabled(v.toBool()); break;
  case ClockIds::kFontSize: {
    int16_t size = 0;
    if (!ToShort(v, size)) return InvokeStatus::BadArgs;
    if (size <= 0) return InvokeStatus::Failed; // the label's font refuses a size of 0 or less
    font.setPointSizeF(size);
    label_->setFont(font);
    break;
  }
  case ClockIds::kFontBold:
    font.setBold(v.toBool());
    label_->setFont(font);
    break;
  case ClockIds::kFontItalic:
    font.setItalic(v.toBool());
    label_->setFont(font);
    break;
  case ClockIds::kFontUnderline:
    font.setUnderline(v.toBool());
    label_->setFont(font);
    break;
  case ClockIds::kFontStrikethrough:
    font.setStrikeOut(v.toBool());
    label_->setFont(font);
    break;
  case ClockIds::kBgColor:
  case ClockIds::kFgColor:
  case ClockIds::kBorderColor: {
    int32_t colour = 0;
    if (!ToLong(v, colour)) return InvokeStatus::BadArgs;
    if (dispid == ClockIds::kBgColor) {
      // The background and the fill colour of the surface; the drawing keeps what is on it.
      bgColor_ = colour;
      fillColor_ = colour;
      if (!surface_.isNull()) surface_.fill(ColorFromRef(bgColor_));
    } else if (dispid == ClockIds::kFgColor) {
      fgColor_ = colour;
      QPalette palette = label_->palette();
      palette.setColor(QPalette::WindowText, ColorFromRef(fgColor_));
      label_->setPalette(palette);
    } else {
      borderColor_ = colour;
    }
    update();
    break;
  }
  case ClockIds::kTransparent:
    transparent_ = v.toBool();
    update();
    break;
  case ClockIds::kBorder:
    border_ = v.toBool();
    update();
    break;
  case ClockIds::kPlay: SetPlay(v.toBool()); break;
  }
  return InvokeStatus::Ok;
}

// ---------------------------------------------------------------------------------------------
// Timer1: the tick

void ClockCtrl::SetPlay(bool play) {
  if (play == playing_) return;
  playing_ = play;
  if (!play) {
    if (tickId_ != 0) scheduler_.cancel(tickId_);
    tickId_ = 0;
    return;
  }
  ScheduleTick(true);
}

void ClockCtrl::ScheduleTick(bool fromPlay) {
  const int64_t now = scheduler_.now();
  if (style_ < kStyleDial) {
    // A countdown counts seconds from Play on a fixed grid, so its seconds do not drift; a
    // tick that was held up skips the seconds it missed instead of firing them in a burst.
    nextDue_ = fromPlay ? now + 1000 : nextDue_ + 1000;
    if (nextDue_ <= now) nextDue_ = now + 1000 - (now - nextDue_) % 1000;
  } else {
    // A clock ticks right after each second of its local clock begins, so the shown second
    // changes with the real one.
    nextDue_ = now + (1000 - MsOfSecond(clock_.now()));
  }
  tickId_ = scheduler_.callAt(nextDue_, [this] {
    tickId_ = 0;
    Tick();
    if (playing_ && tickId_ == 0) ScheduleTick(false);
  });
}

void ClockCtrl::Tick() {
  if (style_ < kStyleDial) {
    sampleSecond_ += 1;
    if (sampleSecond_ >= 60) {
      sampleSecond_ -= 60;
      sampleMinute_ += 1;
      if (sampleMinute_ == totalTime_) {
        sampleMinute_ = 0;
        sampleSecond_ = 60;
        SetPlay(false);
      }
    }
  } else {
    const double now = clock_.now();
    if (MsOfSecond(now) >= 500) return; // woken early: the next call aligns
    const ClockTime t = TimeOfDay(now);
    sampleHour_ = t.hour;
    sampleMinute_ = t.minute;
    sampleSecond_ = t.second;
  }
  ShowTimer(style_);
}

void ClockCtrl::Reset() {
  SetPlay(false);
  finished_ = false;
  sampleMinute_ = 0;
  sampleSecond_ = 0;
  if (IsDialStyle()) DrawTimer();
}

void ClockCtrl::SetFont() {
  QFont font = label_->font();
  std::optional<FontDesc> chosen = prompts_.ChooseFont(FontDescOf(font));
  if (!chosen) return;
  ApplyFontDesc(font, *chosen);
  label_->setFont(font);
}

// ---------------------------------------------------------------------------------------------
// Display passes

void ClockCtrl::ShowTimer(int style) {
  if (style > 1) {
    totalTime_ = 60;
    finished_ = true;
  }
  if (std::optional<TextSelectors> selectors = SelectorsOfStyle(style)) {
    ShowDateTimeText(*selectors);
    return;
  }
  switch (style) {
  case kStyleCountdownDial:
    finished_ = false;
    DrawTimer();
    if (!playing_) finished_ = true;
    break;
  case kStyleCountdownText:
    finished_ = false;
    ShowCountdownText();
    if (!playing_) finished_ = true;
    break;
  case kStyleDial: DrawTimer(); break;
  case kStyleDialDate:
    DrawTimer();
    ShowDialDate();
    break;
  case kStyleDayCounter: ShowDayCounter(); break;
  case kStyleLunar: ShowLunarDate(); break;
  default: break;
  }
}

void ClockCtrl::ClearSurface() {
  // The surface follows the window's size even before a pending resize event arrives (a
  // window that was never shown gets its resize events late).
  if (surface_.size() != size()) {
    surface_ = size().isEmpty() ? QImage() : QImage(size(), QImage::Format_RGB32);
  }
  if (surface_.isNull()) return;
  surface_.fill(ColorFromRef(bgColor_));
  update();
}

QPointF ClockCtrl::ToPixels(const DialPointF& p) const {
  return QPointF(p.x * width() / 200.0, p.y * height() / 200.0);
}

void ClockCtrl::DrawScaledEllipse(QPainter& painter, double r, const QColor& color, double width) {
  // An ellipse of radius r in both scale units: with the dial aspect (height / width) it
  // fills the control's proportions.
  QPen pen(color, width);
  pen.setCosmetic(true);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QPointF c = ToPixels(DialPointF{frame_.centreX, frame_.centreY});
  painter.drawEllipse(c, r * this->width() / 200.0, r * height() / 200.0);
}

void ClockCtrl::DrawHand(QPainter& painter, const HandShape& hand, const QColor& color) {
  const QPointF centre = ToPixels(DialPointF{frame_.centreX, frame_.centreY});
  QPen pen(color, 1);
  painter.setPen(pen);
  auto line = [&](const QPointF& a, const DialPointF& b) {
    // A point that cannot be computed (a countdown of length 0) leaves its line out.
    if (!std::isfinite(b.x) || !std::isfinite(b.y) || !std::isfinite(a.x()) ||
        !std::isfinite(a.y())) {
      return;
    }
    painter.drawLine(a, ToPixels(b));
  };
  line(centre, hand.tip);
  line(centre, hand.base1);
  line(centre, hand.base2);
  line(ToPixels(hand.base1), hand.tip);
  line(ToPixels(hand.base2), hand.tip);
}

void ClockCtrl::DrawFace() {
  ClearSurface();
  if (!IsDialStyle() || surface_.isNull()) return;
  QPainter painter(&surface_);
  painter.setRenderHint(QPainter::Antialiasing);
  const double r = frame_.radius;
  if (style_ == kStyleCountdownDial) {
    DrawScaledEllipse(painter, r * (1.0 - 12.0 / 200.0 - 0.1), ColorFromRef(kGreen), 12);
  }
  // The minute dots: round in pixels, their radius in horizontal units.
  const double unit = width() / 200.0;
  painter.setPen(Qt::NoPen);
  for (int i = 1; i <= 60; ++i) {
    const QPointF p = ToPixels(DialPoint(frame_, i, 60, 0.95 * r));
    int32_t colour = kDotGreen;
    double dot = 0.01 * r;
    if (i % 5 == 0) {
      colour = i % 15 == 0 ? kYellow : kRed;
      dot = 0.02 * r;
    }
    painter.setBrush(ColorFromRef(colour));
    painter.drawEllipse(p, std::max(dot * unit, 0.75), std::max(dot * unit, 0.75));
  }
  fillColor_ = 0x000000;
  update();
}

void ClockCtrl::DrawTimer() {
  label_->hide();
  DrawFace();
  if (surface_.isNull()) return;
  const ClockTime time =
      style_ != kStyleCountdownDial ? ApplyRetouch(Sample(), Retouch()) : Sample();
  // The minute hand turns once per countdown on the countdown dial and once an hour on the
  // clock; the clock styles hold 60 in TotalTime from their first tick on.
  const int minuteTurn = style_ <= kStyleCountdownText ? totalTime_ : 60;
  const DialHands hands = ComputeHands(frame_, time, minuteTurn);
  QPainter painter(&surface_);
  painter.setRenderHint(QPainter::Antialiasing);
  const double r = frame_.radius;
  DrawScaledEllipse(painter, 0.8 * r, ColorFromRef(bgColor_), 1);
  if (style_ != kStyleCountdownDial) DrawHand(painter, hands.hour, ColorFromRef(kRed));
  DrawHand(painter, hands.minute, ColorFromRef(kGreen));
  DrawHand(painter, hands.second, ColorFromRef(kYellow));
  DrawScaledEllipse(painter, r, ColorFromRef(kRed), 1);
  if (style_ == kStyleCountdownDial && playing_) {
    const double tm = sampleMinute_ * 60.0 + sampleSecond_;
    const double end = CountdownArcEnd(tm, totalTime_ * 60.0);
    if (std::isfinite(end)) {
      // From 12 o'clock counter-clockwise to the end angle; the same angle is the full ring.
      double span = end * 180.0 - 90.0;
      span = std::fmod(span, 360.0);
      if (span <= 0) span += 360.0;
      const double ringR = r * (1.0 - 12.0 / 200.0 - 0.1);
      const QPointF c = ToPixels(DialPointF{frame_.centreX, frame_.centreY});
      const double rx = ringR * width() / 200.0;
      const double ry = ringR * height() / 200.0;
      QPen pen(ColorFromRef(kRed), 12);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawArc(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), 90 * 16,
                      static_cast<int>(std::lround(span * 16)));
    }
  }
  update();
}

void ClockCtrl::ShowText(const QString& caption) {
  ClearSurface();
  label_->setGeometry(0, 0, width(), height());
  label_->show();
  // Raw bytes of the file in the texts before and after the day count are drawn as "�".
  label_->setText(QString::fromStdString(VisibleText(caption.toStdString())));
}

void ClockCtrl::ShowCountdownText() {
  ShowText(QString::fromStdString(CountdownText(totalTime_, sampleMinute_, sampleSecond_)));
}

void ClockCtrl::ShowDialDate() {
  label_->setText(QString::fromStdString(NumericDateText(clock_.now())));
  label_->adjustSize();
  // Centred under the dial's centre, its top at 140 of the 200 scale units.
  const int left = static_cast<int>(std::lround(width() / 2.0 - label_->width() / 2.0));
  const int top = static_cast<int>(std::lround(140.0 * height() / 200.0));
  label_->move(left, top);
  label_->show();
}

void ClockCtrl::ShowDateTimeText(const TextSelectors& selectors) {
  ShowText(QString::fromStdString(DateTimeText(selectors, clock_.now(), Sample(), Retouch())));
}

void ClockCtrl::ShowDayCounter() {
  ShowText(QString::fromStdString(DayCounterText(preText_, targetDate_, clock_.now(), lasText_)));
}

void ClockCtrl::ShowLunarDate() {
  const DateTimeParts today = FromDateTimeNumber(clock_.now());
  const std::string caption = LunarDateText(today.year, today.month, today.day);
  // Outside the calendar table the label keeps its previous caption.
  ShowText(caption.empty() ? label_->text() : QString::fromStdString(caption));
}

// ---------------------------------------------------------------------------------------------
// Surface

void ClockCtrl::resizeEvent(QResizeEvent* event) {
  ControlWidget::resizeEvent(event);
  // A late resize event for the size the surface already has changes nothing.
  if (!surface_.isNull() && surface_.size() == event->size()) return;
  frame_.centreX = 100;
  frame_.centreY = 100;
  DrawFace();
  if (IsDialStyle()) DrawTimer();
}

void ClockCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!surface_.isNull()) {
    if (transparent_) {
      // The background colour is the mask colour: those pixels let the parent show through.
      QImage masked = surface_.convertToFormat(QImage::Format_ARGB32);
      const QRgb key = ColorFromRef(bgColor_).rgb();
      for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
          if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
        }
      }
      painter.drawImage(0, 0, masked);
    } else {
      painter.drawImage(0, 0, surface_);
    }
  }
  if (border_) {
    // Shape1: a one-pixel outline over the whole control.
    painter.setPen(QPen(ColorFromRef(borderColor_), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
  }
}
