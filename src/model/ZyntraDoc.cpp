#include "model/ZyntraDoc.h"

#include <algorithm>

#include "model/ObjectKinds.h"

CZyntraDoc::CZyntraDoc(PageListLink& pageList, ControlFactory& factory, Prompts& prompts)
    : pageList_(pageList), factory_(factory), prompts_(prompts) {}

CZyntraDoc::~CZyntraDoc() {
  // Children go before their parents, as with DeleteNode, so that no control outlives its page.
  DeleteNode(root_.get());
}

ShowNode* CZyntraDoc::AddNode(ObjectKind kind, std::unique_ptr<CControlWrapper> control,
                              std::string name) {
  auto node = std::make_unique<ShowNode>();
  node->type = kind;
  node->name = std::move(name);
  node->control = std::move(control);
  return AttachNode(std::move(node));
}

ShowNode* CZyntraDoc::AddNode(ObjectKind kind, std::unique_ptr<FrameInfo> info, std::string name) {
  auto node = std::make_unique<ShowNode>();
  node->type = kind;
  node->name = std::move(name);
  node->frame = std::move(info);
  return AttachNode(std::move(node));
}

ShowNode* CZyntraDoc::AddNode(ObjectKind kind, CZyntraScr* screenWindow, std::string name) {
  auto node = std::make_unique<ShowNode>();
  node->type = kind;
  node->name = std::move(name);
  node->screenWindow = screenWindow;
  return AttachNode(std::move(node));
}

ShowNode* CZyntraDoc::AttachNode(std::unique_ptr<ShowNode> node) {
  ShowNode* added = node.get();
  node->parent = current_;
  if (!current_) {
    // An empty tree: the node becomes the root.
    DeleteNode(root_.get());
    root_ = std::move(node);
    current_ = added;
    return added;
  }
  current_->children.push_back(std::move(node));
  if (added->IsContainer()) current_ = added;
  return added;
}

void CZyntraDoc::GotoParent() {
  if (current_ && current_->parent) current_ = current_->parent;
}

ShowNode* CZyntraDoc::FindNode(const std::string& name, ShowNode* start) const {
  if (!start) return nullptr;
  if (start->name == name) return start;
  for (const auto& child : start->children)
    if (ShowNode* found = FindNode(name, child.get())) return found;
  return nullptr;
}

void CZyntraDoc::DeleteNode(ShowNode* node) {
  if (!node) return;
  // Children first, in order. The list is taken over whole instead of being erased from the
  // front one child at a time, so that a page of a hundred thousand objects goes in linear time.
  std::vector<std::unique_ptr<ShowNode>> children = std::move(node->children);
  node->children.clear();
  for (const auto& child : children)
    DeleteNode(child.get());
  children.clear();

  std::unique_ptr<ShowNode> owned;
  if (node->parent) {
    auto& siblings = node->parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [node](const auto& child) { return child.get() == node; });
    if (it != siblings.end()) {
      owned = std::move(*it);
      siblings.erase(it);
    }
  } else if (node == root_.get()) {
    owned = std::move(root_);
  }
  if (node == current_) GotoParent();
  // The root has no parent to fall back to; no pointer may outlive the node.
  if (node == current_) current_ = nullptr;
  if (node == playingPage_) playingPage_ = nullptr;
  node->control.reset(); // closes the control window
  node->frame.reset();
}

bool CZyntraDoc::DeleteNode(const std::string& name) {
  ShowNode* node = FindNode(name, root_.get());
  if (!node) return false;
  DeleteNode(node);
  return true;
}

bool CZyntraDoc::DeleteNode(const Rect& rect) {
  ShowNode* node = FindNodeByRect(rect.left, rect.top, rect.right, rect.bottom);
  if (!node) return false;
  DeleteNode(node);
  return true;
}

ShowNode* CZyntraDoc::FindByRect(ShowNode* node, const Rect& rect) const {
  if (!node->children.empty()) {
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
      if (ShowNode* found = FindByRect(it->get(), rect)) return found;
    return nullptr;
  }
  if (node->IsContainer() || !node->control || !node->control->HasWindow()) return nullptr;
  return node->control->GetWindowRect() == rect ? node : nullptr;
}

ShowNode* CZyntraDoc::FindByPoint(ShowNode* node, int32_t x, int32_t y) const {
  if (!node->children.empty()) {
    for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
      if (ShowNode* found = FindByPoint(it->get(), x, y)) return found;
    return nullptr;
  }
  if (node->IsContainer() || !node->control || !node->control->HasWindow()) return nullptr;
  // Unlike window hit tests, the right and bottom edges belong to the object here.
  Rect r = node->control->GetWindowRect();
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom ? node : nullptr;
}

ShowNode* CZyntraDoc::FindNodeByRect(int32_t left, int32_t top, int32_t right,
                                     int32_t bottom) const {
  if (!root_) return nullptr;
  return FindByRect(root_.get(), Rect{left, top, right, bottom});
}

ShowNode* CZyntraDoc::HitTestNode(int32_t x, int32_t y) const {
  if (!current_) return nullptr;
  return FindByPoint(current_, x, y);
}

CControlWrapper* CZyntraDoc::HitTest(int32_t x, int32_t y) const {
  ShowNode* node = HitTestNode(x, y);
  return node ? node->control.get() : nullptr;
}

CControlWrapper* CZyntraDoc::GetControl(const std::string& name) const {
  ShowNode* node = FindNode(name, root_.get());
  return node ? node->control.get() : nullptr;
}

void CZyntraDoc::ResetDocument() {
  path_.clear();
  DeleteNode(root_.get());
  current_ = nullptr;
  playingPage_ = nullptr;
  markup_.SetDocument("");
  docText_.clear();
}

std::unique_ptr<CControlWrapper> CZyntraDoc::CreateControl(ObjectKind kind, const Rect& rect,
                                                           bool visible) {
  const KindInfo* info = FindKind(kind);
  if (!info || !info->IsObject()) return nullptr;
  return info->wrap(factory_.CreateControl(info->classId, rect, visible));
}

void CZyntraDoc::HideCurrentPageObjects() {
  if (!current_ || !current_->IsPage()) return;
  for (const auto& child : current_->children)
    if (child->control) child->control->ShowWindow(false);
}
