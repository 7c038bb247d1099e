#pragma once

#include <cstdint>
#include <mutex>

#include "render/GradientShape.h"
#include "render/PixelTargets.h"

namespace tonzug {

// A horizontal gradient: step i is a box over columns StepStart(i) .. StepStart(i + 1)
// spanning every row. All rows are alike, so a band paints one row and copies it.
class ColumnStrips final : public PaintsEveryTarget<ColumnStrips> {
  public:
    explicit ColumnStrips(const StepLayout& layout) : PaintsEveryTarget(layout) {}

    template <class Target>
    void PaintWith(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
    // 1, and the dither mask's side when dithered.
    std::int32_t RowPeriod(OutputFormat format) const override;

  private:
    // The rows that every full row repeats in an unrounded output (64 dithered rows, one
    // 16-bit row), made on first use and shared by all bands.
    template <class Target>
    struct RepeatedRows {
        std::once_flag made;
        typename Target::Band rows;
        bool complete = false;
    };

    // Paints the columns; false when some column shows no step.
    template <class Target>
    bool PaintColumns(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
    // The repeated rows of `like`'s output; null when some column shows no step.
    template <class Target>
    const typename Target::Band* RepeatingRows(const Target& like, StepPainter& painter) const;

    mutable PerExactTarget<RepeatedRows> repeatedRows_;
};

// A vertical gradient: step i is a box over rows StepStart(i) .. StepStart(i + 1)
// spanning every column; each row is one colour.
class RowStrips final : public PaintsEveryTarget<RowStrips> {
  public:
    explicit RowStrips(const StepLayout& layout) : PaintsEveryTarget(layout) {}

    template <class Target>
    void PaintWith(int firstColumn, int firstRow, Target& target, StepPainter& painter) const;
};

}  // namespace tonzug
