#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "app/RectTracker.h"

namespace {

TEST(RectTracker, HitCodesWithHandlesOutsideTheRectangle) {
  // Handles are 6 × 6 outside {100,100,200,160}; the side handles are centred (147…152,
  // 127…132).
  const RectTracker t = RectTracker::ForSelection(Rect{100, 100, 200, 160});
  const struct {
    Point p;
    int code;
  } cases[] = {
      {{97, 97}, RectTracker::TopLeft},       {{94, 94}, RectTracker::TopLeft},
      {{93, 94}, RectTracker::Nothing},       {{99, 99}, RectTracker::TopLeft},
      {{203, 97}, RectTracker::TopRight},     {{205, 165}, RectTracker::BottomRight},
      {{200, 160}, RectTracker::BottomRight}, {{97, 163}, RectTracker::BottomLeft},
      {{150, 97}, RectTracker::Top},          {{146, 97}, RectTracker::Nothing},
      {{203, 130}, RectTracker::Right},       {{150, 163}, RectTracker::Bottom},
      {{97, 130}, RectTracker::Left},         {{150, 130}, RectTracker::Middle},
      {{100, 100}, RectTracker::Middle},      {{199, 159}, RectTracker::Middle},
      {{200, 150}, RectTracker::Nothing},     {{130, 160}, RectTracker::Nothing},
      {{300, 300}, RectTracker::Nothing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(t.HitTest(c.p), c.code) << c.p.x << "," << c.p.y;
  }
}

TEST(RectTracker, HandlesDragTheirEdgesAndMiddleDragsTheWhole) {
  const Rect start{100, 100, 200, 160};
  const struct {
    int hit;
    Rect expected;
  } cases[] = {
      {RectTracker::TopLeft, {110, 107, 200, 160}},
      {RectTracker::TopRight, {100, 107, 210, 160}},
      {RectTracker::BottomRight, {100, 100, 210, 167}},
      {RectTracker::BottomLeft, {110, 100, 200, 167}},
      {RectTracker::Top, {100, 107, 200, 160}},
      {RectTracker::Right, {100, 100, 210, 160}},
      {RectTracker::Bottom, {100, 100, 200, 167}},
      {RectTracker::Left, {110, 100, 200, 160}},
      {RectTracker::Middle, {110, 107, 210, 167}},
  };
  for (const auto& c : cases) {
    RectTracker t = RectTracker::ForSelection(start);
    t.BeginDrag(c.hit, Point{50, 50}); // the edges move by the mouse's distance, not to it
    EXPECT_TRUE(t.Dragging());
    t.DragTo(Point{55, 53});
    t.DragTo(Point{60, 57});
    EXPECT_TRUE(t.EndDrag());
    EXPECT_FALSE(t.Dragging());
    EXPECT_EQ(t.rect, c.expected) << c.hit;
  }
}

TEST(RectTracker, SelectionKeepsItsMinimumAndCreationMayCrossItsAnchor) {
  RectTracker selection = RectTracker::ForSelection(Rect{100, 100, 200, 160});
  selection.BeginDrag(RectTracker::BottomRight, Point{200, 160});
  selection.DragTo(Point{0, 0}); // far past the top-left corner
  EXPECT_EQ(selection.rect, (Rect{100, 100, 112, 112}));
  selection.CancelDrag();
  EXPECT_EQ(selection.rect, (Rect{100, 100, 200, 160}));
  selection.BeginDrag(RectTracker::TopLeft, Point{100, 100});
  selection.DragTo(Point{300, 300});
  EXPECT_EQ(selection.rect, (Rect{188, 148, 200, 160}));

  RectTracker creation = RectTracker::ForCreation(Point{50, 40});
  EXPECT_EQ(creation.rect, (Rect{50, 40, 50, 40}));
  creation.BeginDrag(RectTracker::BottomRight, Point{50, 40});
  creation.DragTo(Point{20, 10});
  EXPECT_EQ(creation.rect, (Rect{50, 40, 20, 10}));
  creation.DragTo(Point{51, 40}); // one pixel wide, none high: no minimum
  EXPECT_EQ(creation.rect, (Rect{50, 40, 51, 40}));

  RectTracker still = RectTracker::ForSelection(Rect{0, 0, 10, 10});
  still.BeginDrag(RectTracker::Nothing, Point{5, 5});
  EXPECT_FALSE(still.Dragging());
  still.BeginDrag(RectTracker::Middle, Point{5, 5});
  EXPECT_FALSE(still.EndDrag()); // not moved
}

TEST(RectTracker, DrawsADottedOutlineAndBlackHandles) {
  QImage img(120, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    RectTracker::ForSelection(Rect{20, 20, 100, 80}).Draw(p);
  }
  int black = 0, white = 0;
  for (int x = 30; x < 90; ++x)
    (img.pixel(x, 20) == qRgb(0, 0, 0) ? black : white)++;
  EXPECT_GT(black, 10); // dotted: both along the top edge
  EXPECT_GT(white, 10);
  EXPECT_EQ(img.pixel(16, 16), qRgb(0, 0, 0));  // top-left handle
  EXPECT_EQ(img.pixel(103, 83), qRgb(0, 0, 0)); // bottom-right handle
  EXPECT_EQ(img.pixel(13, 13), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(60, 50), qRgb(255, 255, 255)); // the inside is left alone
}

} // namespace
