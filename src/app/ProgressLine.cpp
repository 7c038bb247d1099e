#include "app/ProgressLine.h"

#include <algorithm>
#include <cmath>

namespace tonzug {
namespace {

// The line is redrawn when the percent changes, or at this pace for the time left.
constexpr std::chrono::milliseconds kRedrawInterval{250};
// Returns to the line's start and clears to its end.
constexpr const char* kEraseLine = "\r\x1b[K";

std::string DurationText(double seconds) {
    // Rounded up: the line never promises the end before it comes.
    const long whole = std::lround(std::ceil(std::max(seconds, 0.0)));
    if (whole < 60) {
        return std::to_string(whole) + " s";
    }
    const long remainder = whole % 60;
    return std::to_string(whole / 60) + " min " + (remainder < 10 ? "0" : "") +
           std::to_string(remainder) + " s";
}

}  // namespace

std::string ProgressText(double fractionDone, std::chrono::duration<double> elapsed) {
    const double fraction = std::clamp(fractionDone, 0.0, 1.0);
    const int percent = static_cast<int>(std::floor(fraction * 100.0));
    std::string text = "tonzug: " + std::to_string(percent) + "% of rows";
    if (fraction > 0.0 && fraction < 1.0) {
        text += ", about " + DurationText(elapsed.count() * (1.0 - fraction) / fraction) + " left";
    }
    return text;
}

ProgressLine::ProgressLine(std::ostream& terminal, Clock::time_point start)
    : terminal_(terminal), start_(start) {}

ProgressLine::~ProgressLine() {
    Finish();
}

void ProgressLine::Update(double fractionDone, Clock::time_point now) {
    if (now - start_ < kProgressDelay) {
        return;
    }
    const int percent = static_cast<int>(std::floor(std::clamp(fractionDone, 0.0, 1.0) * 100.0));
    if (shown_ && percent == lastPercent_ && now - lastShown_ < kRedrawInterval) {
        return;
    }
    terminal_ << kEraseLine << ProgressText(fractionDone, now - start_) << std::flush;
    shown_ = true;
    lastPercent_ = percent;
    lastShown_ = now;
}

void ProgressLine::Finish() {
    if (shown_) {
        terminal_ << kEraseLine << std::flush;
        shown_ = false;
    }
}

}  // namespace tonzug
