#include <gtest/gtest.h>

#include "geometry/Circle.h"
#include "presentation/Mouse.h"

class TestGeoCircle : public Circle {
 public:
  using Circle::Circle;
  Color getColorField() const { return color; }
  bool filled() const { return bFilled; }
};

TEST(CircleTest, InsideIsStrictlyCloserThanTheRadius) {
  TestGeoCircle circle(0, 0, 10);
  struct Case {
    double x, y;
    bool inside;
  } cases[] = {{9.99, 0, true}, {10, 0, false}, {0, -9.99, true}, {0, 10, false},
               {6, 8, false},   {6, 7.9, true}, {0, 0, true},     {-11, 0, false}};
  for (auto const& c : cases) {
    EXPECT_EQ(circle.isPtIn(Point(c.x, c.y)), c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(circle.isPtIn(static_cast<float>(c.x), static_cast<float>(c.y)), c.inside);
  }
}

TEST(CircleTest, ConstructorsSetCentreRadiusAndColour) {
  TestGeoCircle byDefault;
  EXPECT_EQ(byDefault.getCenter(), Point(400, 300));
  EXPECT_EQ(byDefault.getR(), 5);
  EXPECT_EQ(byDefault.getColorField(), getColor("blue"));
  EXPECT_FALSE(byDefault.filled());

  TestGeoCircle fromPoint(Point(1.5, 2.5), 7);
  EXPECT_EQ(fromPoint.getCenter(), Point(1.5, 2.5));
  EXPECT_EQ(fromPoint.getR(), 7);
  EXPECT_EQ(fromPoint.getColorField(), getColor("blue"));

  TestGeoCircle fromFloats(3, 4, 8);
  EXPECT_EQ(fromFloats.getCenter(), Point(3, 4));
  EXPECT_EQ(fromFloats.getColorField(), getColor("green"));
  EXPECT_FALSE(fromFloats.filled());
}

TEST(CircleTest, MovingAndResizing) {
  TestGeoCircle circle(0, 0, 1);
  circle.move(3, -4);
  EXPECT_EQ(circle.getCenter(), Point(3, -4));
  circle.setCenter(Point(10, 20));
  EXPECT_EQ(circle.getXCenter(), 10);
  EXPECT_EQ(circle.getYCenter(), 20);
  circle.setCenter(5.0f, 6.0f);
  EXPECT_EQ(circle.getCenter(), Point(5, 6));
  circle.setR(3);
  EXPECT_TRUE(circle.isPtIn(Point(7.9, 6)));
  circle.setRadius(2);
  EXPECT_FALSE(circle.isPtIn(Point(7.9, 6)));
  circle.setColorTo(Color(1, 2, 3));
  EXPECT_EQ(circle.getColorField(), Color(1, 2, 3));
  circle.setColors(Color(4, 5, 6));
  EXPECT_EQ(circle.getColorField(), Color(4, 5, 6));
  circle.setColor(7, 8, 9);
  EXPECT_EQ(circle.getColorField(), Color(7, 8, 9));
}

TEST(CircleTest, MovesByItsVelocityAsAShape) {
  TestGeoCircle circle(0, 0, 1);
  circle.SimpleMobile::setVelocity(Point(2, 3));
  circle.handleMovement();
  EXPECT_EQ(circle.getCenter(), Point(2, 3));
}

TEST(CircleTest, ClickedWhenTheMouseIsReleasedInside) {
  TestGeoCircle circle(100, 100, 10);
  mouse.x = 105;
  mouse.y = 100;
  mouse.bLeft = false;
  mouse.bLastLeft = true;
  EXPECT_TRUE(circle.isClicked());
  mouse.x = 110;
  EXPECT_FALSE(circle.isClicked());
}
