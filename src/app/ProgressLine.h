#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace tonzug {

// A one-line progress indicator for a terminal: percent of rows done and the time left.
// It stays silent for short exports and appears only once the work has run longer than
// kProgressDelay; Finish (or the destructor) erases it again, so the terminal is left as
// it was and any message after it starts on a clean line.
class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock;

    explicit ProgressLine(std::ostream& terminal, Clock::time_point start = Clock::now());
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Update(double fractionDone, Clock::time_point now = Clock::now());
    void Finish();

  private:
    std::ostream& terminal_;
    Clock::time_point start_;
    Clock::time_point lastShown_;
    int lastPercent_ = -1;
    bool shown_ = false;
};

inline constexpr std::chrono::milliseconds kProgressDelay{500};

// "tonzug: 42% of rows, about 3 s left".
std::string ProgressText(double fractionDone, std::chrono::duration<double> elapsed);

}  // namespace tonzug
