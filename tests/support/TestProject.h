#pragma once

#include <string>
#include <vector>

#include "model/ZyntraDoc.h"
#include "support/FakeControls.h"
#include "support/RecordingPageList.h"
#include "support/ScriptedPrompts.h"

/// A project document with in-memory controls, a recording page list and scripted prompts,
/// holding a new project (the screen and Page1); the page list's log starts empty.
struct TestProject {
  FakeControlFactory factory;
  ScriptedPrompts prompts;
  RecordingPageList pageList;
  CZyntraDoc doc{pageList, factory, prompts};

  TestProject() {
    pageList.Attach(doc, prompts);
    doc.NewDocument();
    pageList.log.clear();
  }

  /// Makes an object on the current page as the page list does.
  ShowNode* Object(ObjectKind kind, Rect rect) { return pageList.CreateObject(kind, rect); }
  /// The node with this name, or null.
  ShowNode* Node(const std::string& name) { return doc.FindNode(name, doc.Root()); }
  /// The names of a node's children in order.
  static std::vector<std::string> Names(const ShowNode* node) {
    std::vector<std::string> names;
    for (const auto& child : node->children)
      names.push_back(child->name);
    return names;
  }
  /// The fake control of the node with this name, or null.
  FakeControl* Fake(const std::string& name) {
    ShowNode* node = Node(name);
    return node && node->control ? FakeControlFactory::Of(node->control->Control()) : nullptr;
  }
  /// What the node's control was told: its puts, method calls and window operations.
  std::vector<std::string> Told(const std::string& name) {
    std::vector<std::string> told;
    if (FakeControl* fake = Fake(name))
      for (const std::string& line : fake->trace)
        if (line.rfind("get ", 0) != 0) told.push_back(line);
    return told;
  }
};
