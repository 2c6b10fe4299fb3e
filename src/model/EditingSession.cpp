#include "model/EditingSession.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "controls/AniGif.h"
#include "controls/Clock.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "model/ArrangeCodes.h"
#include "model/FrameInfo.h"
#include "model/ObjectKinds.h"
#include "base/Prompts.h"
#include "model/ZyntraDoc.h"

namespace {

// The defaults every new object gets right after its control is made.
void ApplyNewObjectDefaults(ObjectKind kind, CControlWrapper& c, int32_t screenBg) {
  switch (kind) {
  case ObjectKind::Picture: {
    auto& w = static_cast<C_EffectBox&>(c);
    w.SetAutoPlay(false);
    w.SetLoopPlay(false);
    w.SetLoops(1);
    w.SetColor(0xFF8080);
    break;
  }
  case ObjectKind::Clock: {
    auto& w = static_cast<C_Clock&>(c);
    w.SetStyle(2);
    w.SetEnabled(false);
    w.SetPlay(true);
    w.SetBgColor(0x960000);
    w.SetBorder(false);
    break;
  }
  case ObjectKind::Movie: {
    auto& w = static_cast<C_MPlayer&>(c);
    w.SetEnabled(false);
    w.SetAutoStart(false);
    w.SetShowControls(false);
    w.SetPlayCount(1);
    break;
  }
  case ObjectKind::Flash: c.EnableWindow(false); break;
  case ObjectKind::Gif:
    static_cast<C_AniGif&>(c).SetAutoPlay(true);
    c.EnableWindow(false);
    break;
  case ObjectKind::Exe: c.EnableWindow(false); break;
  case ObjectKind::Label: {
    auto& w = static_cast<C_Glasso&>(c);
    w.SetEnable(false);
    w.SetCaption(std::string("文字"));
    w.SetColor(0x00FF00);
    w.SetBgColor(screenBg);
    w.SetBorder(0);
    w.SetFontSize(200000);
    break;
  }
  case ObjectKind::RtfText: {
    auto& w = static_cast<C_RtfText&>(c);
    w.SetAutoPlay(false);
    w.SetLoopPlay(false);
    w.SetLoops(1);
    w.SetColor(0x99FFFF);
    break;
  }
  default: break;
  }
}

// Where a node with a parent stands among its siblings.
size_t SiblingIndex(const ShowNode& node) {
  const auto& siblings = node.parent->children;
  return static_cast<size_t>(std::find_if(siblings.begin(), siblings.end(),
                                          [&node](const auto& c) { return c.get() == &node; }) -
                             siblings.begin());
}

} // namespace

EditingSession::EditingSession(CZyntraDoc& document, Prompts& prompts)
    : document_(document), prompts_(prompts) {}

EditingSession::EditingSession(PageListLink& pageList, ControlFactory& factory, Prompts& prompts)
    : owned_(std::make_unique<CZyntraDoc>(pageList, factory, prompts)), document_(*owned_),
      prompts_(prompts) {}

EditingSession::~EditingSession() = default;

void EditingSession::ResetProject() {
  counters_ = NamingCounters{};
  fullScreen_ = false;
  history_.Clear();
  blank_ = true;
  current_ = selected_ = nullptr;
  Tell([](EditingView& v) { v.HistoryChanged(); });
}

ShowNode& EditingSession::NewPage(int32_t bg) {
  const bool first = std::exchange(blank_, false);
  ShowNode* root = document_.Root();
  std::vector<NodeState> before = root ? Capture({root}) : std::vector<NodeState>{};
  ++counters_.frameCount;
  auto info = std::make_unique<FrameInfo>();
  info->TTL_Kind = 0;
  info->seconds = 5;
  info->bg = bg;
  info->ybPlay = false;
  document_.GotoParent();
  ShowNode& page = *document_.AddNode(ObjectKind::Frame, std::move(info),
                                      "Page" + std::to_string(counters_.frameCount));
  SetCurrent(&page);
  if (root && !first) {
    EditStep step;
    step.structure = EditStep::Structure::Insert;
    step.name = page.name;
    step.parent = root->name;
    step.index = root->children.size() - 1;
    step.subtree = document_.SubtreeText(page);
    step.before = std::move(before);
    step.after = Capture({root});
    Record(std::move(step), false);
  }
  return page;
}

ShowNode* EditingSession::CreateObject(int32_t kind, Rect rect, int32_t minWH, int32_t screenBg,
                                       const std::string& title) {
  if (!document_.Current() || !document_.Current()->IsPage()) {
    prompts_.MessageBox("没有当前页，不能创建对象！", title, PromptButtons::Ok,
                        PromptIcon::Exclamation);
    return nullptr;
  }
  rect.NormalizeRect();
  if (rect.Width() < minWH) rect.right = rect.left + minWH;
  if (rect.Height() < minWH) rect.bottom = rect.top + minWH;
  const KindInfo* info = FindKind(static_cast<ObjectKind>(kind));
  if (!info || !info->IsObject()) {
    prompts_.MessageBox("无此控件！", title, PromptButtons::Ok, PromptIcon::Information);
    return nullptr;
  }
  ShowNode& page = *document_.Current();
  std::vector<NodeState> before = Capture({document_.Root()});
  int32_t& counter = counters_.*(info->counter);
  ++counter;
  if (info->kind == ObjectKind::Exe)
    rect = Rect{rect.left, rect.top, rect.left + 32, rect.top + 32};
  std::unique_ptr<CControlWrapper> control = document_.CreateControl(info->kind, rect, true);
  control->BringToTop();
  ApplyNewObjectDefaults(info->kind, *control, screenBg);
  ShowNode* node = document_.AddNode(info->kind, std::move(control),
                                     std::string(info->baseName) + std::to_string(counter));
  EditStep step;
  step.structure = EditStep::Structure::Insert;
  step.name = node->name;
  step.parent = page.name;
  step.index = page.children.size() - 1;
  step.subtree = document_.SubtreeText(*node);
  step.before = std::move(before);
  step.after = Capture({document_.Root()});
  Record(std::move(step), false);
  SetCurrent(node);
  return node;
}

bool EditingSession::ConfirmDelete(bool ask, const std::string& title) {
  return !ask || prompts_.MessageBox("您真的要删除吗?", title, PromptButtons::YesNo,
                                     PromptIcon::Question) == PromptAnswer::Yes;
}

bool EditingSession::Delete(const std::string& name) {
  ShowNode* node = document_.FindNode(name, document_.Root());
  if (!node || node == document_.Root() || !node->parent) return false;
  if (!replaying_) {
    EditStep step;
    step.structure = EditStep::Structure::Remove;
    step.name = node->name;
    step.parent = node->parent->name;
    step.index = SiblingIndex(*node);
    step.subtree = document_.SubtreeText(*node);
    Record(std::move(step), false);
  }
  const auto inside = [node](const ShowNode* n) {
    for (; n; n = n->parent)
      if (n == node) return true;
    return false;
  };
  if (inside(document_.Current())) document_.SetCurrent(document_.Root());
  if (inside(selected_)) selected_ = nullptr;
  if (inside(current_)) current_ = document_.Current();
  document_.DeleteNode(node);
  return true;
}

bool EditingSession::ArrangeObject(ShowNode& object, int code, const Rect& surface) {
  if (!object.control) return false;
  bool arranged = false;
  // The full-screen toggle's state is part of the change, so that undo gives it back too.
  Change({&object}, {}, false, [&] {
    const std::optional<Rect> r = Arrange(code, object.control->GetWindowRect(), surface);
    if (r) object.control->MoveWindow(*r);
    arranged = r.has_value();
  });
  return arranged;
}

void EditingSession::MoveObject(ShowNode& object, const Rect& rect, const std::string& how,
                                bool merge) {
  if (!object.control) return;
  const std::string key = how.empty() ? std::string() : how + " " + object.name;
  Change({&object}, key, merge, [&] { object.control->MoveWindow(rect); });
}

void EditingSession::ToggleHidden(ShowNode& object) {
  Change({&object}, {}, false, [&] {
    object.visible = !object.visible;
    if (object.control) object.control->ShowWindow(object.visible);
  });
}

void EditingSession::ToggleFrozen(ShowNode& object) {
  Change({&object}, {}, false, [&] { object.unlocked = !object.unlocked; });
}

void EditingSession::SetCurrent(ShowNode* node) {
  current_ = node;
  if (selected_ != node) selected_ = nullptr;
  if (!node) return;
  if (node->IsPage() || !node->parent)
    document_.SetCurrent(node);
  else if (node->parent->IsPage())
    document_.SetCurrent(node->parent);
}

void EditingSession::Select(ShowNode* object) {
  if (!object) {
    selected_ = nullptr;
    return;
  }
  SetCurrent(object);
  selected_ = object;
}

bool EditingSession::MoveSibling(const std::string& name, bool up) {
  ShowNode* node = document_.FindNode(name, document_.Root());
  if (!node || !SwapSibling(*node, up)) return false;
  EditStep step;
  step.structure = up ? EditStep::Structure::MoveUp : EditStep::Structure::MoveDown;
  step.name = name;
  Record(std::move(step), false);
  return true;
}

bool EditingSession::SwapSibling(ShowNode& node, bool up) {
  if (!node.parent) return false;
  auto& siblings = node.parent->children;
  const size_t index = SiblingIndex(node);
  if (index >= siblings.size() || (up && index == 0) || (!up && index + 1 == siblings.size()))
    return false;
  std::swap(siblings[index], siblings[up ? index - 1 : index + 1]);
  return true;
}

std::optional<Rect> EditingSession::Arrange(int code, Rect r, const Rect& c) {
  switch (code) {
  case cmd::ArrangeTop: r.OffsetRect(0, c.top - r.top); break;
  case cmd::ArrangeBottom: r.OffsetRect(0, c.bottom - r.bottom); break;
  case cmd::ArrangeLeft: r.OffsetRect(c.left - r.left, 0); break;
  case cmd::ArrangeRight: r.OffsetRect(c.right - r.right, 0); break;
  case cmd::ArrangeCentre: {
    const int cx = c.left + (c.right - c.left) / 2, cy = c.top + (c.bottom - c.top) / 2;
    const int rx = r.left + (r.right - r.left) / 2, ry = r.top + (r.bottom - r.top) / 2;
    r.OffsetRect(cx - rx, cy - ry);
    break;
  }
  case cmd::ArrangeFullScreen:
    if (!fullScreen_) {
      restoreRect_ = r;
      r = c;
    } else {
      r = restoreRect_;
    }
    fullScreen_ = !fullScreen_;
    break;
  default: return std::nullopt;
  }
  return r;
}

// --- The history
// ----------------------------------------------------------------------------------

void EditingSession::Tell(const std::function<void(EditingView&)>& what) {
  if (view_) what(*view_);
}

std::vector<NodeState> EditingSession::Capture(const std::vector<ShowNode*>& nodes) {
  std::vector<NodeState> states;
  states.reserve(nodes.size());
  for (ShowNode* node : nodes)
    if (node) states.push_back(document_.CaptureState(*node));
  return states;
}

void EditingSession::Record(EditStep step, bool merge) {
  if (playing_ || replaying_) return;
  blank_ = false;
  history_.Push(std::move(step), merge);
  Tell([](EditingView& v) { v.HistoryChanged(); });
}

void EditingSession::MarkSaved() {
  history_.MarkSaved();
  Tell([](EditingView& v) { v.HistoryChanged(); });
}

void EditingSession::Change(const std::vector<ShowNode*>& nodes, const std::string& key, bool merge,
                            const std::function<void()>& change) {
  if (changing_ || playing_ || replaying_) {
    change();
    return;
  }
  EditStep step;
  step.before = Capture(nodes);
  step.mergeKey = key;
  const EditStep::FullScreenState toggle{fullScreen_, restoreRect_};
  changing_ = true;
  change();
  changing_ = false;
  if (const EditStep::FullScreenState now{fullScreen_, restoreRect_}; now != toggle) {
    step.fullScreenBefore = toggle;
    step.fullScreenAfter = now;
  }
  // The change may have taken nodes away; such a change is not one of states.
  for (const NodeState& s : step.before) {
    ShowNode* node = document_.FindNode(s.name, document_.Root());
    if (!node) return;
    step.after.push_back(document_.CaptureState(*node));
  }
  if (step.after == step.before && !step.fullScreenAfter) return;
  Record(std::move(step), merge);
}

void EditingSession::Restore(const std::vector<NodeState>& states) {
  for (const NodeState& state : states) {
    ShowNode* node = document_.FindNode(state.name, document_.Root());
    if (!node) continue;
    std::unique_ptr<CControlWrapper> replaced = document_.ApplyState(*node, state);
    Tell([&](EditingView& v) { v.StateRestored(*node, replaced.get()); });
  }
}

void EditingSession::RemoveNode(const std::string& name) {
  ShowNode* node = document_.FindNode(name, document_.Root());
  if (!node || !node->parent) return;
  // What is shown afterwards: the page of an object; for a page, the page before it (or
  // after it), so that the surface keeps showing a page while there is one.
  ShowNode* focus = node->parent;
  if (node->IsPage()) {
    const auto& pages = node->parent->children;
    const size_t index = SiblingIndex(*node);
    if (index > 0)
      focus = pages[index - 1].get();
    else if (index + 1 < pages.size())
      focus = pages[index + 1].get();
  }
  Tell([&](EditingView& v) { v.NodeGoing(*node); });
  Delete(name);
  Tell([&](EditingView& v) { v.StructureChanged(*focus); });
}

void EditingSession::Replay(const EditStep& step, bool forward) {
  using S = EditStep::Structure;
  const bool insert = (step.structure == S::Insert) == forward;
  switch (step.structure) {
  case S::None: break;
  case S::Insert:
  case S::Remove:
    if (insert) {
      ShowNode* parent = document_.FindNode(step.parent, document_.Root());
      ShowNode* node =
          parent ? document_.InsertSubtree(*parent, step.index, step.subtree) : nullptr;
      if (node) Tell([&](EditingView& v) { v.StructureChanged(*node); });
    } else {
      RemoveNode(step.name);
    }
    break;
  case S::MoveUp:
  case S::MoveDown:
    if (ShowNode* node = document_.FindNode(step.name, document_.Root())) {
      // Forward does the move again; backward moves the other way.
      if (SwapSibling(*node, (step.structure == S::MoveUp) == forward))
        Tell([&](EditingView& v) { v.StructureChanged(*node); });
    }
    break;
  }
  Restore(forward ? step.after : step.before);
  if (const auto& toggle = forward ? step.fullScreenAfter : step.fullScreenBefore) {
    fullScreen_ = toggle->on;
    restoreRect_ = toggle->restore;
  }
}

bool EditingSession::Undo() {
  if (!CanUndo()) return false;
  replaying_ = true;
  Replay(*history_.Undoable(), false);
  history_.StepBack();
  replaying_ = false;
  Tell([](EditingView& v) { v.HistoryChanged(); });
  return true;
}

bool EditingSession::Redo() {
  if (!CanRedo()) return false;
  replaying_ = true;
  Replay(*history_.Redoable(), true);
  history_.StepForward();
  replaying_ = false;
  Tell([](EditingView& v) { v.HistoryChanged(); });
  return true;
}
