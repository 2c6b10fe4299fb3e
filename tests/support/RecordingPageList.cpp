#include "support/RecordingPageList.h"

#include "model/ObjectKinds.h"

void RecordingPageList::ClearProject() {
  log.push_back("ClearProject");
  counters = NamingCounters{};
  doc->DeleteNode(doc->Root());
  doc->ResetDocument();
  currentPageItem.clear();
  doc->AddNode(ObjectKind::Screen, nullptr, title);
}

void RecordingPageList::NewPage() {
  log.push_back("NewPage");
  ++counters.frameCount;
  std::string name = "Page" + std::to_string(counters.frameCount);
  auto info = std::make_unique<FrameInfo>();
  info->bg = bgColor;
  doc->GotoParent();
  doc->AddNode(ObjectKind::Frame, std::move(info), name);
  AppendPageItem(name, 1);
}

void RecordingPageList::AppendPageItem(const std::string& name, int image) {
  log.push_back("AppendPageItem " + name + " " + std::to_string(image));
  currentPageItem = name;
}

void RecordingPageList::AppendObjectItem(const std::string& name, int image) {
  log.push_back("AppendObjectItem " + name + " " + std::to_string(image));
}

void RecordingPageList::ProjectRead() { log.push_back("ProjectRead"); }

void RecordingPageList::ShowPage(ShowNode& page) { log.push_back("ShowPage " + page.name); }

void RecordingPageList::MoveScreen(const Rect& rect) {
  log.push_back("MoveScreen " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                std::to_string(rect.right) + " " + std::to_string(rect.bottom));
  screen = rect;
}

ShowNode* RecordingPageList::CreateObject(ObjectKind kind, const Rect& rect) {
  const KindInfo* info = FindKind(kind);
  if (!info || !info->IsObject() || !doc->Current() || !doc->Current()->IsPage()) return nullptr;
  int32_t& counter = counters.*(info->counter);
  ++counter;
  std::string name = info->baseName + std::to_string(counter);
  ShowNode* node = doc->AddNode(kind, doc->CreateControl(kind, rect, true), name);
  AppendObjectItem(name, info->treeImage);
  return node;
}
