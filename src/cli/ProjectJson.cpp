#include "cli/ProjectJson.h"

#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "model/Markup.h"

namespace {

const char* const kScreenAttributes[] = {"frameCount",
                                         "proTextCount",
                                         "effectBoxCount",
                                         "clockCount",
                                         "mPlayerCount",
                                         "flashCount",
                                         "gifCount",
                                         "labelCount",
                                         "exeCount",
                                         "X",
                                         "Y",
                                         "W",
                                         "H",
                                         "Name",
                                         "Type"};
const char* const kFrameAttributes[] = {"TTL_Kind",  "seconds", "ybPlay", "bg",
                                        "BgPicture", "Name",    "Type"};
const std::set<std::string> kCommonElements = {
    "reserve",    "topmost",     "actionStyle", "X",       "Y",         "W",        "H",
    "preInDelay", "preOutDelay", "inStyle",     "inSpeed", "delayTime", "outStyle", "outSpeed"};
// Elements that form a list (the pictures of a picture object, the programs of a program
// object): always an array, even of one, so that a reader finds the same shape every time.
const std::set<std::string> kListElements = {"Item"};

// A JSON object built in file order; values are already-encoded JSON.
class JsonObject {
public:
  void Add(const std::string& key, std::string value) {
    for (auto& [k, v] : members_) {
      if (k != key) continue;
      // A repeated element becomes an array of its occurrences.
      if (arrays_.count(key) == 0) {
        v = "[" + v;
        arrays_.insert(key);
      }
      v += "," + value;
      return;
    }
    members_.emplace_back(key, std::move(value));
    if (kListElements.count(key)) {
      members_.back().second = "[" + members_.back().second;
      arrays_.insert(key);
    }
  }
  std::string Str() const {
    std::string out = "{";
    bool first = true;
    for (const auto& [k, v] : members_) {
      if (!first) out += ",";
      first = false;
      out += JsonString(k) + ":" + v + (arrays_.count(k) ? "]" : "");
    }
    return out + "}";
  }

private:
  std::vector<std::pair<std::string, std::string>> members_;
  std::set<std::string> arrays_;
};

// Adds the children of the current element: elements with children of their own become
// objects, the others their text. `props` (when given) receives every child that is not one of
// the common object elements.
void AddChildren(CMarkup& m, JsonObject& into, JsonObject* props) {
  while (m.FindChildElement()) {
    m.IntoElement();
    const std::string tag = m.GetTagName();
    const bool group = m.FindChildElement();
    std::string value;
    if (group) {
      m.ResetChildPos();
      JsonObject members;
      AddChildren(m, members, nullptr);
      value = members.Str();
    }
    m.OutOfElement();
    if (!group) value = JsonString(m.GetChildData());
    if (props && kCommonElements.count(tag) == 0) {
      props->Add(tag, value);
    } else {
      into.Add(tag, value);
    }
  }
}

template <size_t N>
void AddAttributes(CMarkup& m, JsonObject& into, const char* const (&names)[N]) {
  for (const char* name : names)
    into.Add(name, JsonString(m.GetAttribute(name)));
}

} // namespace

bool ProjectToJson(const std::string& text, std::string& json) {
  CMarkup m;
  m.SetDocument(text);
  // As the program's own open: a file without its screen is not a project.
  if (!m.FindElement("VRX") || !m.FindChildElement("Screen")) return false;
  JsonObject screen;
  m.IntoElement();
  AddAttributes(m, screen, kScreenAttributes);
  std::string frames;
  while (m.FindChildElement()) {
    m.IntoElement();
    JsonObject frame;
    AddAttributes(m, frame, kFrameAttributes);
    std::string objects;
    while (m.FindChildElement()) {
      m.IntoElement();
      JsonObject object, props;
      object.Add("Name", JsonString(m.GetAttribute("Name")));
      object.Add("Type", JsonString(m.GetAttribute("Type")));
      AddChildren(m, object, &props);
      object.Add("Props", props.Str());
      m.OutOfElement();
      objects += (objects.empty() ? "" : ",") + object.Str();
    }
    frame.Add("Objects", "[" + objects + "]");
    m.OutOfElement();
    frames += (frames.empty() ? "" : ",") + frame.Str();
  }
  screen.Add("Frames", "[" + frames + "]");
  json = screen.Str();
  return true;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
      if (c < 0x20) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
        out += buffer;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  return out + "\"";
}
