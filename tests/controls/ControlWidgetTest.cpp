#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <string>
#include <vector>

#include "controls/ControlWidget.h"

namespace {

// A control window with a name and nothing to invoke.
class NamedControl : public ControlWidget {
public:
  NamedControl(const char* name, QWidget* parent) : ControlWidget("{test}", parent) {
    setObjectName(name);
  }
  InvokeStatus Invoke(int32_t, InvokeKind, const std::vector<Variant>&, Variant*) override {
    return InvokeStatus::UnknownMember;
  }
};

// The widget children of `parent`, bottom first, by object name.
std::string Stacking(const QWidget& parent) {
  std::string order;
  for (QObject* o : parent.children()) {
    if (!o->isWidgetType()) continue;
    if (!order.empty()) order += ' ';
    order += o->objectName().toStdString();
  }
  return order;
}

class ControlWidgetTest : public ::testing::Test {
protected:
  QWidget surface;
  NamedControl* Make(const char* name) { return new NamedControl(name, &surface); }
};

TEST_F(ControlWidgetTest, RaisedWindowsGoToTheTopInTheOrderRaised) {
  NamedControl* a = Make("a");
  NamedControl* b = Make("b");
  Make("c");
  a->BringToTop();
  b->BringToTop();
  EXPECT_EQ(Stacking(surface), "c a b");
}

TEST_F(ControlWidgetTest, TopmostWindowsStayAboveWindowsRaisedLaterInTheirOwnOrder) {
  NamedControl* a = Make("a");
  NamedControl* t1 = Make("t1");
  NamedControl* t2 = Make("t2");
  NamedControl* b = Make("b");
  t1->SetTopmost(true);
  t2->SetTopmost(true);
  EXPECT_EQ(Stacking(surface), "a b t1 t2");
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "b a t1 t2");
  b->BringToTop();
  EXPECT_EQ(Stacking(surface), "a b t1 t2");
  // Raising a topmost window puts it at the top of the band.
  t1->BringToTop();
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "b a t2 t1");
}

TEST_F(ControlWidgetTest, ThreeAdjacentTopmostWindowsAllStayAbove) {
  NamedControl* a = Make("a");
  for (const char* name : {"t1", "t2", "t3"})
    Make(name)->SetTopmost(true);
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "a t1 t2 t3");
}

TEST_F(ControlWidgetTest, AWindowTakenOutOfTheBandIsRaisedLikeAnyOther) {
  NamedControl* a = Make("a");
  NamedControl* t = Make("t");
  t->SetTopmost(true);
  t->SetTopmost(false);
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "t a");
}

TEST_F(ControlWidgetTest, ADestroyedTopmostWindowLeavesTheBand) {
  NamedControl* a = Make("a");
  NamedControl* t1 = Make("t1");
  NamedControl* t2 = Make("t2");
  t1->SetTopmost(true);
  t2->SetTopmost(true);
  delete t1;
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "a t2");
}

TEST_F(ControlWidgetTest, ANewWindowAboveTheBandGoesBelowItWhenAnyWindowIsRaised) {
  NamedControl* t = Make("t");
  t->SetTopmost(true);
  NamedControl* fresh = Make("fresh");
  auto* frame = new QLabel(&surface);
  frame->setObjectName("frame");
  EXPECT_EQ(Stacking(surface), "t fresh frame");
  fresh->BringToTop();
  EXPECT_EQ(Stacking(surface), "frame fresh t");
}

TEST_F(ControlWidgetTest, EachParentHasABandOfItsOwn) {
  QWidget other;
  auto* t = new NamedControl("t", &other);
  t->SetTopmost(true);
  NamedControl* a = Make("a");
  Make("b");
  a->BringToTop();
  EXPECT_EQ(Stacking(surface), "b a");
  EXPECT_EQ(Stacking(other), "t");
}

// Counts the restacking events a window gets.
class RestackCounter : public QObject {
public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ZOrderChange) ++count;
    return false;
  }
};

TEST_F(ControlWidgetTest, RaisingAPageOfWindowsInOrderPutsThemOnTopInThatOrder) {
  NamedControl* p1 = Make("p1");
  Make("other");
  NamedControl* p2 = Make("p2");
  ControlWidget::BringAllToTop({p1, p2});
  EXPECT_EQ(Stacking(surface), "other p1 p2");

  // Already on top in that order: nothing is restacked at all.
  RestackCounter counter;
  p1->installEventFilter(&counter);
  p2->installEventFilter(&counter);
  ControlWidget::BringAllToTop({p1, p2});
  EXPECT_EQ(counter.count, 0);
  EXPECT_EQ(Stacking(surface), "other p1 p2");

  // In the other order they are raised again, one by one.
  ControlWidget::BringAllToTop({p2, p1});
  EXPECT_EQ(Stacking(surface), "other p2 p1");
  EXPECT_GT(counter.count, 0);
}

TEST_F(ControlWidgetTest, RaisingAPageKeepsTheTopmostBandAbove) {
  NamedControl* p1 = Make("p1");
  NamedControl* p2 = Make("p2");
  NamedControl* t = Make("t");
  t->SetTopmost(true);
  ControlWidget::BringAllToTop({p1, p2});
  EXPECT_EQ(Stacking(surface), "p1 p2 t");
  auto* frame = new QLabel(&surface); // a sibling that is no control, above the page
  frame->setObjectName("frame");
  ControlWidget::BringAllToTop({p1, p2});
  EXPECT_EQ(Stacking(surface), "frame p1 p2 t");
}

} // namespace
