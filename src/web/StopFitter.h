#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace tonzug {

// Channels red, green, blue.
using Channels = std::array<double, 3>;
using WholeChannels = std::array<int, 3>;

// One point along a gradient's axis, in pixels. A sample is where the picture shows a
// step's colour (`channels` unrounded); the fit may pass it by. A fixed point is always
// a stop, with the whole `channels` it carries (a band's edge, either side of a hard edge).
struct AxisPoint {
    enum class Kind { kSample, kFixed };
    Kind kind = Kind::kSample;
    double position = 0.0;
    Channels channels{};
};

struct FittedStop {
    double position = 0.0;
    WholeChannels color{};

    friend bool operator==(const FittedStop&, const FittedStop&) = default;
};

// Puts the fewest stops, found greedily, through a stream of points, so that a straight
// blend in sRGB between consecutive stops (which every browser draws) passes within
// `tolerance` of every sample in each channel. Stop colours are whole channels (#rrggbb).
//
// From the last stop, a cone of slopes per channel holds every line that still meets all
// samples passed; the fit goes on while the cone is open and then places a stop at the
// farthest sample that a whole colour could end the line at. Only the points after that
// sample are kept for the next line, so each point is looked at a few times at most and
// the time follows the number of points.
class StopFitter {
  public:
    // Stops beyond maxStops fail the fit (Add and Finish return false from then on).
    StopFitter(double tolerance, std::size_t maxStops);

    // Points come in order of position.
    bool Add(const AxisPoint& point);
    // Ends the line at the last point; the stops are complete after this.
    bool Finish();

    const std::vector<FittedStop>& Stops() const { return stops_; }

  private:
    // A sample and the cone just after it was taken: the colour that ends a line there is
    // worked out only when the line does end there.
    struct Endpoint {
        AxisPoint point;
        Channels lowSlope{};
        Channels highSlope{};
    };

    // Takes the point on the current line; false when it cannot be taken and the line has
    // to end at the last feasible sample first.
    bool Take(const AxisPoint& point);
    // Whether a whole colour at the sample ends a line through all samples taken.
    bool HasWholeEnd(const AxisPoint& sample) const;
    // That colour, the nearest to the sample's.
    WholeChannels EndColor(const Endpoint& end) const;
    bool LineReaches(const AxisPoint& point, const WholeChannels& color) const;
    void EndLineAtFeasible(const AxisPoint& refused);
    void StartLine(double position, const WholeChannels& color);
    void Emit(double position, const WholeChannels& color);

    double tolerance_;
    std::size_t maxStops_;
    bool failed_ = false;
    bool started_ = false;
    double anchorPosition_ = 0.0;
    WholeChannels anchorColor_{};
    Channels lowSlope_{};
    Channels highSlope_{};
    // The farthest sample a line can end at, and the samples taken after it.
    std::optional<Endpoint> feasible_;
    std::deque<AxisPoint> afterFeasible_;
    std::deque<AxisPoint> queue_;
    std::vector<FittedStop> stops_;
};

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
