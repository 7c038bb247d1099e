#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "render/FreeColorLine.h"
#include "render/FreeGradient.h"
#include "render/FreeShapes.h"
#include "render/PictureRenderer.h"
#include "render/RampLine.h"

namespace tonzug {

// Whether any colour of the gradient's line can be transparent: a stop's alpha below 1.
bool CanBeTransparent(const FreeGradient& gradient);

// How closely a picture follows the exact colours. Exports take them exactly; an opaque 8-bit
// preview, redrawn while a stop or the angle is dragged, may differ from them by a level per
// channel: next to a stop it blends a finer table instead of working out each pixel's colour,
// and finds conic angles and dithers in single precision.
enum class FreePrecision { kExact, kPreview };

// Paints a free gradient on a box of width x height pixels, each pixel the colour at its
// centre, brought into sRGB by the CSS gamut mapping; where it is transparent laid over
// white, or kept with straight alpha (PictureAlpha::kStraight) as the CSS premultiplied
// blend gives it, un-premultiplied. The colour line is held in a table fine enough that a pixel
// between two entries differs from the exact colour by far less than a level; near a stop, where
// the colour may jump or bend, pixels are worked out exactly.
class FreeRenderer final : public PictureRenderer {
  public:
    FreeRenderer(const FreeGradient& gradient, int width, int height,
                 PictureAlpha alpha = PictureAlpha::kOpaque);
    // The picture of width x height drawn on a surface of another size, as a preview shows
    // it: surface pixel (x, y) shows the picture at its centre scaled to the picture.
    FreeRenderer(const FreeGradient& gradient, int width, int height, int surfaceWidth,
                 int surfaceHeight, PictureAlpha alpha = PictureAlpha::kOpaque,
                 FreePrecision precision = FreePrecision::kExact);

    void RenderRegion(int firstColumn, int firstRow, Raster& region,
                      OutputFormat format = OutputFormat::kPlain8) const override;
    void RenderRegion(int firstColumn, int firstRow, Raster16& region) const override;
    PictureAlpha Alpha() const override { return alpha_; }
    void RenderStraightRegion(int firstColumn, int firstRow, Raster16Alpha& region) const override;
    std::int32_t RowPeriod(OutputFormat format) const override;
    bool ReadsLargeTable() const override { return !entries_.empty(); }

    // The unrounded output colour (channels 0..255) at a line position, laid over white.
    ExactColor ColorAt(double position) const;
    // The same with straight alpha (0..255).
    ExactStraight StraightColorAt(double position) const;

  private:
    ExactColor ExactAt(double position) const;
    ExactStraight ExactStraightAt(double position) const;
    // ExactStraightAt of each position, the gamut mappings made together.
    void ExactStraightsAt(std::span<const double> positions, std::span<ExactStraight> colors) const;
    // The one colour of the line where a position lies beyond its stops; nothing within.
    const ExactStraight* EndColorAt(double position) const;
    // The table cell that holds a position and how far into it; nothing where the colour
    // is worked out exactly instead.
    struct TableCell {
        std::size_t index;
        double within;
    };
    TableCell CellOf(double position) const;
    std::optional<TableCell> TableCellOf(double position) const;
    ExactColor TableColorAt(double position) const;
    ExactStraight TableStraightAt(double position) const;
    // Where a part of a row lies: its pixels at firstX + scaleX_ * (firstStep + i), y.
    struct RowPlace {
        double firstX;
        double y;
        int firstStep;
    };
    double ExactPositionOf(const RowPlace& place, std::size_t i) const;
    // For each position of a part of a row: onTable(i, cell, within) where the table holds
    // it, else onExact(i, exact straight colour), those worked out together.
    template <class OnTable, class OnExact>
    void ForEachInPart(std::span<const double> positions, OnTable onTable, OnExact onExact) const;
    // onExact(pixels[k], colour) for positions the table does not hold: the end colours, a
    // preview's fine colours, the rest worked out exactly together.
    template <class OnExact>
    void ForEachLeftOver(std::span<const std::size_t> pixels, std::span<const double> positions,
                         OnExact onExact) const;
    // The same as ForEachInPart for a preview's part of `count` pixels, from rough positions:
    // onBlend(i, plain cell, within) where the table holds it.
    template <class OnBlend, class OnExact>
    void ForEachRoughInPart(const RowPlace& place, std::size_t count, OnBlend onBlend,
                            OnExact onExact) const;
    // The plain and the dithered 8-bit words of the positions of a part of a row.
    void PlainWordsAt(std::span<const double> positions, std::uint32_t* words) const;
    void DitheredWordsAt(std::span<const double> positions, int firstColumn, int row,
                         std::uint32_t* words) const;
    // The same for a preview's part of `count` pixels.
    void RoughWordsAt(const RowPlace& place, std::size_t count, OutputFormat format,
                      int firstColumn, int row, std::uint32_t* words) const;
    // Calls paintRow(k, firstColumnOfPart, columnsOfPart, place) for the parts of each row.
    template <class PaintRow>
    void ForEachPartOfRow(int firstColumn, int firstRow, int columns, int rows,
                          PaintRow paintRow) const;
    // Calls paintRow(k, firstColumnOfPart, positions) for the parts of each row.
    template <class PaintRow>
    void ForEachRow(int firstColumn, int firstRow, int columns, int rows, PaintRow paintRow) const;
    // Calls write(k, column, colorOf(position)) for each pixel.
    template <class Color, class ColorOf, class Write>
    void ForEachPixel(int firstColumn, int firstRow, int columns, int rows, ColorOf colorOf,
                      Write write) const;

    FreePlacement placement_;
    FreeColorLine line_;
    // Picture pixels per surface pixel, each way.
    double scaleX_ = 1.0;
    double scaleY_ = 1.0;
    bool repeats_ = false;
    bool horizontal_ = false;
    PictureAlpha alpha_ = PictureAlpha::kOpaque;
    FreePrecision precision_ = FreePrecision::kExact;
    // The colours before the first stop and from the last one on, for EndColorAt.
    ExactStraight beforeLine_;
    ExactStraight afterLine_;
    // Entries at First() + i * entryStep_; cell i (between entries i and i + 1) is exact
    // when it holds a joint of the colour line. Opaque pictures hold the colours laid over
    // white; straight ones the colours multiplied by alpha, and alpha in alphas_, so that
    // a pixel between two entries takes the premultiplied blend CSS makes.
    std::vector<ExactColor> entries_;
    std::vector<double> alphas_;
    std::vector<std::uint8_t> exactCells_;
    // Cell i for the plain 8-bit words of an opaque picture: entry i and the step to entry i + 1,
    // blue, green, red and the opaque alpha, in the order of the word's bytes.
    using FourChannels = float __attribute__((vector_size(16)));
    struct PlainCell {
        FourChannels start;
        FourChannels change;
    };
    std::vector<PlainCell> plainCells_;
    // In a preview, each exact cell but the last split into fine cells with entries of their
    // own: fineTables_ holds, per cell, the index of its first fine entry, or kNoFineTable.
    // Fine cell k (entries k and k + 1) stays exact where fineExact_[k] is set: at a joint.
    std::vector<std::int32_t> fineTables_;
    std::vector<ExactColor> fineEntries_;
    std::vector<std::uint8_t> fineExact_;
    // The preview colour of a position in exact cell `index`, `within` into it; nothing where
    // the fine table does not hold it.
    std::optional<ExactColor> FineColorAt(double position) const;
    void BuildFineTables();
    // In a preview, whose positions are rough, the cells whose pixels take exact positions: those
    // the table does not hold, and those whose colour changes so fast that a rough position's
    // error would show, with their neighbours. `reach`: the farthest the box's positions lie
    // from 0 on the line.
    std::vector<std::uint8_t> roughRoutes_;
    void MarkRoughRoutes(double reach);
    // The table's entries at `indices`, worked out exactly; in a preview, those of blocks where
    // the colour line is smooth blended from fewer.
    void WorkOutEntries(std::span<const std::size_t> indices);
    void WorkOutSmoothEntries();
    double entryStep_ = 0.0;
    double cellsPerUnit_ = 0.0;
    double lastCell_ = 0.0;
};

}  // namespace tonzug
