#include "support/RecordingPageList.h"

#include "model/ObjectKinds.h"

void RecordingPageList::ClearProject() {
  log.push_back("ClearProject");
  session->ResetProject();
  doc->DeleteNode(doc->Root());
  doc->ResetDocument();
  currentPageItem.clear();
  doc->AddNode(ObjectKind::Screen, nullptr, title);
}

void RecordingPageList::NewPage() {
  log.push_back("NewPage");
  AppendPageItem(session->NewPage(bgColor).name, 1);
}

void RecordingPageList::AppendPageItem(const std::string& name, int image) {
  log.push_back("AppendPageItem " + name + " " + std::to_string(image));
  currentPageItem = name;
}

void RecordingPageList::AppendObjectItem(const std::string& name, int image) {
  log.push_back("AppendObjectItem " + name + " " + std::to_string(image));
}

void RecordingPageList::ProjectRead() {
  log.push_back("ProjectRead");
  session->ProjectRead();
}

void RecordingPageList::ShowPage(ShowNode& page) { log.push_back("ShowPage " + page.name); }

void RecordingPageList::MoveScreen(const Rect& rect) {
  log.push_back("MoveScreen " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                std::to_string(rect.right) + " " + std::to_string(rect.bottom));
  screen = rect;
}

ShowNode* RecordingPageList::CreateObject(ObjectKind kind, const Rect& rect) {
  ShowNode* node = session->CreateObject(KindValue(kind), rect, minWH, bgColor, title);
  if (node) AppendObjectItem(node->name, FindKind(kind)->treeImage);
  return node;
}
