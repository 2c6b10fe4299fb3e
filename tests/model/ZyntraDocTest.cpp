#include <gtest/gtest.h>

#include "controls/Clock.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "model/ObjectKinds.h"
#include "model/ZyntraDoc.h"
#include "support/TestProject.h"

namespace {

using Project = TestProject;

TEST(ProjectModel, KindTableHoldsThePublishedValues) {
  struct Row {
    ObjectKind kind;
    int32_t value;
    const char* element;
    const char* base;
    int image;
    const char* clsid;
  } rows[] = {
      {ObjectKind::Screen, -1, "Screen", nullptr, 0, nullptr},
      {ObjectKind::Frame, -2, "Frame", "Page", 1, nullptr},
      {ObjectKind::Picture, 122, "Picture", "Image", 3, "{B9EF8D8A-4AD4-11DE-B2D7-00D009C22011}"},
      {ObjectKind::Clock, 123, "Clock", "Timer", 4, "{15AC02EE-C7A7-11D9-B2D4-00D009C22011}"},
      {ObjectKind::Movie, 124, "Movie", "Video", 5, "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}"},
      {ObjectKind::Flash, 125, "Flash", "Flash", 6, "{D27CDB6E-AE6D-11CF-96B8-444553540000}"},
      {ObjectKind::Gif, 126, "Gif", "Gif", 7, "{CDFB604A-C2D2-11D3-BEC0-CB586B91B60E}"},
      {ObjectKind::Exe, 128, "Exe", "Program", 8, "{AA0FE940-F70F-48DA-9F6C-3C3B9DF6819A}"},
      {ObjectKind::Label, 131, "Label", "Text", 2, "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}"},
      {ObjectKind::RtfText, 138, "RtfText", "RTF", 7, "{77009356-2813-43AD-A5EC-52A7626AD553}"},
  };
  ASSERT_EQ(AllKinds().size(), std::size(rows));
  for (const Row& r : rows) {
    const KindInfo* k = FindKind(r.kind);
    ASSERT_NE(k, nullptr) << r.value;
    EXPECT_EQ(KindValue(k->kind), r.value);
    EXPECT_STREQ(k->element, r.element);
    EXPECT_EQ(FindKindByElement(r.element), k);
    if (r.base) {
      EXPECT_STREQ(k->baseName, r.base);
    }
    EXPECT_EQ(k->treeImage, r.image);
    if (r.clsid) {
      EXPECT_STREQ(k->classId, r.clsid);
    } else {
      EXPECT_FALSE(k->IsObject());
    }
  }
  for (int32_t notKind : {127, 129, 130, 132, 137, 0})
    EXPECT_EQ(FindKind(static_cast<ObjectKind>(notKind)), nullptr) << notKind;
  EXPECT_EQ(FindKindByElement("picture"), nullptr); // case-sensitive
}

TEST(ProjectModel, NewProjectIsARootWithPage1) {
  Project p;
  ShowNode* root = p.doc.Root();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->type, ObjectKind::Screen);
  EXPECT_EQ(root->name, "同步屏播放系统");
  EXPECT_EQ(p.Names(root), std::vector<std::string>{"Page1"});
  EXPECT_EQ(p.doc.Current(), root->children[0].get());
  const FrameInfo& info = *p.doc.Current()->frame;
  EXPECT_EQ(info.TTL_Kind, 0);
  EXPECT_EQ(info.seconds, 5);
  EXPECT_FALSE(info.ybPlay);
  EXPECT_EQ(p.doc.Path(), "");
}

TEST(ProjectModel, NewNodesGetTheDefaults) {
  Project p;
  ShowNode* n = p.Object(ObjectKind::Clock, {10, 10, 80, 80});
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(n->parent, p.doc.Current());
  EXPECT_FALSE(n->reserve);
  EXPECT_FALSE(n->topmost);
  EXPECT_EQ(n->actionStyle, 0);
  EXPECT_TRUE(n->visible);
  EXPECT_TRUE(n->unlocked);
  EXPECT_TRUE(n->actionDone);
  EXPECT_EQ(n->actionThread, nullptr);
  EXPECT_EQ(n->preInDelay + n->preOutDelay + n->inStyle + n->inSpeed + n->delayTime + n->outStyle +
                n->outSpeed,
            0);
  EXPECT_NE(n->ControlAs<C_Clock>(), nullptr);
}

TEST(ProjectModel, AttachPutsObjectsOnTheCurrentPageAndPagesBecomeCurrent) {
  Project p;
  ShowNode* page1 = p.doc.Current();
  p.Object(ObjectKind::Picture, {0, 0, 10, 10});
  EXPECT_EQ(p.doc.Current(), page1); // an object never becomes current
  p.pageList.NewPage();
  ShowNode* page2 = p.doc.Current();
  EXPECT_EQ(page2->name, "Page2");
  p.Object(ObjectKind::Label, {0, 0, 10, 10});
  EXPECT_EQ(p.Names(page1), std::vector<std::string>{"Image1"});
  EXPECT_EQ(p.Names(page2), std::vector<std::string>{"Text1"});

  // With the root current an object lands under the root, where no page shows it.
  p.doc.GotoParent();
  EXPECT_EQ(p.doc.Current(), p.doc.Root());
  p.doc.AddNode(ObjectKind::Gif, p.doc.CreateControl(ObjectKind::Gif, {}, false), "Gif9");
  EXPECT_EQ(p.Names(p.doc.Root()), (std::vector<std::string>{"Page1", "Page2", "Gif9"}));
  p.doc.GotoParent(); // the root has no parent: nothing changes
  EXPECT_EQ(p.doc.Current(), p.doc.Root());
}

TEST(ProjectModel, FindNodeSearchesDepthFirstForTheExactName) {
  Project p;
  p.Object(ObjectKind::Picture, {});
  p.pageList.NewPage();
  p.Object(ObjectKind::Picture, {});
  ShowNode* root = p.doc.Root();
  EXPECT_EQ(p.doc.FindNode("Image2", root)->parent->name, "Page2");
  EXPECT_EQ(p.doc.FindNode("Page1", root), root->children[0].get());
  EXPECT_EQ(p.doc.FindNode("同步屏播放系统", root), root);
  EXPECT_EQ(p.doc.FindNode("image1", root), nullptr);
  EXPECT_EQ(p.doc.FindNode("Image", root), nullptr);
  EXPECT_EQ(p.doc.FindNode("Image2", root->children[0].get()), nullptr);
  EXPECT_EQ(p.doc.GetControl("Image1"), root->children[0]->children[0]->control.get());
  EXPECT_EQ(p.doc.GetControl("Page1"), nullptr);
}

TEST(ProjectModel, DeletingAPageDestroysItsSubtreeAndMakesTheScreenCurrent) {
  Project p;
  p.Object(ObjectKind::Picture, {});
  p.pageList.NewPage();
  p.Object(ObjectKind::Clock, {});
  p.Object(ObjectKind::Label, {});
  ASSERT_EQ(p.factory.LiveCount(), 3u);

  EXPECT_TRUE(p.doc.DeleteNode("Page2"));
  EXPECT_EQ(p.doc.Current(), p.doc.Root());
  EXPECT_EQ(p.factory.destroyed, (std::vector<std::string>{C_Clock::kClassId, C_Glasso::kClassId}));
  ASSERT_EQ(p.factory.LiveCount(), 1u); // Page1's picture is untouched
  EXPECT_EQ(p.factory.Live()[0]->ClassId(), C_EffectBox::kClassId);
  EXPECT_EQ(p.doc.FindNode("Text1", p.doc.Root()), nullptr);
  EXPECT_FALSE(p.doc.DeleteNode("Page2"));

  // Deleting a page that is not current leaves current alone.
  p.pageList.NewPage(); // Page3
  EXPECT_TRUE(p.doc.DeleteNode("Page1"));
  EXPECT_EQ(p.doc.Current()->name, "Page3");
  EXPECT_TRUE(p.factory.LiveCount() == 0);
}

TEST(ProjectModel, CountersNeverGoBackWhenNodesAreDeleted) {
  Project p;
  p.pageList.NewPage();
  p.pageList.NewPage();
  p.Object(ObjectKind::Movie, {});
  EXPECT_TRUE(p.doc.DeleteNode("Video1"));
  EXPECT_TRUE(p.doc.DeleteNode("Page3"));
  EXPECT_TRUE(p.doc.DeleteNode("Page2"));
  EXPECT_TRUE(p.doc.DeleteNode("Page1"));
  p.pageList.NewPage();
  EXPECT_EQ(p.doc.Current()->name, "Page4");
  EXPECT_EQ(p.Object(ObjectKind::Movie, {})->name, "Video2");
  // A page and an object never share a name: the bases differ and counters only grow.
  EXPECT_EQ(p.doc.FindNode("Page4", p.doc.Root())->type, ObjectKind::Frame);
}

TEST(ProjectModel, HitTestPrefersTheLastObjectAndIncludesTheEdges) {
  Project p;
  ShowNode* a = p.Object(ObjectKind::Picture, {10, 10, 100, 100});
  ShowNode* b = p.Object(ObjectKind::Label, {50, 50, 150, 150});
  struct Case {
    int x, y;
    ShowNode* want;
  } cases[] = {
      {10, 10, a},  {60, 60, b},  {100, 100, b},    {150, 150, b},      {151, 150, nullptr},
      {30, 100, a}, {100, 30, a}, {9, 10, nullptr}, {49, 120, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(p.doc.HitTestNode(c.x, c.y), c.want) << c.x << "," << c.y;
    EXPECT_EQ(p.doc.HitTest(c.x, c.y), c.want ? c.want->control.get() : nullptr);
  }
  // Only the current page is searched; an empty page hits nothing.
  p.pageList.NewPage();
  EXPECT_EQ(p.doc.HitTest(60, 60), nullptr);
}

TEST(ProjectModel, FindAndDeleteByRectangleMatchAllFourEdges) {
  Project p;
  p.Object(ObjectKind::Picture, {10, 10, 100, 100});
  p.pageList.NewPage();
  ShowNode* moved = p.Object(ObjectKind::Gif, {-20, 5, 40, 60}); // partly outside
  p.doc.GotoParent();
  EXPECT_EQ(p.doc.FindNodeByRect(-20, 5, 40, 60), moved);
  EXPECT_EQ(p.doc.FindNodeByRect(10, 10, 100, 100)->name, "Image1");
  EXPECT_EQ(p.doc.FindNodeByRect(10, 10, 100, 101), nullptr);
  moved->control->MoveWindow({0, 0, 5, 5}); // the control's rectangle is the truth
  EXPECT_EQ(p.doc.FindNodeByRect(-20, 5, 40, 60), nullptr);
  EXPECT_TRUE(p.doc.DeleteNode(Rect{0, 0, 5, 5}));
  EXPECT_EQ(p.doc.FindNode("Gif1", p.doc.Root()), nullptr);
  EXPECT_FALSE(p.doc.DeleteNode(Rect{0, 0, 5, 5}));
}

TEST(ProjectModel, AnEmptyTreeFindsAndDeletesNothing) {
  FakeControlFactory factory;
  ScriptedPrompts prompts;
  RecordingPageList pageList;
  CZyntraDoc doc(pageList, factory, prompts);
  EXPECT_EQ(doc.Root(), nullptr);
  EXPECT_EQ(doc.FindNode("Page1", doc.Root()), nullptr);
  EXPECT_EQ(doc.FindNodeByRect(0, 0, 0, 0), nullptr);
  EXPECT_EQ(doc.HitTest(0, 0), nullptr);
  EXPECT_EQ(doc.GetControl("Image1"), nullptr);
  EXPECT_FALSE(doc.DeleteNode("Page1"));
  EXPECT_FALSE(doc.DeleteNode(Rect{}));
  doc.GotoParent();
  EXPECT_EQ(doc.Current(), nullptr);
}

TEST(ProjectModel, ResetForgetsTheProjectAfterTheTreeIsDeleted) {
  Project p;
  p.Object(ObjectKind::Clock, {});
  p.doc.SetPath("/tmp/x.vrx");
  p.doc.SetPlayingPage(p.doc.Current());
  p.doc.DeleteNode(p.doc.Root());
  EXPECT_EQ(p.doc.Root(), nullptr);
  EXPECT_EQ(p.doc.Current(), nullptr);
  EXPECT_EQ(p.doc.PlayingPage(), nullptr);
  EXPECT_TRUE(p.factory.LiveCount() == 0);
  p.doc.ResetDocument();
  EXPECT_EQ(p.doc.Path(), "");
  EXPECT_EQ(p.doc.DocText(), "");
}

TEST(ProjectModel, ControlsAreMadeByClassIdAndWrappedByKind) {
  Project p;
  auto control = p.doc.CreateControl(ObjectKind::Movie, {1, 2, 3, 4}, false);
  ASSERT_EQ(p.factory.creations.size(), 1u);
  EXPECT_EQ(p.factory.creations[0].clsid, "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}");
  EXPECT_EQ(p.factory.creations[0].rect, (Rect{1, 2, 3, 4}));
  EXPECT_FALSE(p.factory.creations[0].visible);
  EXPECT_EQ(p.doc.CreateControl(ObjectKind::Frame, {}, true), nullptr);
  EXPECT_EQ(p.doc.CreateControl(static_cast<ObjectKind>(127), {}, true), nullptr);

  // A control that cannot be made still gives a wrapper; its calls answer defaults.
  p.factory.refuse.insert(C_Clock::kClassId);
  auto clock = p.doc.CreateControl(ObjectKind::Clock, {}, true);
  ASSERT_NE(clock, nullptr);
  EXPECT_FALSE(clock->HasWindow());
  EXPECT_EQ(static_cast<C_Clock&>(*clock).GetStyle(), 0);
}

} // namespace
