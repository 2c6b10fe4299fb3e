#pragma once

// Fakes for playback tests: controls that record what is done to them, the windows around the
// play surface, message boxes, and a request recorder in front of Playback.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlFactory.h"
#include "controls/HostedControl.h"
#include "model/ObjectKinds.h"
#include "model/PageListLink.h"
#include "base/Prompts.h"
#include "model/ShowNode.h"
#include "base/VirtualScheduler.h"
#include "model/ZyntraDoc.h"
#include "playlist/PlayHost.h"
#include "playlist/Playback.h"

namespace playtest {

inline std::string Str(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

inline std::string Hex(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", static_cast<unsigned>(v));
  return buf;
}

/// A value as the fakes log it: True/False, numbers with %g, strings as they are.
inline std::string Text(const Variant& v) {
  switch (v.type()) {
  case Variant::Type::Bool: return v.toBool() ? "True" : "False";
  case Variant::Type::String: return v.toString();
  case Variant::Type::Empty: return "(empty)";
  default: {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v.toR8());
    return buf;
  }
  }
}

class FakeControl;

/// The play surface: one log of everything done to windows and controls, in order and with the
/// virtual time, and the z-order of the control windows.
struct Surface {
  explicit Surface(const Scheduler& s) : scheduler(s) {}
  const Scheduler& scheduler;
  std::vector<std::string> log;
  std::vector<FakeControl*> zOrder; // bottom to top, before the topmost band is applied

  void Log(const std::string& line) { log.push_back(std::to_string(scheduler.now()) + " " + line); }
  /// Log lines that contain `part`.
  std::vector<std::string> With(const std::string& part) const {
    std::vector<std::string> out;
    for (const std::string& l : log) {
      if (l.find(part) != std::string::npos) out.push_back(l);
    }
    return out;
  }
  /// Names of the windows from the top down, the topmost band first.
  std::vector<std::string> TopDown() const;
};

class FakeControl : public HostedControl {
public:
  FakeControl(Surface& surface, std::string name, Rect rect)
      : surface_(surface), name_(std::move(name)), rect_(rect) {
    surface_.zOrder.push_back(this);
  }
  ~FakeControl() override {
    auto& z = surface_.zOrder;
    z.erase(std::remove(z.begin(), z.end(), this), z.end());
  }

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override {
    switch (kind) {
    case InvokeKind::PropertyGet:
      if (result) *result = props[dispid];
      break;
    case InvokeKind::PropertyPut:
    case InvokeKind::PropertyPutRef:
      props[dispid] = args.empty() ? Variant() : args.back();
      surface_.Log(name_ + " put " + Hex(dispid) + "=" + Text(props[dispid]));
      break;
    case InvokeKind::Method: surface_.Log(name_ + " call " + Hex(dispid)); break;
    }
    return InvokeStatus::Ok;
  }
  std::string ClassId() const override { return "{fake}"; }
  Rect GetWindowRect() const override { return rect_; }
  void MoveWindow(const Rect& rect) override {
    rect_ = rect;
    surface_.Log(name_ + " move " + Str(rect));
  }
  void ShowWindow(bool show) override {
    visible_ = show;
    surface_.Log(name_ + (show ? " show" : " hide"));
  }
  bool IsWindowVisible() const override { return visible_; }
  void EnableWindow(bool) override {}
  bool IsWindowEnabled() const override { return true; }
  void BringToTop() override { Raise(); }
  void SetTopmost(bool topmost) override {
    topmost_ = topmost;
    Raise();
  }

  const std::string& name() const { return name_; }
  const Rect& rect() const { return rect_; }
  bool visible() const { return visible_; }
  bool topmost() const { return topmost_; }
  std::map<int32_t, Variant> props;

private:
  void Raise() {
    auto& z = surface_.zOrder;
    z.erase(std::remove(z.begin(), z.end(), this), z.end());
    z.push_back(this);
  }

  Surface& surface_;
  std::string name_;
  Rect rect_;
  bool visible_ = false;
  bool topmost_ = false;
};

inline std::vector<std::string> Surface::TopDown() const {
  std::vector<std::string> out;
  for (bool band : {true, false}) {
    for (auto it = zOrder.rbegin(); it != zOrder.rend(); ++it) {
      if ((*it)->topmost() == band) out.push_back((*it)->name());
    }
  }
  return out;
}

class FakeWindows : public PlayWindows {
public:
  explicit FakeWindows(Surface& surface) : surface_(surface) {}
  void ShowToolWindows(bool show) override {
    toolWindowsShown = show;
    surface_.Log(show ? "tools show" : "tools hide");
  }
  void DropSelection() override { surface_.Log("drop selection"); }
  void SetPlaying(bool p) override {
    playing = p;
    surface_.Log(p ? "playing on" : "playing off");
  }
  void SetBackground(int32_t colour) override {
    background = colour;
    surface_.Log("bg " + std::to_string(colour));
  }
  void Repaint() override { ++repaints; }
  void ShowPageForDesign(ShowNode& page) override { surface_.Log("design " + page.name); }
  int32_t ScreenWidth() const override { return 100; }
  int32_t ScreenHeight() const override { return 80; }
  std::string ProgramTitle() const override { return "同步播放系统"; }

  bool toolWindowsShown = true;
  bool playing = false;
  int32_t background = -1;
  int repaints = 0;

private:
  Surface& surface_;
};

struct Message {
  std::string text;
  std::string caption;
  PromptIcon icon;
};

class FakePrompts : public Prompts {
public:
  PromptAnswer MessageBox(const std::string& text, const std::string& caption, PromptButtons,
                          PromptIcon icon) override {
    messages.push_back({text, caption, icon});
    return PromptAnswer::Ok;
  }
  std::optional<std::string> GetOpenFileName(const std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> GetSaveFileName(const std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<int32_t> ChooseColor(int32_t) override { return std::nullopt; }
  std::optional<FontDesc> ChooseFont(const FontDesc&) override { return std::nullopt; }
  std::vector<Message> messages;
};

class FakeLink : public PageListLink {
public:
  void ClearProject() override {}
  void NewPage() override {}
  NamingCounters& Counters() override { return counters; }
  void AppendPageItem(const std::string&, int) override {}
  void AppendObjectItem(const std::string&, int) override {}
  void ProjectRead() override {}
  void ShowPage(ShowNode&) override {}
  std::string ProgramTitle() const override { return "同步播放系统"; }
  Rect ScreenRect() const override { return {0, 0, 100, 80}; }
  void MoveScreen(const Rect&) override {}
  NamingCounters counters;
};

class NoFactory : public ControlFactory {
public:
  std::unique_ptr<HostedControl> CreateControl(const std::string&, const Rect&, bool) override {
    return nullptr;
  }
};

/// The page list in front of Playback: logs each request with its number and forwards it. A
/// hook may act inside a request (as a nested event loop would).
class RequestRecorder : public PlayHost {
public:
  RequestRecorder(Surface& surface, Playback& playback) : surface_(surface), next_(playback) {}
  void PlayStartObject(ShowNode& o) override {
    Pass(1025, o.name, [&] { next_.PlayStartObject(o); });
  }
  void PlayEndPage(ShowNode& p) override {
    Pass(1026, p.name, [&] { next_.PlayEndPage(p); });
  }
  void PlaySetBg(int32_t c) override {
    Pass(1027, std::to_string(c), [&] { next_.PlaySetBg(c); });
  }
  void PlayPageDone(ShowNode& p) override {
    Pass(1028, p.name, [&] { next_.PlayPageDone(p); });
  }
  void PlayObjectDone(ShowNode& o) override {
    Pass(1029, o.name, [&] { next_.PlayObjectDone(o); });
  }
  void PlayCleanupPage(ShowNode& p) override {
    Pass(1030, p.name, [&] { next_.PlayCleanupPage(p); });
  }
  void PlayMoveObject(CControlWrapper& c, const Rect& r) override {
    Pass(1031, Str(r), [&] { next_.PlayMoveObject(c, r); });
  }
  void PlayTest() override {
    Pass(1032, "", [&] { next_.PlayTest(); });
  }
  void PlayAll() override {
    Pass(1033, "", [&] { next_.PlayAll(); });
  }
  void PlayStopQuiet() override {
    Pass(1034, "", [&] { next_.PlayStopQuiet(); });
  }

  /// Runs after the request `number` has been handled.
  std::function<void(int32_t)> after;

private:
  void Pass(int32_t number, const std::string& arg, const std::function<void()>& handle) {
    surface_.Log("req " + std::to_string(number) + (arg.empty() ? "" : " " + arg));
    handle();
    if (after) after(number);
  }
  Surface& surface_;
  Playback& next_;
};

/// A project in a document, with playback wired as the page list wires it.
struct PlayRig {
  VirtualScheduler scheduler;
  Surface surface{scheduler};
  FakeLink link;
  NoFactory factory;
  FakePrompts prompts;
  CZyntraDoc doc{link, factory, prompts};
  FakeWindows windows{surface};
  Playback playback{scheduler, doc, windows, prompts};
  RequestRecorder requests{surface, playback};
  std::map<std::string, FakeControl*> controls;

  PlayRig() {
    playback.SetRequestTarget(&requests);
    doc.AddNode(ObjectKind::Screen, static_cast<CZyntraScr*>(nullptr), "同步播放系统");
  }

  ShowNode* AddPage(const std::string& name, int32_t ttlKind, int32_t seconds, bool serial = false,
                    int32_t bg = 0) {
    doc.SetCurrent(doc.Root());
    auto info = std::make_unique<FrameInfo>();
    info->TTL_Kind = ttlKind;
    info->seconds = seconds;
    info->ybPlay = serial;
    info->bg = bg;
    return doc.AddNode(ObjectKind::Frame, std::move(info), name);
  }

  ShowNode* AddObject(ShowNode* page, ObjectKind kind, const std::string& name,
                      Rect rect = {10, 20, 30, 30}) {
    doc.SetCurrent(page);
    auto control = std::make_unique<FakeControl>(surface, name, rect);
    controls[name] = control.get();
    const KindInfo* info = FindKind(kind);
    std::unique_ptr<CControlWrapper> wrapper =
        info && info->wrap ? info->wrap(std::move(control))
                           : std::make_unique<CControlWrapper>(std::move(control));
    ShowNode* node = doc.AddNode(kind, std::move(wrapper), name);
    doc.SetCurrent(page);
    return node;
  }

  /// Makes an object animated: actionStyle 1 with the given styles and timing.
  static void Animate(ShowNode* node, int32_t inStyle, int32_t inSpeed, int32_t delayTime,
                      int32_t outStyle, int32_t outSpeed) {
    node->actionStyle = 1;
    node->inStyle = inStyle;
    node->inSpeed = inSpeed;
    node->delayTime = delayTime;
    node->outStyle = outStyle;
    node->outSpeed = outSpeed;
  }

  FakeControl& C(const std::string& name) { return *controls.at(name); }
};

} // namespace playtest
