// A test body whose centre is a plain point, over any motion base: the shapes' pseudo-centres
// are this point, and moving or placing it moves the point.
#pragma once

template <class Base>
class TestPointBody : public Base {
 public:
  using Base::setCenter;
  float getXCenter() const override { return x; }
  float getYCenter() const override { return y; }
  void move(float dx, float dy) override {
    x += dx;
    y += dy;
  }
  void setCenter(float newX, float newY) override {
    x = newX;
    y = newY;
  }
  float x = 0, y = 0;
};
