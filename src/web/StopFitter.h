#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace tonzug {

// Channels red, green, blue, and with alpha as a fourth (0..255, straight) for pictures
// with transparency.
inline constexpr std::size_t kColorChannels = 3;
inline constexpr std::size_t kAlphaChannels = 4;
template <std::size_t kCount>
using ChannelArray = std::array<double, kCount>;
template <std::size_t kCount>
using WholeChannelArray = std::array<int, kCount>;
using Channels = ChannelArray<kColorChannels>;
using WholeChannels = WholeChannelArray<kColorChannels>;

// One point along a gradient's axis, in pixels. A sample is where the picture shows a
// step's colour (`channels` unrounded); the fit may pass it by. A fixed point is always
// a stop, with the whole `channels` it carries (a band's edge, either side of a hard edge).
template <std::size_t kCount>
struct AxisPointOf {
    enum class Kind { kSample, kFixed };
    Kind kind = Kind::kSample;
    double position = 0.0;
    ChannelArray<kCount> channels{};
    // Widens a sample's tolerance in the colour channels, not in alpha: a faint colour
    // shows only as far as its alpha lets it.
    double colorSlack = 1.0;
};
using AxisPoint = AxisPointOf<kColorChannels>;

template <std::size_t kCount>
struct FittedStopOf {
    double position = 0.0;
    WholeChannelArray<kCount> color{};

    friend bool operator==(const FittedStopOf&, const FittedStopOf&) = default;
};
using FittedStop = FittedStopOf<kColorChannels>;

// Puts the fewest stops, found greedily, through a stream of points, so that a straight
// blend in sRGB between consecutive stops (which every browser draws) passes within
// `tolerance` of every sample in each channel. Stop colours are whole channels (#rrggbb).
// With alpha, each of the four channels is blended straight, as SVG renderers do.
//
// From the last stop, a cone of slopes per channel holds every line that still meets all
// samples passed; the fit goes on while the cone is open and then places a stop at the
// farthest sample that a whole colour could end the line at. Only the points after that
// sample are kept for the next line, so each point is looked at a few times at most and
// the time follows the number of points.
template <std::size_t kCount>
class StopFitterOf {
  public:
    using Point = AxisPointOf<kCount>;
    using Stop = FittedStopOf<kCount>;
    using Whole = WholeChannelArray<kCount>;

    // Stops beyond maxStops fail the fit (Add and Finish return false from then on).
    StopFitterOf(double tolerance, std::size_t maxStops);

    // Points come in order of position.
    bool Add(const Point& point);
    // Ends the line at the last point; the stops are complete after this.
    bool Finish();

    const std::vector<Stop>& Stops() const { return stops_; }

  private:
    // A sample and the cone just after it was taken: the colour that ends a line there is
    // worked out only when the line does end there.
    struct Endpoint {
        Point point;
        ChannelArray<kCount> lowSlope{};
        ChannelArray<kCount> highSlope{};
    };

    // Takes the point on the current line; false when it cannot be taken and the line has
    // to end at the last feasible sample first.
    bool Take(const Point& point);
    // Whether a whole colour at the sample ends a line through all samples taken.
    bool HasWholeEnd(const Point& sample) const;
    // That colour, the nearest to the sample's.
    Whole EndColor(const Endpoint& end) const;
    bool LineReaches(const Point& point, const Whole& color) const;
    void EndLineAtFeasible(const Point& refused);
    void StartLine(double position, const Whole& color);
    void Emit(double position, const Whole& color);

    double tolerance_;
    std::size_t maxStops_;
    bool failed_ = false;
    bool started_ = false;
    double anchorPosition_ = 0.0;
    Whole anchorColor_{};
    ChannelArray<kCount> lowSlope_{};
    ChannelArray<kCount> highSlope_{};
    // The farthest sample a line can end at, and the samples taken after it.
    std::optional<Endpoint> feasible_;
    std::deque<Point> afterFeasible_;
    std::deque<Point> queue_;
    std::vector<Stop> stops_;
};
using StopFitter = StopFitterOf<kColorChannels>;
using AlphaStopFitter = StopFitterOf<kAlphaChannels>;

// The largest and mean channel difference between the samples and the blend the stops
// draw there (the browser's straight sRGB blend, flat before the first and after the last
// stop).
struct FitError {
    double largest = 0.0;
    double mean = 0.0;
};

class FitErrorMeter {
  public:
    explicit FitErrorMeter(const std::vector<FittedStop>& stops) : stops_(stops) {}
    // Samples come in order of position.
    void Add(double position, const Channels& channels);
    FitError Result() const;

  private:
    const std::vector<FittedStop>& stops_;
    std::size_t next_ = 0;
    double largest_ = 0.0;
    double sum_ = 0.0;
    std::size_t count_ = 0;
};

}  // namespace tonzug
