// A small repeatable number sequence, so that every build draws the same ice, bricks and grains.
#pragma once

class Dice {
  public:
    explicit Dice(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    double Next() {
        state_ = state_ * 1103515245u + 12345u;
        return ((state_ >> 8) & 0xFFFF) / 65535.0;
    }
    double Between(double low, double high) { return low + (high - low) * Next(); }

  private:
    unsigned state_;
};
