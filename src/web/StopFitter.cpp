#include "web/StopFitter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tonzug {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kLargestChannel = 255;
// Room for the rounding of the slopes themselves when a whole colour is sought.
constexpr double kWholeSlack = 1e-9;

// floor and ceil for the channel levels a line can reach (far less than 2^20 from 0), by
// truncation, which needs no call into the maths library on every sample.
constexpr double kFloorOffset = 1 << 20;
double FloorLevel(double x) {
    return static_cast<double>(static_cast<std::int64_t>(x + kFloorOffset)) - kFloorOffset;
}
double CeilLevel(double x) {
    return -FloorLevel(-x);
}

template <std::size_t kCount>
WholeChannelArray<kCount> RoundWhole(const ChannelArray<kCount>& channels) {
    WholeChannelArray<kCount> whole{};
    for (std::size_t c = 0; c < kCount; ++c) {
        whole[c] = std::clamp(static_cast<int>(std::lround(channels[c])), 0, kLargestChannel);
    }
    return whole;
}

}  // namespace

template <std::size_t kCount>
StopFitterOf<kCount>::StopFitterOf(double tolerance, std::size_t maxStops)
    : tolerance_(tolerance), maxStops_(maxStops) {}

template <std::size_t kCount>
bool StopFitterOf<kCount>::Add(const Point& point) {
    if (failed_) {
        return false;
    }
    if (Take(point)) {
        return true;  // the usual case, without the queue
    }
    EndLineAtFeasible(point);
    while (!queue_.empty() && !failed_) {
        const Point next = queue_.front();
        queue_.pop_front();
        if (!Take(next)) {
            EndLineAtFeasible(next);
        }
    }
    return !failed_;
}

template <std::size_t kCount>
bool StopFitterOf<kCount>::Finish() {
    // The last sample may take no whole colour on the line so far: end earlier lines
    // until it is reached.
    while (!failed_ && !afterFeasible_.empty()) {
        const Point last = afterFeasible_.back();
        afterFeasible_.pop_back();
        EndLineAtFeasible(last);
        while (!queue_.empty() && !failed_) {
            const Point next = queue_.front();
            queue_.pop_front();
            if (!Take(next)) {
                EndLineAtFeasible(next);
            }
        }
    }
    if (!failed_ && feasible_) {
        Emit(feasible_->point.position, EndColor(*feasible_));
        feasible_.reset();
    }
    return !failed_;
}

template <std::size_t kCount>
bool StopFitterOf<kCount>::Take(const Point& point) {
    if (!started_) {
        const Whole color = RoundWhole(point.channels);
        Emit(point.position, color);
        StartLine(point.position, color);
        return true;
    }
    const double run = point.position - anchorPosition_;
    if (point.kind == Point::Kind::kFixed) {
        const Whole color = RoundWhole(point.channels);
        if (feasible_ && !LineReaches(point, color)) {
            return false;
        }
        Emit(point.position, color);
        StartLine(point.position, color);
        return true;
    }
    if (!(run > 0.0)) {
        return true;  // a sample on the stop itself: the stop's colour was chosen there
    }
    ChannelArray<kCount> low = lowSlope_;
    ChannelArray<kCount> high = highSlope_;
    const double perRun = 1.0 / run;
    for (std::size_t c = 0; c < kCount; ++c) {
        const double offset = point.channels[c] - anchorColor_[c];
        const double tolerance = c < kColorChannels ? tolerance_ * point.colorSlack : tolerance_;
        low[c] = std::max(low[c], (offset - tolerance) * perRun);
        high[c] = std::min(high[c], (offset + tolerance) * perRun);
        if (low[c] > high[c]) {
            return false;
        }
    }
    lowSlope_ = low;
    highSlope_ = high;
    if (HasWholeEnd(point)) {
        feasible_ = Endpoint{point, lowSlope_, highSlope_};
        afterFeasible_.clear();
    } else {
        afterFeasible_.push_back(point);
    }
    return true;
}

template <std::size_t kCount>
bool StopFitterOf<kCount>::HasWholeEnd(const Point& sample) const {
    const double run = sample.position - anchorPosition_;
    for (std::size_t c = 0; c < kCount; ++c) {
        const double lowest = anchorColor_[c] + lowSlope_[c] * run;
        const double highest = anchorColor_[c] + highSlope_[c] * run;
        // A range a level wide within the channel's holds a whole level; only narrower ones
        // and those reaching beyond (a faint sample's colour) need looking at.
        const bool mayMiss = highest - lowest < 1.0 || lowest > kLargestChannel || highest < 0.0;
        if (mayMiss && std::max(CeilLevel(lowest - kWholeSlack), 0.0) >
                           std::min(FloorLevel(highest + kWholeSlack), double{kLargestChannel})) {
            return false;
        }
    }
    return true;
}

template <std::size_t kCount>
typename StopFitterOf<kCount>::Whole StopFitterOf<kCount>::EndColor(const Endpoint& end) const {
    const double run = end.point.position - anchorPosition_;
    Whole color{};
    for (std::size_t c = 0; c < kCount; ++c) {
        const double lowest = anchorColor_[c] + end.lowSlope[c] * run;
        const double highest = anchorColor_[c] + end.highSlope[c] * run;
        const double first = std::max(CeilLevel(lowest - kWholeSlack), 0.0);
        const double last = std::min(FloorLevel(highest + kWholeSlack), double{kLargestChannel});
        color[c] = static_cast<int>(
            std::clamp(FloorLevel(end.point.channels[c] + 0.5), first, std::max(first, last)));
    }
    return color;
}

template <std::size_t kCount>
bool StopFitterOf<kCount>::LineReaches(const Point& point, const Whole& color) const {
    const double run = point.position - anchorPosition_;
    if (!(run > 0.0)) {
        return false;
    }
    for (std::size_t c = 0; c < kCount; ++c) {
        const double slope = (color[c] - anchorColor_[c]) / run;
        const double slack = kWholeSlack / run;
        if (slope < lowSlope_[c] - slack || slope > highSlope_[c] + slack) {
            return false;
        }
    }
    return true;
}

template <std::size_t kCount>
void StopFitterOf<kCount>::EndLineAtFeasible(const Point& refused) {
    // The refused point and those taken after the feasible sample start the next line.
    queue_.push_front(refused);
    for (auto it = afterFeasible_.rbegin(); it != afterFeasible_.rend(); ++it) {
        queue_.push_front(*it);
    }
    const Endpoint end = *feasible_;
    const Whole color = EndColor(end);
    Emit(end.point.position, color);
    StartLine(end.point.position, color);
}

template <std::size_t kCount>
void StopFitterOf<kCount>::StartLine(double position, const Whole& color) {
    started_ = true;
    anchorPosition_ = position;
    anchorColor_ = color;
    lowSlope_.fill(-kInfinity);
    highSlope_.fill(kInfinity);
    feasible_.reset();
    afterFeasible_.clear();
}

template <std::size_t kCount>
void StopFitterOf<kCount>::Emit(double position, const Whole& color) {
    const Stop stop{position, color};
    if (!stops_.empty() && stops_.back() == stop) {
        return;
    }
    if (stops_.size() >= maxStops_) {
        failed_ = true;
        queue_.clear();
        return;
    }
    stops_.push_back(stop);
}

template class StopFitterOf<kColorChannels>;
template class StopFitterOf<kAlphaChannels>;

void FitErrorMeter::Add(double position, const Channels& channels) {
    if (stops_.empty()) {
        return;
    }
    while (next_ < stops_.size() && stops_[next_].position <= position) {
        ++next_;
    }
    for (std::size_t c = 0; c < kColorChannels; ++c) {
        double drawn = 0.0;
        if (next_ == 0) {
            drawn = stops_.front().color[c];
        } else if (next_ == stops_.size()) {
            drawn = stops_.back().color[c];
        } else {
            const FittedStop& left = stops_[next_ - 1];
            const FittedStop& right = stops_[next_];
            const double share = (position - left.position) / (right.position - left.position);
            drawn = left.color[c] + share * (right.color[c] - left.color[c]);
        }
        const double difference = std::abs(drawn - channels[c]);
        largest_ = std::max(largest_, difference);
        sum_ += difference;
        ++count_;
    }
}

FitError FitErrorMeter::Result() const {
    return {largest_, count_ == 0 ? 0.0 : sum_ / static_cast<double>(count_)};
}

}  // namespace tonzug
