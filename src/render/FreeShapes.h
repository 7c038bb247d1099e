#pragma once

#include <span>

#include "render/FreeGradient.h"

namespace tonzug {

// The angle of a linear gradient in degrees as CSS measures it (clockwise from up), "to" a
// side or corner resolved on a box of width x height.
double DirectionDegrees(const LinearDirection& direction, double width, double height);

// Where the pixels of a box lie on a free gradient's line, as CSS Images 4 places them:
// each pixel at its centre, in line units (0 at the start of the gradient line, 1 at its
// end; a full turn for conic gradients).
class FreePlacement {
  public:
    FreePlacement(const FreeGradient& gradient, double width, double height);

    // The gradient line in pixels (the ray to the ending shape for radial gradients), or
    // 360 for conic ones, against which absolute stop positions count.
    double LineLength() const { return lineLength_; }

    // About how many pixels of the box one unit of the line spans where it spans the
    // most: the line for linear gradients, the longer radius (at most the diagonal) for
    // radial ones, the circle through the farthest corner for conic ones.
    double PixelsPerUnit() const { return pixelsPerUnit_; }

    // The line position of the point (x, y) of the box.
    double PositionAt(double x, double y) const;
    // The positions of the points firstX + stepX * (firstStep + i), y for each i of
    // `positions`, in loops the compiler turns into vector code: as PositionAt gives them,
    // but for conic gradients, whose angle is found by a polynomial within 4e-11 of a radian.
    void PositionsAlongRow(double firstX, double stepX, double y, int firstStep,
                           std::span<double> positions) const;
    // The same for a preview, in single precision and twice the lanes at once: each position
    // within a few roundings of a float of the largest one the box holds (conic angles within
    // 2e-7 of a turn).
    void RoughPositionsAlongRow(double firstX, double stepX, double y, int firstStep,
                                std::span<float> positions) const;

    // The geometry behind the positions, for writers that describe the gradient instead of
    // painting it. Linear: the unit direction of the line, which runs through the centre of
    // the box; radial: the centre and radii; conic: the centre and the start in turns.
    double CenterX() const { return centerX_; }
    double CenterY() const { return centerY_; }
    double DirectionX() const { return directionX_; }
    double DirectionY() const { return directionY_; }
    double RadiusX() const { return 1.0 / inverseRadiusX_; }
    double RadiusY() const { return 1.0 / inverseRadiusY_; }
    double StartTurns() const { return startTurns_; }

  private:
    FreeShape shape_;
    double lineLength_ = 1.0;
    double pixelsPerUnit_ = 1.0;
    // Linear: the unit direction and the offset that puts the line's start at 0.
    double directionX_ = 0.0;
    double directionY_ = 0.0;
    double centerX_ = 0.0;
    double centerY_ = 0.0;
    // Radial: the reciprocal radii; conic: the start angle in turns.
    double inverseRadiusX_ = 0.0;
    double inverseRadiusY_ = 0.0;
    double startTurns_ = 0.0;
};

}  // namespace tonzug
