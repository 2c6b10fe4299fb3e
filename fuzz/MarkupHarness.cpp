// CMarkup: indexes any text, then walks every element the way the readers do (siblings,
// children, into and out of elements), reads names, attributes and child data, and edits the
// indexed document (attributes and children added at the top and at the deepest element
// reached) before indexing the result again.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "model/Markup.h"

namespace {

// Attribute names the program's files use, and the tag's own name.
constexpr const char* kAttributes[] = {"Name", "Type", "X", "frameCount", "BgPicture", "a"};

void ReadElement(const CMarkup& m) {
  const std::string tag = m.GetTagName();
  for (const char* name : kAttributes) {
    (void)m.GetAttribute(name);
    (void)m.GetAttributeInt(name);
    (void)m.GetAttributeBool(name);
  }
  (void)m.GetAttribute(tag);
}

void ReadChild(const CMarkup& m) {
  (void)m.GetChildData();
  (void)m.GetChildDataInt();
  (void)m.GetChildDataBool();
  (void)m.GetChildDataFloat();
  (void)m.GetChildDataDouble();
}

// Walks the whole tree below the top element without recursion: CMarkup keeps the path.
// Returns the depth of the deepest element and leaves the cursor on the top element.
int WalkAll(CMarkup& m) {
  int depth = 0;
  int deepest = 0;
  ReadElement(m);
  for (;;) {
    if (m.FindChildElement()) {
      ReadChild(m);
      if (!m.IntoElement()) break;
      ++depth;
      if (depth > deepest) deepest = depth;
      ReadElement(m);
      continue;
    }
    if (!m.OutOfElement()) break;
    --depth;
  }
  return deepest;
}

// Named searches, as the readers make them.
void Search(CMarkup& m, const std::string& name) {
  m.ResetChildPos();
  while (m.FindChildElement(name)) {
    ReadChild(m);
    if (m.IntoElement()) {
      ReadElement(m);
      (void)m.FindChildElement(name);
      m.OutOfElement();
    }
  }
}

} // namespace

int FuzzMarkup(const uint8_t* data, size_t size) {
  CMarkup m;
  m.SetDocument(std::string(AsText(data, size)));
  const bool indexed = m.GetError().empty();
  if (!m.FindElement()) {
    // No element: the document may still be started afresh.
    m.AddElement("New", "text");
    m.AddChildElement("Child", "1");
    FuzzCheck(m.GetChildDataInt() == 1, "a child added to a new document reads back");
    return 0;
  }
  FuzzCheck(indexed, "an element was found in a document that failed to index");
  const std::string top = m.GetTagName();
  const int deepest = WalkAll(m);
  Search(m, top);

  // Edits: at the top element, then at the deepest element.
  m.ResetChildPos();
  m.SetAttribute("fz", "<\"&'>");
  m.AddChildElement("Fz", "<b>&amp;</b>");
  FuzzCheck(m.GetChildData() == "<b>&amp;</b>", "added child data reads back");
  m.AddChildElement("Empty");
  m.IntoElement();
  m.AddChildElementInt("Int", 42);
  FuzzCheck(m.GetChildDataInt() == 42, "added integer reads back");
  m.OutOfElement();
  m.ResetChildPos();
  for (int level = 0; level < deepest; ++level)
    if (!m.IntoElement()) break;
  m.SetAttributeInt("deep", -7);
  m.AddChildElementDouble("D", 0.5);
  while (m.OutOfElement()) {
  }

  CMarkup again;
  again.SetDocument(m.GetDocument());
  if (again.FindElement()) WalkAll(again);
  return 0;
}
