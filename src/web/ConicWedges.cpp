#include "web/ConicWedges.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "web/FreeSvgLine.h"
#include "web/SvgText.h"

namespace tonzug {
namespace {

// Angles are sampled at least this often per pixel at the farthest corner: a run of one
// colour narrower than a pixel there may be missed, but no wider one.
constexpr double kSamplesPerPixel = 2.0;
constexpr double kMinSamples = 16.0;
constexpr double kMaxSamples = double{1 << 22};
// Edges are sought until they are known to this fraction of a pixel at the farthest corner.
constexpr double kEdgePrecision = 1e-4;
// A wedge's rim runs this far out, in distances to the farthest corner: with a corner at
// least every quarter turn, its chords stay outside the picture.
constexpr double kRimFactor = 2.0;
constexpr double kQuarterTurn = 0.25;
constexpr int kCoordinateDecimals = 3;

using ShownLevels = WholeChannelArray<kAlphaChannels>;

struct Run {
    double start = 0.0;  // in turns, 0 up, clockwise
    ShownLevels levels{};
};

class Fan {
  public:
    Fan(const FreePlacement& placement, const FreeColorLine& line, std::int32_t width,
        std::int32_t height)
        : line_(line),
          centerX_(placement.CenterX()),
          centerY_(placement.CenterY()),
          startTurns_(placement.StartTurns()) {
        for (const auto& [x, y] : Corners(width, height)) {
            reach_ = std::max(reach_, std::hypot(x - centerX_, y - centerY_));
        }
        FindArc(width, height);
    }

    std::vector<Run> Runs() const {
        const double count =
            std::clamp(std::ceil(arcTurns_ * 2.0 * std::numbers::pi * reach_ * kSamplesPerPixel),
                       kMinSamples, kMaxSamples);
        const double step = arcTurns_ / count;
        const double precision = kEdgePrecision / (2.0 * std::numbers::pi * std::max(reach_, 1.0));
        std::vector<Run> runs{{arcStart_, LevelsAt(arcStart_)}};
        double last = arcStart_;
        for (double i = 1.0; i <= count; i += 1.0) {
            const double turn = arcStart_ + step * i;
            const ShownLevels levels = LevelsAt(turn);
            // Several edges may lie between two samples: each is sought in turn.
            while (levels != runs.back().levels) {
                double inside = last;
                double beyond = turn;
                while (beyond - inside > precision) {
                    const double middle = (inside + beyond) / 2.0;
                    (LevelsAt(middle) == runs.back().levels ? inside : beyond) = middle;
                }
                runs.push_back({beyond, LevelsAt(beyond)});
                last = beyond;
            }
            last = turn;
        }
        return runs;
    }

    double ArcEnd() const { return arcStart_ + arcTurns_; }

    // A pixel whose centre is the fan's centre belongs to no wedge for sure: it is painted
    // on its own, in the colour the picture gives it.
    std::string CenterPixel(const FreePlacement& placement, std::int32_t width,
                            std::int32_t height) const {
        const double column = centerX_ - 0.5;
        const double row = centerY_ - 0.5;
        if (column != std::floor(column) || row != std::floor(row) || column < 0.0 || row < 0.0 ||
            column >= width || row >= height) {
            return "";
        }
        const ShownLevels levels = LevelsOf(placement.PositionAt(centerX_, centerY_));
        if (levels[3] == 0) {
            return "";
        }
        return "<rect" + Attribute("x", DecimalText(column, 0)) +
               Attribute("y", DecimalText(row, 0)) + Attribute("width", "1") +
               Attribute("height", "1") + PaintAttributes("fill", "fill-opacity", levels) + "/>\n";
    }

    std::string Wedge(double from, double to, const ShownLevels& levels) const {
        std::string path = "M";
        path += Coordinates(centerX_, centerY_);
        for (double turn = from; turn < to; turn += kQuarterTurn) {
            path += 'L';
            path += RimPoint(turn);
        }
        path += 'L';
        path += RimPoint(to);
        path += 'Z';
        return "<path" + Attribute("d", path) + PaintAttributes("fill", "fill-opacity", levels) +
               "/>\n";
    }

  private:
    static std::array<std::array<double, 2>, 4> Corners(double width, double height) {
        return {{{0.0, 0.0}, {width, 0.0}, {0.0, height}, {width, height}}};
    }

    // The turns the picture's pixels lie in: all of them around a centre within the box,
    // else the smallest arc that holds the four corners.
    void FindArc(double width, double height) {
        if (centerX_ >= 0.0 && centerX_ <= width && centerY_ >= 0.0 && centerY_ <= height) {
            return;
        }
        std::vector<double> turns;
        for (const auto& [x, y] : Corners(width, height)) {
            const double turn = std::atan2(x - centerX_, centerY_ - y) / (2.0 * std::numbers::pi);
            turns.push_back(turn - std::floor(turn));
        }
        std::sort(turns.begin(), turns.end());
        double widestGap = turns.front() + 1.0 - turns.back();
        arcStart_ = turns.front();
        for (std::size_t i = 1; i < turns.size(); ++i) {
            if (turns[i] - turns[i - 1] > widestGap) {
                widestGap = turns[i] - turns[i - 1];
                arcStart_ = turns[i];
            }
        }
        arcTurns_ = 1.0 - widestGap;
    }

    // The levels the picture rounds the colour at an angle to; every transparent colour
    // alike.
    ShownLevels LevelsAt(double turn) const {
        double position = turn - startTurns_;
        position -= std::floor(position);
        return LevelsOf(position);
    }

    ShownLevels LevelsOf(double position) const {
        const AlphaChannels shown = ShownColor(line_, position);
        ShownLevels levels{};
        for (std::size_t c = 0; c < levels.size(); ++c) {
            levels[c] = static_cast<int>(std::nearbyint(shown[c]));
        }
        return levels[3] == 0 ? ShownLevels{} : levels;
    }

    std::string RimPoint(double turn) const {
        const double angle = 2.0 * std::numbers::pi * turn;
        const double rim = kRimFactor * reach_ + 1.0;
        return Coordinates(centerX_ + rim * std::sin(angle), centerY_ - rim * std::cos(angle));
    }

    static std::string Coordinates(double x, double y) {
        return DecimalText(x, kCoordinateDecimals) + " " + DecimalText(y, kCoordinateDecimals);
    }

    const FreeColorLine& line_;
    double centerX_;
    double centerY_;
    double startTurns_;
    double reach_ = 0.0;
    double arcStart_ = 0.0;
    double arcTurns_ = 1.0;
};

}  // namespace

std::string ConicWedges(const FreePlacement& placement, const FreeColorLine& line,
                        std::int32_t width, std::int32_t height) {
    const Fan fan(placement, line, width, height);
    const std::vector<Run> runs = fan.Runs();
    std::string body = "<g shape-rendering=\"crispEdges\">\n";
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].levels[3] == 0) {
            continue;  // nothing to draw
        }
        const double end = i + 1 < runs.size() ? runs[i + 1].start : fan.ArcEnd();
        body += fan.Wedge(runs[i].start, end, runs[i].levels);
    }
    return body + fan.CenterPixel(placement, width, height) + "</g>\n";
}

}  // namespace tonzug
