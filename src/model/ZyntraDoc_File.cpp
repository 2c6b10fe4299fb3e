// Reading and writing project files (".vrx").
//
// Layout: the declaration line, then the navigator's document: one element per line, CR LF line
// ends, attributes and children in a fixed order. Reading finds children forward only, in the
// order they were written, so a missing child reads as the child found last in that element
// (or as empty text when none was found yet).

#include <algorithm>
#include <functional>

#include "controls/AniGif.h"
#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "controls/ShockwaveFlash.h"
#include "base/AtomicFile.h"
#include "model/ObjectKinds.h"
#include "base/TextCodec.h"
#include "model/ZyntraDoc.h"

namespace {

constexpr const char* kDamagedFile = "文件已经损坏或非本系统文件!";
constexpr const char* kSaveFailed = "文件保存失败：";

// The largest file read as a project: far beyond any show (a thousand objects take about half a
// megabyte, long captions a few megabytes more), and small enough that a film or disk image
// chosen by mistake is refused at once instead of being decoded and indexed at length.
constexpr size_t kMaxProjectBytes = size_t{256} << 20;

// No window is larger than 2^24 - 1 pixels. Positions and sizes a file gives beyond 2^24 are
// pulled in to it, so that the sums of edges and sizes made here, when saving and by the
// effects that move a window can never overflow.
constexpr int32_t kMaxCoordinate = 1 << 24;

// The rectangle at (x, y) of size w × h, each value kept within ±kMaxCoordinate.
Rect FileRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  auto keep = [](int32_t v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); };
  x = keep(x);
  y = keep(y);
  return Rect{x, y, x + keep(w), y + keep(h)};
}

// --- Writing helpers: one child element per value --------------------------------------------

void AddString(CMarkup& m, const char* name, const std::string& value) {
  m.AddChildElement(name, value);
}
void AddInt(CMarkup& m, const char* name, int32_t value) { m.AddChildElement(name, value); }
void AddBool(CMarkup& m, const char* name, bool value) { m.AddChildElement(name, value); }
void AddFloat(CMarkup& m, const char* name, float value) { m.AddChildElement(name, value); }

// Adds a group element ("Item", "Font"), enters it, lets `fill` add its children and leaves it.
void AddGroup(CMarkup& m, const char* name, const std::function<void()>& fill) {
  m.AddChildElement(name, std::string());
  m.IntoElement();
  fill();
  m.OutOfElement();
}

// --- Reading helpers: find the next child of that name, then read the child found last -------

std::string ReadString(CMarkup& m, const char* name) {
  m.FindChildElement(name);
  return m.GetChildData();
}
int32_t ReadInt(CMarkup& m, const char* name) {
  m.FindChildElement(name);
  return m.GetChildDataInt();
}
int16_t ReadI2(CMarkup& m, const char* name) { return static_cast<int16_t>(ReadInt(m, name)); }
bool ReadBool(CMarkup& m, const char* name) {
  m.FindChildElement(name);
  return m.GetChildDataBool();
}
float ReadFloat(CMarkup& m, const char* name) {
  m.FindChildElement(name);
  return m.GetChildDataFloat();
}

// Reads every child group of that name in order: finds the first, enters it, lets `read` read
// it, moves on to the next sibling of the same name, and leaves. No group: nothing happens.
void ReadGroups(CMarkup& m, const char* name, const std::function<void()>& read) {
  if (!m.FindChildElement(name)) return;
  m.IntoElement();
  do {
    read();
  } while (m.FindElement(name));
  m.OutOfElement();
}

// The node's control as the wrapper class of its kind; a wrapper without a control (whose gets
// all give empty defaults) when the node has none of that class.
template <class W> W& ControlOf(const ShowNode& node) {
  if (W* control = node.ControlAs<W>()) return *control;
  static W none{nullptr};
  return none;
}

// --- Kind-specific children, written and read in the same order ------------------------------

void WritePicture(CMarkup& m, const C_EffectBox& c) {
  const int16_t count = c.GetItemCount();
  for (int i = 1; i <= count; ++i) {
    const auto index = static_cast<int16_t>(i);
    AddGroup(m, "Item", [&] {
      AddString(m, "Source", c.GetItemSource(index));
      AddString(m, "Effect", c.GetItemEffect(index));
      AddInt(m, "Speed", c.GetItemSpeed(index));
      AddInt(m, "Delay", c.GetItemDelay(index));
    });
  }
  AddBool(m, "LoopPlay", c.GetLoopPlay());
  AddInt(m, "Loops", c.GetLoops());
  AddInt(m, "Color", c.GetColor());
  AddString(m, "BgPicture", c.GetBgPicture());
  AddBool(m, "Stretch", c.GetStretch());
}

void ReadPicture(CMarkup& m, C_EffectBox& c) {
  c.SetAutoPlay(false);
  ReadGroups(m, "Item", [&] {
    std::string source = ReadString(m, "Source");
    std::string effect = ReadString(m, "Effect");
    int16_t speed = ReadI2(m, "Speed");
    int16_t delay = ReadI2(m, "Delay");
    c.AddItem(source, effect, speed, delay);
  });
  c.SetLoopPlay(ReadBool(m, "LoopPlay"));
  c.SetLoops(ReadI2(m, "Loops"));
  c.SetColor(ReadInt(m, "Color"));
  c.SetBgPicture(ReadString(m, "BgPicture"));
  c.SetStretch(ReadBool(m, "Stretch"));
}

void WriteClock(CMarkup& m, const C_Clock& c) {
  AddInt(m, "Style", c.GetStyle());
  // The date is kept in single precision in the file.
  AddFloat(m, "targetDate", static_cast<float>(c.GetTargetDate()));
  AddString(m, "preText", c.GetPreText());
  AddString(m, "lasText", c.GetLasText());
  AddInt(m, "m_rh", c.GetRetouchHour());
  AddInt(m, "m_rm", c.GetRetouchMinute());
  AddInt(m, "m_rs", c.GetRetouchSecond());
  AddInt(m, "totalTime", c.GetTotalTime());
  AddInt(m, "BgColor", c.GetBgColor());
  AddInt(m, "FgColor", c.GetFgColor());
  AddInt(m, "BorderColor", c.GetBorderColor());
  AddGroup(m, "Font", [&] {
    AddString(m, "Name", c.GetFontName());
    AddInt(m, "Size", c.GetFontSize());
    AddBool(m, "Italic", c.GetFontItalic());
    AddBool(m, "Strikethrough", c.GetFontStrikethrough());
    AddBool(m, "Underline", c.GetFontUnderline());
    AddBool(m, "Bold", c.GetFontBold());
  });
}

void ReadClock(CMarkup& m, C_Clock& c) {
  c.SetEnabled(false);
  c.SetPlay(true);
  c.SetStyle(ReadI2(m, "Style"));
  c.SetTargetDate(ReadFloat(m, "targetDate"));
  c.SetPreText(ReadString(m, "preText"));
  c.SetLasText(ReadString(m, "lasText"));
  c.SetRetouchHour(ReadI2(m, "m_rh"));
  c.SetRetouchMinute(ReadI2(m, "m_rm"));
  c.SetRetouchSecond(ReadI2(m, "m_rs"));
  c.SetTotalTime(ReadI2(m, "totalTime"));
  c.SetBgColor(ReadInt(m, "BgColor"));
  c.SetFgColor(ReadInt(m, "FgColor"));
  c.SetBorderColor(ReadInt(m, "BorderColor"));
  c.SetBorder(false);
  ReadGroups(m, "Font", [&] {
    c.SetFontName(ReadString(m, "Name"));
    c.SetFontSize(ReadI2(m, "Size"));
    c.SetFontItalic(ReadBool(m, "Italic"));
    c.SetFontStrikethrough(ReadBool(m, "Strikethrough"));
    c.SetFontUnderline(ReadBool(m, "Underline"));
    c.SetFontBold(ReadBool(m, "Bold"));
  });
}

void WriteMovie(CMarkup& m, const C_MPlayer& c) {
  AddString(m, "FileName", c.GetFileName());
  AddInt(m, "Loops", c.GetPlayCount());
}

void ReadMovie(CMarkup& m, C_MPlayer& c) {
  c.ShowWindow(false);
  c.SetEnabled(false);
  c.SetShowControls(false);
  c.SetAutoStart(false);
  c.SetFileName(ReadString(m, "FileName"));
  c.SetPlayCount(ReadInt(m, "Loops"));
}

void WriteFlash(CMarkup& m, const C_ShockwaveFlash& c) {
  AddString(m, "FileName", c.GetMovie());
  AddBool(m, "Loop", c.GetLoop());
}

void ReadFlash(CMarkup& m, C_ShockwaveFlash& c) {
  c.SetPlaying(false);
  c.EnableWindow(false);
  c.SetMovie(ReadString(m, "FileName"));
  c.SetLoop(ReadBool(m, "Loop"));
}

void WriteGif(CMarkup& m, const C_AniGif& c) { AddString(m, "FileName", c.GetFileName()); }

void ReadGif(CMarkup& m, C_AniGif& c) {
  c.SetAutoPlay(true);
  c.EnableWindow(false);
  c.SetFileName(ReadString(m, "FileName"));
}

void WriteExe(CMarkup& m, const C_DoExe& c) {
  const int16_t count = c.GetCount();
  for (int i = 0; i < count; ++i) {
    const auto index = static_cast<int16_t>(i);
    AddGroup(m, "Item", [&] {
      AddString(m, "Name", c.GetName(index));
      AddString(m, "Para", c.GetPara(index));
    });
  }
}

void ReadExe(CMarkup& m, C_DoExe& c) {
  ReadGroups(m, "Item", [&] {
    std::string name = ReadString(m, "Name");
    std::string para = ReadString(m, "Para");
    c.AddProgram(name, para);
  });
}

void WriteLabel(CMarkup& m, const C_Glasso& c) {
  AddString(m, "Caption", c.GetCaption());
  AddInt(m, "Color", c.GetColor());
  AddInt(m, "BgColor", c.GetBgColor());
  AddInt(m, "BorderColor", c.GetBorderColor());
  AddInt(m, "Align", c.GetAlign());
  AddInt(m, "Transparent", c.GetTransparent());
  AddInt(m, "Border", c.GetBorder());
  const CFontObject font = c.GetFont();
  AddGroup(m, "Font", [&] {
    AddString(m, "Name", font.GetName());
    // Ten-thousandths of a point, the font object's currency value as it stands.
    AddInt(m, "Size", static_cast<int32_t>(font.GetSize()));
    AddInt(m, "Charset", font.GetCharset());
    AddBool(m, "Italic", font.GetItalic());
    AddBool(m, "Strikethrough", font.GetStrikethrough());
    AddBool(m, "Underline", font.GetUnderline());
    AddBool(m, "Bold", font.GetBold());
    AddInt(m, "Weight ", font.GetWeight()); // the element name ends in a space
  });
}

void ReadLabel(CMarkup& m, C_Glasso& c) {
  c.SetEnable(false);
  c.SetCaption(ReadString(m, "Caption"));
  c.SetColor(ReadInt(m, "Color"));
  c.SetBgColor(ReadInt(m, "BgColor"));
  c.SetBorderColor(ReadInt(m, "BorderColor"));
  c.SetAlign(ReadI2(m, "Align"));
  c.SetTransparent(ReadI2(m, "Transparent"));
  c.SetBorder(ReadI2(m, "Border"));
  // "Charset" and "Weight " are written for other readers but never read back.
  ReadGroups(m, "Font", [&] {
    c.SetFontName(ReadString(m, "Name"));
    c.SetFontSize(ReadInt(m, "Size"));
    c.SetFontItalic(ReadBool(m, "Italic"));
    c.SetFontStrikethrough(ReadBool(m, "Strikethrough"));
    c.SetFontUnderline(ReadBool(m, "Underline"));
    c.SetFontBold(ReadBool(m, "Bold"));
  });
}

void WriteRtfText(CMarkup& m, const C_RtfText& c) {
  AddString(m, "FileName", c.GetFileName());
  AddString(m, "InStyle", c.GetInStyle());
  AddInt(m, "DelayTime", c.GetDelayTime());
  AddString(m, "OutStyle", c.GetOutStyle());
  AddInt(m, "PlaySpeed", c.GetPlaySpeed());
  AddBool(m, "LoopPlay", c.GetLoopPlay());
  AddInt(m, "Loops", c.GetLoops());
  AddInt(m, "Color", c.GetColor());
}

void ReadRtfText(CMarkup& m, C_RtfText& c) {
  c.SetAutoPlay(false);
  c.SetFileName(ReadString(m, "FileName"));
  c.SetInStyle(ReadString(m, "InStyle"));
  c.SetDelayTime(ReadI2(m, "DelayTime"));
  c.SetOutStyle(ReadString(m, "OutStyle"));
  c.SetPlaySpeed(ReadI2(m, "PlaySpeed"));
  c.SetLoopPlay(ReadBool(m, "LoopPlay"));
  c.SetLoops(ReadI2(m, "Loops"));
  c.SetColor(ReadInt(m, "Color"));
}

} // namespace

// --- Writing ------------------------------------------------------------------------------------

bool CZyntraDoc::WriteProject(const std::string& path) {
  markup_.SetDocument("");
  if (root_) WriteNode(*root_);
  docText_ = markup_.GetDocument();
  std::string text = std::string(kHeader) + "\r\n" + docText_;
  // GB18030 keeps every GB2312 character's bytes and loses no other character.
  return WriteFileAtomic(path, Utf8ToGb18030(text));
}

void CZyntraDoc::WriteNode(const ShowNode& node) {
  if (node.type == ObjectKind::Screen) {
    markup_.AddElement("VRX", std::string());
    markup_.AddChildElement("Screen", std::string());
    markup_.IntoElement();
    const NamingCounters& c = pageList_.Counters();
    markup_.SetAttribute("frameCount", c.frameCount);
    markup_.SetAttribute("proTextCount", c.proTextCount);
    markup_.SetAttribute("effectBoxCount", c.effectBoxCount);
    markup_.SetAttribute("clockCount", c.clockCount);
    markup_.SetAttribute("mPlayerCount", c.mPlayerCount);
    markup_.SetAttribute("flashCount", c.flashCount);
    markup_.SetAttribute("gifCount", c.gifCount);
    markup_.SetAttribute("labelCount", c.labelCount);
    markup_.SetAttribute("exeCount", c.exeCount);
    const Rect screen = pageList_.ScreenRect();
    markup_.SetAttribute("X", screen.left);
    markup_.SetAttribute("Y", screen.top);
    markup_.SetAttribute("W", screen.Width());
    markup_.SetAttribute("H", screen.Height());
  } else if (node.type == ObjectKind::Frame) {
    markup_.AddChildElement("Frame", std::string());
    markup_.IntoElement();
    const FrameInfo info = node.frame ? *node.frame : FrameInfo{};
    markup_.SetAttribute("TTL_Kind", info.TTL_Kind);
    markup_.SetAttribute("seconds", info.seconds);
    markup_.SetAttribute("ybPlay", info.ybPlay);
    markup_.SetAttribute("bg", info.bg);
    markup_.SetAttribute("BgPicture", info.BgPicture);
  } else {
    const KindInfo* kind = FindKind(node.type);
    if (!kind || !kind->IsObject()) return; // not a kind this file can hold
    markup_.AddChildElement(kind->element, std::string());
    markup_.IntoElement();
    WriteProperties(node);
  }
  markup_.SetAttribute("Name", node.name);
  markup_.SetAttribute("Type", KindValue(node.type));
  if (KindValue(node.type) > 0 && writeCommon_) WriteCommon(node);
  if (writeChildren_) {
    for (const auto& child : node.children)
      WriteNode(*child);
  }
  markup_.OutOfElement();
}

void CZyntraDoc::WriteProperties(const ShowNode& node) {
  CMarkup& m = markup_;
  switch (node.type) {
  case ObjectKind::Picture: WritePicture(m, ControlOf<C_EffectBox>(node)); break;
  case ObjectKind::Clock: WriteClock(m, ControlOf<C_Clock>(node)); break;
  case ObjectKind::Movie: WriteMovie(m, ControlOf<C_MPlayer>(node)); break;
  case ObjectKind::Flash: WriteFlash(m, ControlOf<C_ShockwaveFlash>(node)); break;
  case ObjectKind::Gif: WriteGif(m, ControlOf<C_AniGif>(node)); break;
  case ObjectKind::Exe: WriteExe(m, ControlOf<C_DoExe>(node)); break;
  case ObjectKind::Label: WriteLabel(m, ControlOf<C_Glasso>(node)); break;
  case ObjectKind::RtfText: WriteRtfText(m, ControlOf<C_RtfText>(node)); break;
  default: break;
  }
}

void CZyntraDoc::WriteCommon(const ShowNode& node) {
  CMarkup& m = markup_;
  // While a show plays, a moving object's window is somewhere along its effect; its design
  // rectangle is the one its motion task saved.
  const bool moved = playbackActive_ && node.actionThread && node.actionStyle == 1;
  const Rect r = moved ? node.savedRect : node.control ? node.control->GetWindowRect() : Rect{};
  AddBool(m, "reserve", node.reserve);
  AddBool(m, "topmost", node.topmost);
  AddInt(m, "actionStyle", node.actionStyle);
  AddInt(m, "X", r.left);
  AddInt(m, "Y", r.top);
  AddInt(m, "W", r.Width());
  AddInt(m, "H", r.Height());
  AddInt(m, "preInDelay", node.preInDelay);
  AddInt(m, "preOutDelay", node.preOutDelay);
  AddInt(m, "inStyle", node.inStyle);
  AddInt(m, "inSpeed", node.inSpeed);
  AddInt(m, "delayTime", node.delayTime);
  AddInt(m, "outStyle", node.outStyle);
  AddInt(m, "outSpeed", node.outSpeed);
}

void CZyntraDoc::ReportSaveFailure(const std::string& path) {
  prompts_.MessageBox(std::string(kSaveFailed) + path, pageList_.ProgramTitle(), PromptButtons::Ok,
                      PromptIcon::Exclamation);
}

bool CZyntraDoc::SaveDocument() {
  if (path_.empty()) return SaveDocumentAs();
  if (!WriteProject(path_)) {
    ReportSaveFailure(path_);
    return false;
  }
  return true;
}

bool CZyntraDoc::SaveDocumentAs() {
  // The chooser adds the default extension and confirms overwriting an existing file.
  std::optional<std::string> chosen = prompts_.GetSaveFileName(kFileFilter, "vrx", "");
  if (!chosen) return false;
  if (!WriteProject(*chosen)) {
    ReportSaveFailure(*chosen);
    return false;
  }
  path_ = *chosen;
  return true;
}

// --- Reading ------------------------------------------------------------------------------------

void CZyntraDoc::NewDocument() {
  HideCurrentPageObjects();
  pageList_.ClearProject();
  pageList_.NewPage();
}

bool CZyntraDoc::OpenDocument(const std::string& requested) {
  std::string path = requested;
  if (path == "default") {
    std::optional<std::string> chosen = prompts_.GetOpenFileName(kFileFilter, "", "");
    if (!chosen) return false;
    path = *chosen;
  }

  // The file is read and checked before anything is cleared, so that a damaged or foreign
  // file leaves the current project as it was. A file that cannot be read, or is too large to
  // be a project, is empty text.
  std::string text;
  {
    std::string bytes;
    if (ReadFileBytes(path, bytes, nullptr, kMaxProjectBytes)) text = DecodeFileText(bytes);
  } // the raw bytes go before the text is indexed: a large file needs its memory only once
  CMarkup probe;
  probe.AdoptDocument(std::move(text));
  // Without its screen element a file would move the screen window to an empty rectangle.
  if (!probe.FindElement("VRX") || !probe.FindChildElement("Screen")) {
    prompts_.MessageBox(kDamagedFile, "System", PromptButtons::Ok, PromptIcon::Exclamation);
    return false;
  }

  HideCurrentPageObjects();
  pageList_.ClearProject();
  path_ = path;
  markup_ = std::move(probe); // positioned on the screen element
  ReadProject();
  // The text is kept once: the navigator is emptied before every write anyway.
  docText_ = markup_.TakeDocument();
  return true;
}

void CZyntraDoc::ReadProject() {
  CMarkup& m = markup_;
  m.IntoElement(); // the screen
  ReadCounters();
  if (m.IntoElement()) ReadNodes(); // the first page and its siblings
  pageList_.ProjectRead();
  if (current_ && current_->IsPage()) pageList_.ShowPage(*current_);
}

// The screen element's counters and rectangle; the screen window moves there.
void CZyntraDoc::ReadCounters() {
  CMarkup& m = markup_;
  NamingCounters& c = pageList_.Counters();
  auto attr = [&m](const char* name) { return m.GetAttributeInt(name); };
  c.frameCount = attr("frameCount");
  c.proTextCount = attr("proTextCount");
  c.effectBoxCount = attr("effectBoxCount");
  c.clockCount = attr("clockCount");
  c.mPlayerCount = attr("mPlayerCount");
  c.flashCount = attr("flashCount");
  c.gifCount = attr("gifCount");
  c.labelCount = attr("labelCount");
  c.exeCount = attr("exeCount");
  pageList_.MoveScreen(FileRect(attr("X"), attr("Y"), attr("W"), attr("H")));
}

void CZyntraDoc::ReadFrameInfo(FrameInfo& info) {
  CMarkup& m = markup_;
  info.TTL_Kind = m.GetAttributeInt("TTL_Kind");
  info.seconds = m.GetAttributeInt("seconds");
  info.ybPlay = m.GetAttributeBool("ybPlay");
  info.bg = m.GetAttributeInt("bg");
  info.BgPicture = m.GetAttribute("BgPicture");
}

// Reads the current element and its later siblings, with the elements nested in pages, depth
// first. The navigator keeps the path, so pages nested to any depth cost no stack.
void CZyntraDoc::ReadNodes() {
  int depth = 1;
  while (depth > 0) {
    if (ReadNode()) {
      ++depth; // now on the page's first child
      continue;
    }
    while (depth > 0 && !markup_.FindElement()) {
      markup_.OutOfElement();
      --depth;
    }
  }
}

// Builds the node of the current element. True when it was a page with children and the
// navigator has moved into them.
bool CZyntraDoc::ReadNode() {
  CMarkup& m = markup_;
  // The tag decides what is built; the node's kind follows it, so that a "Type" attribute
  // that disagrees with its element can never pair a node with another kind's control.
  const KindInfo* kind = FindKindByElement(m.GetTagName());
  const std::string name = m.GetAttribute("Name");

  if (kind && kind->kind == ObjectKind::Frame) {
    auto info = std::make_unique<FrameInfo>();
    ReadFrameInfo(*info);
    m.ResetChildPos();
    GotoParent();
    AddNode(ObjectKind::Frame, std::move(info), name);
    if (!inserting_) pageList_.AppendPageItem(name, kind->treeImage);
    return m.IntoElement();
  }

  ShowNode common;
  common.reserve = ReadBool(m, "reserve");
  common.topmost = ReadBool(m, "topmost");
  common.actionStyle = ReadInt(m, "actionStyle");
  const int32_t x = ReadInt(m, "X");
  const int32_t y = ReadInt(m, "Y");
  const int32_t w = ReadInt(m, "W");
  const int32_t h = ReadInt(m, "H");
  common.preInDelay = ReadInt(m, "preInDelay");
  common.preOutDelay = ReadInt(m, "preOutDelay");
  common.inStyle = ReadInt(m, "inStyle");
  common.inSpeed = ReadInt(m, "inSpeed");
  common.delayTime = ReadInt(m, "delayTime");
  common.outStyle = ReadInt(m, "outStyle");
  common.outSpeed = ReadInt(m, "outSpeed");
  if (!kind || !kind->IsObject()) return false; // an unknown element builds nothing

  std::unique_ptr<CControlWrapper> control = CreateControl(kind->kind, FileRect(x, y, w, h), false);
  m.ResetChildPos();
  ReadProperties(kind->kind, *control);
  ShowNode* node = AddNode(kind->kind, std::move(control), name);
  node->reserve = common.reserve;
  node->topmost = common.topmost;
  node->actionStyle = common.actionStyle;
  node->preInDelay = common.preInDelay;
  node->preOutDelay = common.preOutDelay;
  node->inStyle = common.inStyle;
  node->inSpeed = common.inSpeed;
  node->delayTime = common.delayTime;
  node->outStyle = common.outStyle;
  node->outSpeed = common.outSpeed;
  if (!inserting_) pageList_.AppendObjectItem(name, kind->treeImage);
  return false;
}

void CZyntraDoc::ReadProperties(ObjectKind kind, CControlWrapper& control) {
  CMarkup& m = markup_;
  // The control was made for this kind, so it is of the kind's wrapper class.
  switch (kind) {
  case ObjectKind::Picture: ReadPicture(m, static_cast<C_EffectBox&>(control)); break;
  case ObjectKind::Clock: ReadClock(m, static_cast<C_Clock&>(control)); break;
  case ObjectKind::Movie: ReadMovie(m, static_cast<C_MPlayer&>(control)); break;
  case ObjectKind::Flash: ReadFlash(m, static_cast<C_ShockwaveFlash&>(control)); break;
  case ObjectKind::Gif: ReadGif(m, static_cast<C_AniGif&>(control)); break;
  case ObjectKind::Exe: ReadExe(m, static_cast<C_DoExe&>(control)); break;
  case ObjectKind::Label: ReadLabel(m, static_cast<C_Glasso&>(control)); break;
  case ObjectKind::RtfText: ReadRtfText(m, static_cast<C_RtfText&>(control)); break;
  default: break;
  }
}

// --- Parts of the project as text ---------------------------------------------------------------

namespace {

// Pages and objects are written as children: a part of the project is wrapped in this element.
constexpr const char* kPartElement = "Part";

} // namespace

std::string CZyntraDoc::SubtreeText(const ShowNode& node) {
  markup_.SetDocument("");
  if (node.type != ObjectKind::Screen) markup_.AddElement(kPartElement, std::string());
  WriteNode(node);
  return markup_.TakeDocument();
}

ShowNode* CZyntraDoc::InsertSubtree(ShowNode& parent, size_t index, const std::string& text) {
  markup_.SetDocument(text);
  if (!markup_.FindElement(kPartElement) || !markup_.IntoElement()) return nullptr;
  ShowNode* current = current_;
  const size_t count = parent.children.size();
  current_ = &parent;
  inserting_ = true;
  ReadNodes();
  inserting_ = false;
  current_ = current;
  markup_.SetDocument("");
  if (parent.children.size() != count + 1) return nullptr;
  auto& siblings = parent.children;
  index = std::min(index, count);
  std::rotate(siblings.begin() + static_cast<std::ptrdiff_t>(index), siblings.end() - 1,
              siblings.end());
  return siblings[index].get();
}

NodeState CZyntraDoc::CaptureState(const ShowNode& node) {
  NodeState s;
  s.name = node.name;
  writeChildren_ = writeCommon_ = false;
  s.element = SubtreeText(node);
  writeChildren_ = writeCommon_ = true;
  if (node.IsContainer()) return s;
  s.rect = node.control ? node.control->GetWindowRect() : Rect{};
  s.reserve = node.reserve;
  s.topmost = node.topmost;
  s.actionStyle = node.actionStyle;
  s.preInDelay = node.preInDelay;
  s.preOutDelay = node.preOutDelay;
  s.inStyle = node.inStyle;
  s.inSpeed = node.inSpeed;
  s.delayTime = node.delayTime;
  s.outStyle = node.outStyle;
  s.outSpeed = node.outSpeed;
  s.visible = node.visible;
  s.unlocked = node.unlocked;
  return s;
}

std::unique_ptr<CControlWrapper> CZyntraDoc::ApplyState(ShowNode& node, const NodeState& state) {
  if (node.type == ObjectKind::Screen) {
    markup_.SetDocument(state.element);
    if (markup_.FindElement("VRX") && markup_.FindChildElement("Screen") && markup_.IntoElement())
      ReadCounters();
    markup_.SetDocument("");
    return nullptr;
  }
  if (node.IsPage()) {
    markup_.SetDocument(state.element);
    if (!node.frame) node.frame = std::make_unique<FrameInfo>();
    if (markup_.FindElement(kPartElement) && markup_.IntoElement()) ReadFrameInfo(*node.frame);
    markup_.SetDocument("");
    return nullptr;
  }

  const bool shown = node.parent && node.parent == current_ && state.visible;
  std::unique_ptr<CControlWrapper> replaced;
  if (CaptureState(node).element != state.element) {
    markup_.SetDocument(state.element);
    if (markup_.FindElement(kPartElement) && markup_.IntoElement()) {
      std::unique_ptr<CControlWrapper> control = CreateControl(node.type, state.rect, false);
      markup_.ResetChildPos();
      ReadProperties(node.type, *control);
      // Reading leaves some controls hidden whatever they were made as.
      control->ShowWindow(shown);
      replaced = std::move(node.control);
      node.control = std::move(control);
      node.actionThread.reset(); // it drove the control that went
    }
    markup_.SetDocument("");
  } else if (node.control) {
    node.control->MoveWindow(state.rect);
    if (node.visible != state.visible) node.control->ShowWindow(shown);
  }
  node.reserve = state.reserve;
  node.topmost = state.topmost;
  node.actionStyle = state.actionStyle;
  node.preInDelay = state.preInDelay;
  node.preOutDelay = state.preOutDelay;
  node.inStyle = state.inStyle;
  node.inSpeed = state.inSpeed;
  node.delayTime = state.delayTime;
  node.outStyle = state.outStyle;
  node.outSpeed = state.outSpeed;
  node.visible = state.visible;
  node.unlocked = state.unlocked;
  return replaced;
}
