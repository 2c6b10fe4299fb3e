#include "qt/ColorRef.h"
#include "controls/RtfTextCtrl.h"

#include <QAbstractTextDocumentLayout>
#include <QDebug>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <cmath>

#include "controls/BuiltinArgs.h"
#include "controls/RtfReader.h"

namespace {

Qt::Alignment ToQt(RtfAlign a) {
  switch (a) {
  case RtfAlign::Center: return Qt::AlignHCenter;
  case RtfAlign::Right: return Qt::AlignRight;
  case RtfAlign::Justify: return Qt::AlignJustify;
  case RtfAlign::Left: break;
  }
  return Qt::AlignLeft;
}

QTextCharFormat ToQt(const RtfCharFormat& f) {
  QTextCharFormat cf;
  cf.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  cf.setFontItalic(f.italic);
  cf.setFontUnderline(f.underline);
  cf.setFontStrikeOut(f.strike);
  cf.setFontPointSize(f.halfPoints / 2.0);
  if (!f.fontName.empty()) cf.setFontFamilies({QString::fromStdString(f.fontName)});
  cf.setForeground(f.color ? ColorFromRef(*f.color) : QColor(Qt::black));
  if (f.background) cf.setBackground(ColorFromRef(*f.background));
  return cf;
}

} // namespace

RtfTextCtrl::RtfTextCtrl(QWidget* parent, Scheduler& scheduler)
    : ControlWidget(RtfTextIds::kClassId, parent), scheduler_(scheduler) {
  // The text is laid out for this widget, which converts points at the wall's resolution;
  // without a device the document would take the desktop's.
  text_.documentLayout()->setPaintDevice(this);
  text_.setDocumentMargin(0);
  text_.setUndoRedoEnabled(false);
}

RtfTextCtrl::~RtfTextCtrl() { CancelTimer(); }

InvokeStatus RtfTextCtrl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                 Variant* result) {
  const bool get = kind == InvokeKind::PropertyGet;
  const bool put = IsPutKind(kind);
  auto shortProperty = [&](int16_t& value) {
    if (get) return Reply(result, Variant::FromI2(value));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    value = v->toI2();
    return InvokeStatus::Ok;
  };
  auto stringProperty = [&](std::string& value) {
    if (get) return Reply(result, Variant::FromString(value));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = StringArg(args);
    if (!v) return InvokeStatus::BadArgs;
    value = v->toString();
    return InvokeStatus::Ok;
  };
  auto boolProperty = [&](bool& value) {
    if (get) return Reply(result, Variant::FromBool(value));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    value = v->toBool();
    return InvokeStatus::Ok;
  };
  auto method = [&](void (RtfTextCtrl::*call)()) {
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    (this->*call)();
    return InvokeStatus::Ok;
  };
  switch (dispid) {
  case kPlaySpeed: return shortProperty(playSpeed_);
  case kInStyle: return stringProperty(inStyle_);
  case kOutStyle: return stringProperty(outStyle_);
  case kDelayTime: return shortProperty(delayTime_);
  case kFileName: {
    std::string name = fileName_;
    InvokeStatus status = stringProperty(name);
    if (status == InvokeStatus::Ok && put) SetFileName(name);
    return status;
  }
  case kLoopPlay: return boolProperty(loopPlay_);
  case kLoops: return shortProperty(loops_);
  case kColor: {
    if (get) return Reply(result, Variant::FromI4(color_));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    color_ = v->toI4();
    update();
    return InvokeStatus::Ok;
  }
  case kFinished:
    if (get) return Reply(result, Variant::FromBool(finished_));
    return InvokeStatus::BadKind;
  case kAutoPlay: return boolProperty(creationFlag_);
  case kPrepare: return method(&RtfTextCtrl::Prepare);
  case kStart: return method(&RtfTextCtrl::Start);
  case kStop: return method(&RtfTextCtrl::Stop);
  default: return InvokeStatus::UnknownMember;
  }
}

void RtfTextCtrl::SetFileName(const std::string& fileName) {
  Stop();
  fileName_ = fileName;
  content_ = {};
  if (!fileName.empty() && !RtfReader::ReadFile(fileName, &content_))
    qWarning("rtf text: cannot read \"%s\"", fileName.c_str());
  mode_ = Mode::Preview;
  LayOut();
}

void RtfTextCtrl::Prepare() {
  LayOut();
  update();
}

void RtfTextCtrl::Start() {
  CancelTimer();
  show_ = RtfLayout(RtfLayout::CutScreenfuls(lines_, height()), Settings());
  mode_ = Mode::Playing;
  finished_ = false;
  startMs_ = scheduler_.now();
  Tick();
}

void RtfTextCtrl::Stop() {
  CancelTimer();
  mode_ = Mode::Cleared;
  finished_ = false;
  frame_ = {};
  update();
}

std::vector<RtfScreenful> RtfTextCtrl::Screenfuls() const {
  return mode_ == Mode::Playing ? show_.Screenfuls() : RtfLayout::CutScreenfuls(lines_, height());
}

RtfFrame RtfTextCtrl::CurrentFrame() const {
  if (mode_ == Mode::Playing) return frame_;
  RtfFrame f;
  if (mode_ == Mode::Preview && !lines_.empty()) {
    f.screenful = 0; // at rest before the show starts, so the designer sees the text
    f.phase = RtfPhase::Staying;
  }
  return f;
}

RtfShowSettings RtfTextCtrl::Settings() const {
  RtfShowSettings s;
  s.width = width();
  s.height = height();
  s.entry = RtfLayout::EntryStyle(inStyle_);
  s.exit = RtfLayout::ExitStyle(outStyle_);
  s.stepMs = RtfLayout::StepMs(playSpeed_);
  s.stayMs = std::max<int64_t>(delayTime_, 0) * 1000;
  s.runs = loopPlay_ || loops_ == 0 ? 0 : std::max<int>(loops_, 1);
  return s;
}

void RtfTextCtrl::LayOut() {
  text_.clear();
  QTextCursor cursor(&text_);
  QFont base = font();
  base.setPointSizeF(12.0);
  text_.setDefaultFont(base);
  bool first = true;
  for (const RtfParagraph& p : content_.paragraphs) {
    QTextBlockFormat bf;
    bf.setAlignment(ToQt(p.align));
    if (first)
      cursor.setBlockFormat(bf);
    else
      cursor.insertBlock(bf);
    first = false;
    for (const RtfRun& run : p.runs) {
      QString text = QString::fromStdString(run.text);
      text.replace(QLatin1Char('\n'), QChar::LineSeparator);
      cursor.insertText(text, ToQt(run.format));
    }
  }
  text_.setTextWidth(std::max(width(), 1));
  lines_.clear();
  if (content_.paragraphs.empty()) return;
  QAbstractTextDocumentLayout* layout = text_.documentLayout();
  layout->documentSize(); // lays the whole document out
  for (QTextBlock b = text_.begin(); b.isValid(); b = b.next()) {
    const double blockTop = layout->blockBoundingRect(b).top();
    const QTextLayout* tl = b.layout();
    for (int i = 0; i < tl->lineCount(); ++i) {
      QTextLine line = tl->lineAt(i);
      int top = static_cast<int>(std::floor(blockTop + line.y()));
      int bottom = static_cast<int>(std::ceil(blockTop + line.y() + line.height()));
      lines_.push_back({top, std::max(bottom, top)});
    }
  }
}

void RtfTextCtrl::Tick() {
  timer_ = 0;
  const int64_t t = scheduler_.now() - startMs_;
  frame_ = show_.At(t);
  if (frame_.phase == RtfPhase::Finished) finished_ = true;
  update();
  const int64_t next = show_.NextChange(t);
  if (next >= 0) timer_ = scheduler_.callAt(startMs_ + next, [this] { Tick(); });
}

void RtfTextCtrl::CancelTimer() {
  if (timer_) scheduler_.cancel(timer_);
  timer_ = 0;
}

void RtfTextCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorFromRef(static_cast<uint32_t>(color_)));
  const RtfFrame frame = CurrentFrame();
  const std::vector<RtfScreenful> screenfuls = Screenfuls();
  if (frame.screenful < 0 || frame.screenful >= static_cast<int>(screenfuls.size())) return;
  const RtfScreenful& s = screenfuls[frame.screenful];
  painter.translate(frame.offset.x, frame.offset.y);
  // Only this screenful's lines: the top of the next one must not peek in at the bottom.
  painter.setClipRect(QRect(0, 0, width(), s.bottom - s.top));
  painter.translate(0, -s.top);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = QRectF(0, s.top, width(), s.bottom - s.top);
  context.palette.setColor(QPalette::Text, Qt::black);
  text_.documentLayout()->draw(&painter, context);
}

void RtfTextCtrl::resizeEvent(QResizeEvent* event) {
  ControlWidget::resizeEvent(event);
  // A running show keeps the layout it started with; otherwise follow the new width.
  if (mode_ != Mode::Playing) LayOut();
}
