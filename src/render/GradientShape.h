#pragma once

#include <cstdint>

#include "render/OutputFormat.h"

namespace tonzug {

class StepPainter;
class PlainTarget;
class DitherTarget;
class DeepTarget;

// The surface a shape is laid on and its steps: `count` steps (0 when nothing is drawn),
// each `size` pixels along the shape's axis.
struct StepLayout {
    int surfaceWidth = 0;
    int surfaceHeight = 0;
    std::int32_t count = 0;
    float size = 0.0f;

    // Where step `step` starts on the surface: its box edge or ring radius.
    float StepStart(std::int64_t step) const { return size * static_cast<float>(step); }
};

// Where a gradient's steps fall on the surface. For each pixel of a window of the surface
// a shape finds the step that shows there and paints what the step painter
// (render/GradientSteps.h) yields for it into a band of one output format
// (render/PixelTargets.h). The tricks that make it fast (rows that repeat, pixels
// mirrored about the centre, tables of its steps) are its own.
class GradientShape {
  public:
    explicit GradientShape(const StepLayout& layout) : layout_(layout) {}
    virtual ~GradientShape() = default;
    GradientShape(const GradientShape&) = delete;
    GradientShape& operator=(const GradientShape&) = delete;

    // Paints the window whose top-left pixel is (firstColumn, firstRow) into `target`;
    // pixels that no step covers keep their content. Called only with steps to draw, a
    // target of at least one pixel and firstColumn >= 0, and from several threads at once
    // (one painter each): what a shape prepares on first use it guards itself.
    virtual void Paint(int firstColumn, int firstRow, PlainTarget& target,
                       StepPainter& painter) const = 0;
    virtual void Paint(int firstColumn, int firstRow, DitherTarget& target,
                       StepPainter& painter) const = 0;
    virtual void Paint(int firstColumn, int firstRow, DeepTarget& target,
                       StepPainter& painter) const = 0;

    // The period with which the surface's rows repeat in `format`; 0 when they do not.
    virtual std::int32_t RowPeriod(OutputFormat /*format*/) const { return 0; }
    // Whether the painter should hold the word of every step: worth it when the shape
    // looks steps up far more often than there are steps.
    virtual bool WantsStepWords() const { return false; }

    const StepLayout& Layout() const { return layout_; }

  private:
    StepLayout layout_;
};

// The three Paint overloads of a shape whose painting is one template over the targets,
// Derived::PaintWith.
template <class Derived>
class PaintsEveryTarget : public GradientShape {
  public:
    using GradientShape::GradientShape;

    void Paint(int firstColumn, int firstRow, PlainTarget& target,
               StepPainter& painter) const final {
        Self().PaintWith(firstColumn, firstRow, target, painter);
    }
    void Paint(int firstColumn, int firstRow, DitherTarget& target,
               StepPainter& painter) const final {
        Self().PaintWith(firstColumn, firstRow, target, painter);
    }
    void Paint(int firstColumn, int firstRow, DeepTarget& target,
               StepPainter& painter) const final {
        Self().PaintWith(firstColumn, firstRow, target, painter);
    }

  private:
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
};

}  // namespace tonzug
