#include "cli/ProjectJson.h"

#include <cstdio>
#include <set>
#include <unordered_map>
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

constexpr size_t kNone = static_cast<size_t>(-1);

// The JSON of a whole project, built in file order and written out once at the end. Objects
// refer to each other by index, and neither building nor writing recurses: a file nests its
// elements as deep as it likes, and every byte of the output is written once.
class JsonTree {
public:
  // Makes an empty object and gives its index.
  size_t NewObject() {
    objects_.emplace_back();
    return objects_.size() - 1;
  }
  // Adds an already-encoded value under `key`. A repeated key becomes an array of its
  // occurrences, at the place of the first; a list element is an array from the first on.
  void AddText(size_t object, const std::string& key, std::string encoded) {
    MemberFor(object, key).values.push_back(Value{std::move(encoded), kNone});
  }
  void AddObject(size_t object, const std::string& key, size_t value) {
    MemberFor(object, key).values.push_back(Value{{}, value});
  }
  // Makes `key` an array even while it holds no value ("[]").
  void MakeArray(size_t object, const std::string& key) { MemberFor(object, key).array = true; }

  std::string Write(size_t root) const {
    std::string out = "{";
    struct Step {
      size_t object;
      size_t member;
      size_t value; // the next value of the member; 0 = the member is not begun
    };
    std::vector<Step> stack{{root, 0, 0}};
    while (!stack.empty()) {
      Step& step = stack.back();
      const std::vector<Member>& members = objects_[step.object].members;
      if (step.member == members.size()) {
        out += '}';
        stack.pop_back();
        continue;
      }
      const Member& member = members[step.member];
      if (step.value == 0) {
        if (step.member > 0) out += ',';
        out += JsonString(member.key);
        out += ':';
        if (member.array) out += '[';
      }
      if (step.value == member.values.size() && (member.array || step.value > 0)) {
        if (member.array) out += ']';
        ++step.member;
        step.value = 0;
        continue;
      }
      const Value& value = member.values[step.value++];
      if (member.array && step.value > 1) out += ',';
      if (value.object == kNone) {
        out += value.text;
      } else {
        out += '{';
        stack.push_back(Step{value.object, 0, 0}); // `step` is not used after this
      }
    }
    return out;
  }

private:
  struct Value {
    std::string text;      // encoded JSON, when no object
    size_t object = kNone; // index of an object value
  };
  struct Member {
    std::string key;
    bool array = false;
    std::vector<Value> values;
  };
  struct Object {
    std::vector<Member> members;
    // Built once an object has many members, so that a file with thousands of different
    // elements in one object is still read in linear time.
    std::unordered_map<std::string, size_t> index;
  };
  static constexpr size_t kIndexFrom = 16;

  Member& MemberFor(size_t object, const std::string& key) {
    Object& o = objects_[object];
    if (o.index.empty()) {
      for (Member& m : o.members)
        if (m.key == key) return Repeated(m);
    } else if (auto it = o.index.find(key); it != o.index.end()) {
      return Repeated(o.members[it->second]);
    }
    o.members.push_back(Member{key, kListElements.count(key) > 0, {}});
    if (o.members.size() >= kIndexFrom) {
      if (o.index.empty())
        for (size_t i = 0; i < o.members.size(); ++i)
          o.index.emplace(o.members[i].key, i);
      else
        o.index.emplace(key, o.members.size() - 1);
    }
    return o.members.back();
  }
  static Member& Repeated(Member& m) {
    m.array = true;
    return m;
  }

  std::vector<Object> objects_;
};

// Adds the children of the current element to `into`: elements with children of their own
// become objects, the others their text. `props` (when not kNone) receives every child that is
// not one of the common object elements. Groups nested in groups are followed with a stack of
// our own, not the call stack.
void AddChildren(CMarkup& m, JsonTree& tree, size_t into, size_t props) {
  struct Level {
    size_t into;
    size_t props;
  };
  std::vector<Level> stack{{into, props}};
  while (!stack.empty()) {
    const Level level = stack.back();
    if (!m.FindChildElement()) {
      stack.pop_back();
      if (!stack.empty()) m.OutOfElement(); // back from a group to its parent
      continue;
    }
    m.IntoElement();
    const std::string tag = m.GetTagName();
    const bool group = m.FindChildElement();
    const size_t target =
        level.props != kNone && kCommonElements.count(tag) == 0 ? level.props : level.into;
    if (group) {
      m.ResetChildPos();
      const size_t members = tree.NewObject();
      tree.AddObject(target, tag, members);
      stack.push_back(Level{members, kNone}); // stays inside the group until it is read
      continue;
    }
    m.OutOfElement();
    tree.AddText(target, tag, JsonString(m.GetChildData()));
  }
}

template <size_t N>
void AddAttributes(CMarkup& m, JsonTree& tree, size_t into, const char* const (&names)[N]) {
  for (const char* name : names)
    tree.AddText(into, name, JsonString(m.GetAttribute(name)));
}

} // namespace

bool ProjectToJson(std::string text, std::string& json) {
  CMarkup m;
  m.AdoptDocument(std::move(text));
  // As the program's own open: a file without its screen is not a project.
  if (!m.FindElement("VRX") || !m.FindChildElement("Screen")) return false;
  JsonTree tree;
  const size_t screen = tree.NewObject();
  m.IntoElement();
  AddAttributes(m, tree, screen, kScreenAttributes);
  tree.MakeArray(screen, "Frames");
  while (m.FindChildElement()) {
    m.IntoElement();
    const size_t frame = tree.NewObject();
    tree.AddObject(screen, "Frames", frame);
    AddAttributes(m, tree, frame, kFrameAttributes);
    tree.MakeArray(frame, "Objects");
    while (m.FindChildElement()) {
      m.IntoElement();
      const size_t object = tree.NewObject();
      tree.AddObject(frame, "Objects", object);
      tree.AddText(object, "Name", JsonString(m.GetAttribute("Name")));
      tree.AddText(object, "Type", JsonString(m.GetAttribute("Type")));
      const size_t props = tree.NewObject();
      AddChildren(m, tree, object, props);
      tree.AddObject(object, "Props", props);
      m.OutOfElement();
    }
    m.OutOfElement();
  }
  json = tree.Write(screen);
  return true;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  out.reserve(s.size() + 2);
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
