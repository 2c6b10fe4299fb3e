#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/EditingSession.h"
#include "model/ObjectKind.h"
#include "model/PageListLink.h"
#include "base/Rect.h"
#include "model/ZyntraDoc.h"

/// The page list's side of the document for core tests: it records every call as text and
/// clears the project and adds pages and objects with the editing session, as the page list
/// window does, on the document it is given.
class RecordingPageList : public PageListLink {
public:
  /// Works on `document` (called right after the document is made); messages go to `prompts`.
  void Attach(CZyntraDoc& document, Prompts& prompts) {
    doc = &document;
    session = std::make_unique<EditingSession>(document, prompts);
  }
  /// The document worked on.
  CZyntraDoc* doc = nullptr;
  /// The rules of editing, on the document.
  std::unique_ptr<EditingSession> session;
  /// Every call, in order: "ClearProject", "NewPage", "AppendPageItem Page1 1",
  /// "AppendObjectItem Image1 3", "ProjectRead",
  /// "ShowPage Page1", "MoveScreen 0 0 1024 768".
  std::vector<std::string> log;
  /// The program title.
  std::string title = "同步屏播放系统";
  /// The screen window's desktop rectangle.
  Rect screen{0, 0, 1024, 768};
  /// Background colour given to new pages and new texts.
  int32_t bgColor = 0;
  /// The smallest width and height of a new object (the options' default).
  int32_t minWH = 50;
  /// Name of the current page item ("" = the root item).
  std::string currentPageItem;

  void ClearProject() override;
  void NewPage() override;
  NamingCounters& Counters() override { return session->Counters(); }
  void AppendPageItem(const std::string& name, int image) override;
  void AppendObjectItem(const std::string& name, int image) override;
  void ProjectRead() override;
  void ShowPage(ShowNode& page) override;
  std::string ProgramTitle() const override { return title; }
  Rect ScreenRect() const override { return screen; }
  void MoveScreen(const Rect& rect) override;

  /// Makes a new object on the current page as the page list does (the session's rule, then the
  /// tree item appended). Null when no page is current.
  ShowNode* CreateObject(ObjectKind kind, const Rect& rect);
};
