#include <gtest/gtest.h>

#include <clocale>
#include <random>
#include <string>
#include <vector>

#include "model/Markup.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n";

// Writes the element tree below the current element as the public interface sees it: tag,
// attribute "n" and, for every child, its text. Reading these goes through every offset of
// every entry, so two navigators that print the same have equivalent indexes.
void Dump(CMarkup& m, std::string& out, int depth) {
  out += std::string(depth, ' ') + m.GetTagName() + " n=" + m.GetAttribute("n") + "\n";
  m.ResetChildPos();
  while (m.FindChildElement()) {
    out += std::string(depth + 1, ' ') + "data=" + m.GetChildData() + "\n";
    EXPECT_TRUE(m.IntoElement());
    Dump(m, out, depth + 1);
    EXPECT_TRUE(m.OutOfElement());
  }
}

// Dumps from the top element: the cursor is first moved out to the top level.
std::string DumpAll(CMarkup& m) {
  while (m.OutOfElement()) {
  }
  std::string out;
  if (!m.GetTagName().empty() || m.FindElement()) Dump(m, out, 0);
  return out;
}

std::string Reindexed(const CMarkup& m) {
  CMarkup copy;
  copy.SetDocument(m.GetDocument());
  EXPECT_EQ(copy.GetError(), "");
  return DumpAll(copy);
}

TEST(Markup, IndexesTheProjectHeaderAndAnElementWithAnEmptyChild) {
  CMarkup m;
  m.SetDocument(kHeader + "<A>\r\n<B x=\"1\"/>\r\n</A>\r\n");
  EXPECT_EQ(m.GetError(), "");
  ASSERT_TRUE(m.FindElement());
  EXPECT_EQ(m.GetTagName(), "A");
  ASSERT_TRUE(m.FindChildElement());
  EXPECT_FALSE(m.FindChildElement());
  ASSERT_TRUE(m.IntoElement());
  EXPECT_EQ(m.GetTagName(), "B");
  EXPECT_EQ(m.GetAttribute("x"), "1");
  EXPECT_FALSE(m.FindChildElement());
  EXPECT_FALSE(m.FindElement());
}

TEST(Markup, IndexesOnlyTheFirstTopLevelElement) {
  CMarkup m;
  m.SetDocument("<A/>\r\n<B/>\r\n");
  EXPECT_FALSE(m.FindElement("B"));
  ASSERT_TRUE(m.FindElement("A"));
  EXPECT_FALSE(m.FindElement());
  EXPECT_FALSE(m.FindElement("B"));
}

TEST(Markup, SkipsDeclarationsCommentsCdataAndProcessingInstructions) {
  CMarkup m;
  m.SetDocument("<?xml version=\"1.0\"?>\r\n<!DOCTYPE A>\r\n<!-- <X/> -->\r\n"
                "<A><!-- <Y/> --><![CDATA[<Z/>]]><?pi <W/>?><B/><!x></A>");
  EXPECT_EQ(m.GetError(), "");
  ASSERT_TRUE(m.FindElement("A"));
  ASSERT_TRUE(m.IntoElement());
  EXPECT_EQ(m.GetTagName(), "B");
  EXPECT_FALSE(m.FindElement());
}

TEST(Markup, BrokenDocumentsKeepTheirTextAndHaveNoElements) {
  const struct {
    std::string text, error;
  } cases[] = {
      {"", "Element tag not found"},
      {"plain text", "Element tag not found"},
      {kHeader, "Element tag not found"},
      {"<A>", "Element tag not found"},
      {"<A><B>text</B>", "Element tag not found"},
      {"<", "Abrupt end within tag"},
      {"<A><  \r\n\t", "Abrupt end within tag"},
      {"<\"A\"/>", "Tag starts with quote"},
      {"<A", "End of tag not found"},
      {"<A x=\"1\"", "End of tag not found"},
      {"<?xml version", "End of tag not found"},
      {"<!-- <A/> ->", "End of tag not found"},
      {"<![CDATA[ <A/> ]]", "End of tag not found"},
      {"<!DOCTYPE", "End of tag not found"},
      {"<A><B></C></A>", "End tag does not correspond to B"},
      {"<A></a>", "End tag does not correspond to A"},
      {"<A></>", "End tag does not correspond to A"},
      {"<A></A", "End tag not completed for element A"},
      {"<A></A \"x>\"", "End tag not completed for element A"},
      {"<同步><屏></同步></屏>", "End tag does not correspond to 屏"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CMarkup m;
    m.SetDocument(c.text);
    EXPECT_EQ(m.GetError(), c.error);
    EXPECT_EQ(m.GetDocument(), c.text);
    EXPECT_FALSE(m.FindElement());
    EXPECT_FALSE(m.FindChildElement());
    EXPECT_FALSE(m.IntoElement());
    EXPECT_FALSE(m.OutOfElement());
    EXPECT_EQ(m.GetTagName(), "");
    EXPECT_EQ(m.GetAttribute("x"), "");
    EXPECT_EQ(m.GetChildData(), "");
    EXPECT_EQ(m.GetChildDataInt(), 0);
    EXPECT_FALSE(m.GetChildDataBool());
    EXPECT_FALSE(m.AddChildElement("C"));
    EXPECT_FALSE(m.SetAttribute("x", 1));
    EXPECT_EQ(m.GetDocument(), c.text);
  }
}

TEST(Markup, ErrorTextBelongsToTheLastIndexing) {
  CMarkup m;
  m.SetDocument("<A></B>");
  EXPECT_EQ(m.GetError(), "End tag does not correspond to A");
  m.SetDocument("<A></A>");
  EXPECT_EQ(m.GetError(), "");
  EXPECT_TRUE(m.FindElement("A"));
  // A lone end tag is no element but no fault either.
  m.SetDocument("</A><B/>");
  EXPECT_EQ(m.GetError(), "");
  EXPECT_FALSE(m.FindElement());
}

TEST(Markup, FindsOnlyForwardAndKeepsTheCursorOnAMiss) {
  CMarkup m;
  m.SetDocument("<R><a>1</a><b>2</b><A>3</A><b>4</b></R>");
  EXPECT_FALSE(m.FindElement("r"));
  ASSERT_TRUE(m.FindElement("R"));
  EXPECT_EQ(m.GetChildData(), "");
  EXPECT_TRUE(m.FindChildElement("b"));
  EXPECT_EQ(m.GetChildData(), "2");
  EXPECT_FALSE(m.FindChildElement("a"));
  EXPECT_EQ(m.GetChildData(), "2");
  EXPECT_TRUE(m.FindChildElement(std::string("b").c_str()));
  EXPECT_EQ(m.GetChildData(), "4");
  EXPECT_FALSE(m.FindChildElement());
  m.ResetChildPos();
  EXPECT_EQ(m.GetChildData(), "");
  EXPECT_TRUE(m.FindChildElement(std::string("A")));
  EXPECT_EQ(m.GetChildDataInt(), 3);
  EXPECT_TRUE(m.FindChildElement(nullptr));
  EXPECT_EQ(m.GetChildData(), "4");
}

TEST(Markup, MovesIntoAndOutOfElements) {
  CMarkup m;
  m.SetDocument("<R><a><x>1</x></a><b/></R>");
  // Into from nowhere finds the top element and its first child.
  ASSERT_TRUE(m.IntoElement());
  EXPECT_EQ(m.GetTagName(), "a");
  EXPECT_TRUE(m.FindChildElement("x"));
  EXPECT_EQ(m.GetChildData(), "1");
  ASSERT_TRUE(m.OutOfElement());
  EXPECT_EQ(m.GetTagName(), "R");
  EXPECT_EQ(m.GetChildData(), ""); // the child "a" has children of its own
  EXPECT_FALSE(m.OutOfElement());
  ASSERT_TRUE(m.FindChildElement());
  ASSERT_TRUE(m.IntoElement());
  EXPECT_EQ(m.GetTagName(), "b");
  EXPECT_FALSE(m.IntoElement());
  EXPECT_FALSE(m.FindChildElement());
  EXPECT_FALSE(m.FindElement());
  EXPECT_TRUE(m.OutOfElement());
  EXPECT_FALSE(m.OutOfElement());
}

TEST(Markup, DecodesChildText) {
  const struct {
    std::string child, data;
  } cases[] = {
      {"<c>a &lt;b&gt; &amp; &apos;q&apos; &quot;d&quot;</c>", "a <b> & 'q' \"d\""},
      {"<c>&amp;&x y</c>", "&&x y"},
      {"<c>&amp;amp;</c>", "&amp;"},
      {"<c>&lt &AMP; &#60;</c>", "&lt &AMP; &#60;"},
      {"<c>tail &amp</c>", "tail &amp"},
      {"<c/>", ""},
      {"<c ></c>", ""},
      {"<c><d>x</d></c>", ""},
      {"<c><![CDATA[<raw> &amp;]]></c>", "<raw> &amp;"},
      {"<c><![CDATA[]]></c>", ""},
      {"<c>x<![CDATA[y]]></c>", "x<![CDATA[y]]>"},
      {"<c>同步屏 &lt;播放&gt;</c>", "同步屏 <播放>"},
      {"<c> spaced \r\n</c>", " spaced \r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.child);
    CMarkup m;
    m.SetDocument("<R>" + c.child + "</R>");
    ASSERT_EQ(m.GetError(), "");
    ASSERT_TRUE(m.FindChildElement());
    EXPECT_EQ(m.GetChildData(), c.data);
  }
}

TEST(Markup, FindsOnlyQuotedAttributeValues) {
  const struct {
    std::string element, name, value;
  } cases[] = {
      {"<e x=\"1\"/>", "x", "1"},
      {"<e x=1/>", "x", ""},
      {"<e x=1 y=\"2\"/>", "y", "2"},
      {"<e x=1 y=\"2\"/>", "x", ""},
      {"<e x=\"1\" x=\"2\"/>", "x", "1"},
      {"<e a=\"x\" x=\"y\"/>", "x", "y"},
      {"<e a = \"v\" />", "a", "v"},
      {"<e\tx\r\n=\n\"t\"/>", "x", "t"},
      {"<e v=\"&lt;&amp;&gt;&apos;&quot;&amp\"/>", "v", "<&>'\"&amp"},
      {"<e x='1'/>", "x", ""},
      {"<e x=\"1\"/>", "X", ""},
      {"<e x=\"1\"/>", "e", ""},
      {"<e x=\"1\"/>", "", ""},
      {"<e/>", "x", ""},
      {"<e x=\"\"/>", "x", ""},
      {"<e 名=\"同步屏\"/>", "名", "同步屏"},
      {"<e x=\"1\">y=\"2\"</e>", "y", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.element + " " + c.name);
    CMarkup m;
    m.SetDocument(c.element);
    ASSERT_TRUE(m.FindElement());
    EXPECT_EQ(m.GetAttribute(c.name), c.value);
  }
}

TEST(Markup, ReadsTypedValues) {
  CMarkup m;
  m.SetDocument("<e n=\" -42xyz\" t=\"True\" f=\"true\"/>");
  ASSERT_TRUE(m.FindElement());
  EXPECT_EQ(m.GetAttributeInt("n"), -42);
  EXPECT_EQ(m.GetAttributeInt("t"), 0);
  EXPECT_TRUE(m.GetAttributeBool("t"));
  EXPECT_FALSE(m.GetAttributeBool("f"));
  EXPECT_FALSE(m.GetAttributeBool("missing"));

  const struct {
    std::string text;
    int i;
    bool b;
    float f;
    double d;
  } cases[] = {
      {" -12abc", -12, false, -12.0f, -12.0},
      {"+7", 7, false, 7.0f, 7.0},
      {"abc", 0, false, 0.0f, 0.0},
      {"", 0, false, 0.0f, 0.0},
      {"True", 0, true, 0.0f, 0.0},
      {"True ", 0, false, 0.0f, 0.0},
      {"38353.750000", 38353, false, 38353.75f, 38353.75},
      {"0.1", 0, false, 0.1f, 0.1},
      {"3.876500e+004", 3, false, 38765.0f, 38765.0},
      {"1e3x", 1, false, 1000.0f, 1000.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    m.SetDocument("<R><v>" + c.text + "</v></R>");
    ASSERT_TRUE(m.FindChildElement("v"));
    EXPECT_EQ(m.GetChildDataInt(), c.i);
    EXPECT_EQ(m.GetChildDataBool(), c.b);
    EXPECT_EQ(m.GetChildDataFloat(), c.f);
    EXPECT_EQ(m.GetChildDataDouble(), c.d);
  }
}

TEST(Markup, BuildsOneElementPerLineWithCrLf) {
  CMarkup m;
  m.SetDocument(nullptr);
  ASSERT_TRUE(m.AddElement("VRX"));
  EXPECT_EQ(m.GetDocument(), "<VRX/>\r\n");
  ASSERT_TRUE(m.AddChildElement("Screen"));
  EXPECT_EQ(m.GetDocument(), "<VRX>\r\n<Screen/>\r\n</VRX>\r\n");
  ASSERT_TRUE(m.IntoElement());
  m.SetAttribute("frameCount", 2);
  m.SetAttribute("Name", "a<b&\"c\"'>");
  m.AddChildElement("Frame");
  ASSERT_TRUE(m.IntoElement());
  m.SetAttribute("seconds", 10);
  m.AddChildElement("Label");
  ASSERT_TRUE(m.IntoElement());
  m.AddChildElement("Caption", "x < y & z > \"w\" 'v'");
  m.AddChildElement("Transparent", true);
  m.AddChildElement("Size", 90000);
  m.AddChildElement("Empty", "");
  m.AddChildElement("Weight ", 400);
  EXPECT_TRUE(m.OutOfElement());
  EXPECT_TRUE(m.OutOfElement());
  m.AddChildElement("Frame");
  ASSERT_TRUE(m.IntoElement());
  m.SetAttribute("seconds", 5);
  EXPECT_TRUE(m.OutOfElement());
  EXPECT_TRUE(m.OutOfElement());
  EXPECT_FALSE(m.OutOfElement());

  const std::string expected =
      "<VRX>\r\n"
      "<Screen frameCount=\"2\" Name=\"a&lt;b&amp;&quot;c&quot;&apos;&gt;\">\r\n"
      "<Frame seconds=\"10\">\r\n"
      "<Label>\r\n"
      "<Caption>x &lt; y &amp; z &gt; \"w\" 'v'</Caption>\r\n"
      "<Transparent>True</Transparent>\r\n"
      "<Size>90000</Size>\r\n"
      "<Empty/>\r\n"
      "<Weight >400</Weight >\r\n"
      "</Label>\r\n"
      "</Frame>\r\n"
      "<Frame seconds=\"5\"/>\r\n"
      "</Screen>\r\n"
      "</VRX>\r\n";
  EXPECT_EQ(m.GetDocument(), expected);
  EXPECT_EQ(DumpAll(m), Reindexed(m));

  // The navigator reads back what it wrote.
  CMarkup r;
  r.SetDocument(kHeader + expected);
  ASSERT_TRUE(r.FindElement("VRX"));
  ASSERT_TRUE(r.IntoElement());
  EXPECT_EQ(r.GetAttribute("Name"), "a<b&\"c\"'>");
  EXPECT_EQ(r.GetAttributeInt("frameCount"), 2);
  ASSERT_TRUE(r.IntoElement());
  ASSERT_TRUE(r.IntoElement());
  EXPECT_TRUE(r.FindChildElement("Caption"));
  EXPECT_EQ(r.GetChildData(), "x < y & z > \"w\" 'v'");
  EXPECT_TRUE(r.FindChildElement("Transparent"));
  EXPECT_TRUE(r.GetChildDataBool());
  // A tag name is a token, so "Weight " is written but found only as "Weight".
  EXPECT_FALSE(r.FindChildElement("Weight "));
  EXPECT_TRUE(r.FindChildElement("Weight"));
  EXPECT_EQ(r.GetChildDataInt(), 400);
}

TEST(Markup, InsertsAtTheDocumentedPlaces) {
  struct Case {
    const char* name;
    std::string document;
    void (*edit)(CMarkup&);
    std::string expected;
  };
  const Case cases[] = {
      {"an empty element opens into three lines", "<A x=\"1\"/>\r\n",
       [](CMarkup& m) {
         m.FindElement();
         m.AddChildElement("B", "t");
       },
       "<A x=\"1\">\r\n<B>t</B>\r\n</A>\r\n"},
      {"an empty element inside a line", "<R><A/>junk</R>",
       [](CMarkup& m) {
         m.IntoElement();
         m.AddChildElement("B");
       },
       "<R><A>\r\n<B/>\r\n</A>junk</R>"},
      {"text without children gets the child before its end tag", "<A>t</A>",
       [](CMarkup& m) {
         m.FindElement();
         m.AddChildElement("B");
       },
       "<A>t<B/>\r\n</A>"},
      {"no current child appends last", "<A><B/><C/>\r\n</A>",
       [](CMarkup& m) {
         m.FindElement();
         m.AddChildElement("D");
       },
       "<A><B/><C/>\r\n<D/>\r\n</A>"},
      {"after the current child", "<A>\r\n<B>1</B>\r\n<C>2</C>\r\n</A>\r\n",
       [](CMarkup& m) {
         m.FindElement();
         m.FindChildElement("B");
         m.AddChildElement("N", "n");
       },
       "<A>\r\n<B>1</B>\r\n<N>n</N>\r\n<C>2</C>\r\n</A>\r\n"},
      {"after a sibling, before the next tag", "<A><B/>tail<!--c--><C/></A>",
       [](CMarkup& m) {
         m.FindChildElement("B");
         m.AddChildElement("N");
       },
       "<A><B/>tail<N/>\r\n<!--c--><C/></A>"},
      {"AddElement after the current element", "<R><A/></R>",
       [](CMarkup& m) {
         m.IntoElement();
         m.AddElement("B", "2");
       },
       "<R><A/><B>2</B>\r\n</R>"},
      {"AddElement after a failed indexing starts afresh", "<A><B></C></A>",
       [](CMarkup& m) { m.AddElement("X", "1"); }, "<X>1</X>\r\n"},
      {"AddElement at the top beside an element does nothing", "<A/>",
       [](CMarkup& m) {
         m.AddElement("B");
         m.FindElement();
         m.AddElement("B");
       },
       "<A/>"},
      {"AddChildElement without a current element does nothing", "<A/>",
       [](CMarkup& m) { m.AddChildElement("B"); }, "<A/>"},
      {"an attribute goes before \"/>\" or \">\"", "<R><A/><B>t</B></R>",
       [](CMarkup& m) {
         m.IntoElement();
         m.SetAttribute("x", "1");
         m.SetAttribute("x", "2");
         m.FindElement();
         m.SetAttribute("y", false);
       },
       "<R><A x=\"1\" x=\"2\"/><B y=\"False\">t</B></R>"},
      {"multibyte names and text", "<节目/>",
       [](CMarkup& m) {
         m.FindElement();
         m.SetAttribute("名", "同步屏");
         m.AddChildElement("页", "播放&系统");
       },
       "<节目 名=\"同步屏\">\r\n<页>播放&amp;系统</页>\r\n</节目>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CMarkup m;
    m.SetDocument(c.document);
    c.edit(m);
    EXPECT_EQ(m.GetDocument(), c.expected);
    EXPECT_EQ(DumpAll(m), Reindexed(m));
  }
}

TEST(Markup, CursorAfterInsertions) {
  CMarkup m;
  m.SetDocument("<A><B>1</B><C>2</C></A>");
  ASSERT_TRUE(m.FindElement());
  m.SetAttribute("x", 1);
  m.SetAttribute("x", 2);
  EXPECT_EQ(m.GetAttribute("x"), "1");
  // The children moved with the start tag.
  ASSERT_TRUE(m.FindChildElement("B"));
  EXPECT_EQ(m.GetChildData(), "1");
  // A new child becomes the child position; the current element stays.
  ASSERT_TRUE(m.AddChildElement("N", "n"));
  EXPECT_EQ(m.GetTagName(), "A");
  EXPECT_EQ(m.GetChildData(), "n");
  ASSERT_TRUE(m.FindChildElement("C"));
  EXPECT_EQ(m.GetChildData(), "2");
  // A new sibling becomes the current element with no child.
  ASSERT_TRUE(m.IntoElement());
  ASSERT_TRUE(m.AddElement("D", "d"));
  EXPECT_EQ(m.GetTagName(), "D");
  EXPECT_EQ(m.GetChildData(), "");
  ASSERT_TRUE(m.OutOfElement());
  EXPECT_EQ(m.GetChildData(), "d");
  EXPECT_EQ(m.GetDocument(), "<A x=\"1\" x=\"2\"><B>1</B><N>n</N>\r\n<C>2</C><D>d</D>\r\n</A>");
}

TEST(Markup, WritesTypedValues) {
  const struct {
    void (*add)(CMarkup&);
    std::string child;
  } adds[] = {
      {[](CMarkup& m) { m.AddChildElement("v", 0); }, "<v>0</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", -2147483647 - 1); }, "<v>-2147483648</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", 16777215u); }, "<v>16777215</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", true); }, "<v>True</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", false); }, "<v>False</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", 38353.75f); }, "<v>38353.750000</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", 0.1f); }, "<v>0.100000</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", 38765.0); }, "<v>3.876500e+04</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", "True"); }, "<v>True</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", "0"); }, "<v>0</v>"},
      {[](CMarkup& m) { m.AddChildElement("v", std::string("s")); }, "<v>s</v>"},
      {[](CMarkup& m) { m.AddChildElement(std::string("v"), static_cast<const char*>(nullptr)); },
       "<v/>"},
      {[](CMarkup& m) { m.AddChildElementInt("v", 7); }, "<v>7</v>"},
      {[](CMarkup& m) { m.AddChildElementBool("v", 2); }, "<v>True</v>"},
      {[](CMarkup& m) { m.AddChildElementFloat("v", 1.5f); }, "<v>1.500000</v>"},
      {[](CMarkup& m) { m.AddChildElementDouble("v", 0.0); }, "<v>0.000000e+00</v>"},
      {[](CMarkup& m) { m.SetAttribute("a", 5); }, ""},
      {[](CMarkup& m) { m.SetAttribute("a", true); }, ""},
      {[](CMarkup& m) { m.SetAttribute("a", "True"); }, ""},
      {[](CMarkup& m) { m.SetAttributeInt("a", -3); }, ""},
      {[](CMarkup& m) { m.SetAttributeBool("a", false); }, ""},
  };
  const char* attributes[] = {"5", "True", "True", "-3", "False"};
  int attribute = 0;
  for (const auto& a : adds) {
    CMarkup m;
    m.AddElement("R");
    a.add(m);
    if (a.child.empty())
      EXPECT_EQ(m.GetDocument(), std::string("<R a=\"") + attributes[attribute++] + "\"/>\r\n");
    else
      EXPECT_EQ(m.GetDocument(), "<R>\r\n" + a.child + "\r\n</R>\r\n");
  }
}

TEST(Markup, NumbersIgnoreTheProcessLocale) {
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    if (std::setlocale(LC_ALL, name)) {
      switched = true;
      break;
    }
  CMarkup m;
  m.AddElement("R");
  m.AddChildElement("f", 38353.75f);
  m.AddChildElement("d", 1.5);
  EXPECT_EQ(m.GetChildDataDouble(), 1.5);
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(m.GetDocument(), "<R>\r\n<f>38353.750000</f>\r\n<d>1.500000e+00</d>\r\n</R>\r\n");
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(Markup, RandomEditsKeepTheIndexEqualToAFreshIndexing) {
  const char* names[] = {"a", "bb", "同步", "Item"};
  const char* texts[] = {"", "1", "x<y&z>", "\"q\" 'a'", "播放系统", "&amp;"};
  for (unsigned seed = 1; seed <= 5; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % n); };
    CMarkup m;
    m.AddElement("Root");
    for (int step = 0; step < 1500; ++step) {
      switch (pick(8)) {
      case 0:
      case 1: m.AddChildElement(names[pick(4)], texts[pick(6)]); break;
      case 2: m.IntoElement(); break;
      case 3: m.OutOfElement(); break;
      case 4: m.SetAttribute(pick(2) ? "n" : "m", texts[pick(6)]); break;
      case 5: m.ResetChildPos(); break;
      case 6: m.FindChildElement(pick(2) ? names[pick(4)] : nullptr); break;
      case 7: m.AddElement(names[pick(4)], texts[pick(6)]); break;
      }
    }
    EXPECT_EQ(DumpAll(m), Reindexed(m));
  }
}

TEST(Markup, BuildsAndReadsManyElements) {
  constexpr int kCount = 100000;
  CMarkup m;
  m.AddElement("R");
  for (int i = 0; i < kCount; ++i) {
    m.AddChildElement("Item");
    m.IntoElement();
    m.SetAttribute("n", i);
    m.OutOfElement();
  }
  CMarkup r;
  r.SetDocument(m.GetDocument());
  ASSERT_TRUE(r.FindElement("R"));
  int seen = 0;
  while (r.FindChildElement("Item")) {
    ASSERT_TRUE(r.IntoElement());
    ASSERT_EQ(r.GetAttributeInt("n"), seen);
    r.OutOfElement();
    ++seen;
  }
  EXPECT_EQ(seen, kCount);
}

TEST(Markup, DeepNestingNeitherRecursesNorFails) {
  constexpr int kDepth = 100000;
  std::string open, close;
  for (int i = 0; i < kDepth; ++i) {
    open += "<a>";
    close += "</a>";
  }
  CMarkup m;
  m.SetDocument(open + "x" + close);
  ASSERT_EQ(m.GetError(), "");
  ASSERT_TRUE(m.FindElement());
  for (int i = 1; i < kDepth; ++i)
    ASSERT_TRUE(m.IntoElement());
  EXPECT_FALSE(m.IntoElement());
  ASSERT_TRUE(m.OutOfElement());
  EXPECT_EQ(m.GetChildData(), "x");

  m.SetDocument(open);
  EXPECT_EQ(m.GetError(), "Element tag not found");
  m.SetDocument(open + "</b>" + close);
  EXPECT_EQ(m.GetError(), "End tag does not correspond to a");
}

TEST(Markup, SurvivesHugeAndUnterminatedInput) {
  const std::string big(4 << 20, 'v');
  CMarkup m;
  m.SetDocument("<A x=\"" + big + "\"/>");
  ASSERT_TRUE(m.FindElement());
  EXPECT_EQ(m.GetAttribute("x"), big);
  m.SetAttribute("y", big);
  EXPECT_EQ(m.GetAttribute("y"), big);
  EXPECT_EQ(m.GetDocument().size(), 2 * big.size() + 14);

  // The quote runs to the end of the text; the element's "/>" is inside it.
  m.SetDocument("<A x=\"abc/>");
  ASSERT_TRUE(m.FindElement());
  EXPECT_EQ(m.GetAttribute("x"), "abc/>");
}

// Every prefix of a document and random byte soup: nothing may crash or hang, and whatever
// indexes keeps an index equal to a fresh indexing after edits.
TEST(Markup, AnyInputIsSafe) {
  const std::string sample =
      kHeader + "<!DOCTYPE d><!-- c --><A a=\"1&amp;\" b=2>\r\n<B/>\r\n<C>t&lt;<![CDATA[x]]></C>"
                "<D><E q=\"w\">同</E></D>\r\n<?p?></A>\r\n";
  std::vector<std::string> inputs;
  for (std::size_t n = 0; n <= sample.size(); ++n)
    inputs.push_back(sample.substr(0, n));
  std::mt19937 random(7);
  const std::string alphabet = "<>/=\"?!-[]&; \r\nAB";
  for (int i = 0; i < 400; ++i) {
    std::string soup;
    const int length = static_cast<int>(random() % 64);
    for (int k = 0; k < length; ++k)
      soup += random() % 8 ? alphabet[random() % alphabet.size()] : static_cast<char>(random());
    inputs.push_back(soup);
  }
  for (const auto& input : inputs) {
    SCOPED_TRACE(input);
    CMarkup m;
    m.SetDocument(input);
    const bool indexed = m.FindElement();
    m.GetAttribute("a");
    m.FindChildElement();
    m.GetChildData();
    m.IntoElement();
    m.GetTagName();
    m.SetAttribute("n", "<v>");
    m.AddChildElement("N", "&");
    m.AddElement("S", "s");
    m.OutOfElement();
    m.AddChildElement("M");
    if (indexed) {
      EXPECT_EQ(DumpAll(m), Reindexed(m));
    }
  }
}

} // namespace
