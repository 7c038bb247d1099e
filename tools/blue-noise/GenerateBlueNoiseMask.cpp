// Writes src/render/BlueNoiseMask.cpp: the 64 x 64 threshold mask of the dithered output,
// made by the void-and-cluster method (Ulichney 1993) on a torus with a Gaussian filter
// of sigma 1.5. Deterministic: the same program always writes the same table. Build and
// run from the repository root:
//
//   c++ -std=c++20 -O2 -ffp-contract=off tools/blue-noise/GenerateBlueNoiseMask.cpp
//   ./a.out > src/render/BlueNoiseMask.cpp
//
// A row of a vertical gradient averages over one row of the mask, a column of a horizontal
// gradient over one column. Plain void-and-cluster leaves some rows with a share of high
// ranks 0.17 off the whole mask's, visible as a row lighter or darker than its value; so
// the energy of a cell also counts the cells already set in its row and column, which
// brings every row and column within 0.05 and keeps the low frequencies almost as empty.
// Both figures go to standard error.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kSide = 64;
constexpr int kCells = kSide * kSide;
constexpr double kSigma = 1.5;
// Share of cells set in the initial pattern.
constexpr int kInitialOnes = kCells / 10;
// Weight of the cells set in a cell's row and column, against the Gaussian energy.
constexpr double kLinePenalty = 4.0;

int Wrap(int d) {
    d = ((d % kSide) + kSide) % kSide;
    return std::min(d, kSide - d);
}

class Pattern {
  public:
    Pattern() : on_(kCells, false), energy_(kCells, 0.0) {
        for (int dy = 0; dy < kSide; ++dy) {
            for (int dx = 0; dx < kSide; ++dx) {
                const double d2 = static_cast<double>(Wrap(dx) * Wrap(dx) + Wrap(dy) * Wrap(dy));
                kernel_[static_cast<std::size_t>(dy * kSide + dx)] =
                    std::exp(-d2 / (2.0 * kSigma * kSigma));
            }
        }
    }

    bool On(int cell) const { return on_[static_cast<std::size_t>(cell)]; }
    double Energy(int cell) const {
        return energy_[static_cast<std::size_t>(cell)] +
               kLinePenalty * (rowCount_[cell / kSide] + columnCount_[cell % kSide]) / kSide;
    }

    void Set(int cell, bool on) {
        on_[static_cast<std::size_t>(cell)] = on;
        rowCount_[cell / kSide] += on ? 1 : -1;
        columnCount_[cell % kSide] += on ? 1 : -1;
        const double sign = on ? 1.0 : -1.0;
        const int cx = cell % kSide;
        const int cy = cell / kSide;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int dx = (x - cx + kSide) % kSide;
                const int dy = (y - cy + kSide) % kSide;
                energy_[static_cast<std::size_t>(y * kSide + x)] +=
                    sign * kernel_[static_cast<std::size_t>(dy * kSide + dx)];
            }
        }
    }

    // The set cell with the most set neighbours; first one on ties.
    int TightestCluster() const { return Extreme(true); }
    // The free cell with the fewest set neighbours; first one on ties.
    int LargestVoid() const { return Extreme(false); }

  private:
    int Extreme(bool onCells) const {
        int best = -1;
        for (int cell = 0; cell < kCells; ++cell) {
            if (On(cell) != onCells) {
                continue;
            }
            const double e = Energy(cell);
            const double b = best < 0 ? 0.0 : Energy(best);
            if (best < 0 || (onCells ? e > b : e < b)) {
                best = cell;
            }
        }
        return best;
    }

    std::array<double, kCells> kernel_{};
    std::vector<bool> on_;
    std::vector<double> energy_;
    std::array<int, kSide> rowCount_{};
    std::array<int, kSide> columnCount_{};
};

std::vector<int> VoidAndCluster() {
    // A random start (the raw Mersenne Twister output is the same everywhere), relaxed until
    // moving the tightest cluster to the largest void changes nothing.
    Pattern initial;
    std::mt19937 random(20240612u);
    for (int placed = 0; placed < kInitialOnes;) {
        const int cell = static_cast<int>(random() % kCells);
        if (!initial.On(cell)) {
            initial.Set(cell, true);
            ++placed;
        }
    }
    for (;;) {
        const int cluster = initial.TightestCluster();
        initial.Set(cluster, false);
        const int gap = initial.LargestVoid();
        initial.Set(gap, true);
        if (gap == cluster) {
            break;
        }
    }

    std::vector<int> rank(kCells, -1);
    Pattern shrinking = initial;
    for (int ones = kInitialOnes; ones > 0; --ones) {
        const int cluster = shrinking.TightestCluster();
        shrinking.Set(cluster, false);
        rank[static_cast<std::size_t>(cluster)] = ones - 1;
    }
    Pattern growing = initial;
    for (int ones = kInitialOnes; ones < kCells; ++ones) {
        const int gap = growing.LargestVoid();
        growing.Set(gap, true);
        rank[static_cast<std::size_t>(gap)] = ones;
    }
    return rank;
}

// Largest difference, over all rows and columns and all thresholds, between the share of
// a line's cells at or above the threshold and the share of the whole mask.
double WorstLineShare(const std::vector<int>& rank) {
    double worst = 0.0;
    for (int line = 0; line < kSide; ++line) {
        for (const bool isRow : {true, false}) {
            std::vector<int> ranks;
            for (int i = 0; i < kSide; ++i) {
                ranks.push_back(
                    rank[static_cast<std::size_t>(isRow ? line * kSide + i : i * kSide + line)]);
            }
            std::sort(ranks.begin(), ranks.end());
            // Below the k-th smallest rank of the line, k of its cells lie under the threshold.
            for (int k = 0; k <= kSide; ++k) {
                const int low = k == 0 ? 0 : ranks[static_cast<std::size_t>(k - 1)] + 1;
                const int high = k == kSide ? kCells : ranks[static_cast<std::size_t>(k)];
                for (const int threshold : {low, high}) {
                    const double line_share = static_cast<double>(kSide - k) / kSide;
                    const double mask_share = static_cast<double>(kCells - threshold) / kCells;
                    worst = std::max(worst, std::abs(line_share - mask_share));
                }
            }
        }
    }
    return worst;
}

// Mean power of the thresholded mask at the frequencies of radius 1..4 (in cycles per
// mask), over several levels, relative to white noise (1): the blue-noise property.
double LowFrequencyPower(const std::vector<int>& rank) {
    constexpr int kRadius = 4;
    const std::array<int, 5> levels = {256, 1024, 2048, 3072, 3840};
    const double pi = std::acos(-1.0);
    double total = 0.0;
    for (const int level : levels) {
        const double p = static_cast<double>(level) / kCells;
        double power = 0.0;
        int count = 0;
        for (int fy = -kRadius; fy <= kRadius; ++fy) {
            for (int fx = -kRadius; fx <= kRadius; ++fx) {
                const int r2 = fx * fx + fy * fy;
                if (r2 == 0 || r2 > kRadius * kRadius) {
                    continue;
                }
                double re = 0.0;
                double im = 0.0;
                for (int c = 0; c < kCells; ++c) {
                    const double v = (rank[static_cast<std::size_t>(c)] < level ? 1.0 : 0.0) - p;
                    const double a = 2.0 * pi * (fx * (c % kSide) + fy * (c / kSide)) / kSide;
                    re += v * std::cos(a);
                    im += v * std::sin(a);
                }
                power += (re * re + im * im) / (kCells * p * (1.0 - p));
                ++count;
            }
        }
        total += power / count;
    }
    return total / static_cast<double>(levels.size());
}

}  // namespace

int main() {
    const std::vector<int> rank = VoidAndCluster();
    std::fprintf(stderr, "worst row or column share difference: %.4f\n", WorstLineShare(rank));
    std::fprintf(stderr, "low-frequency power: %.4f\n", LowFrequencyPower(rank));
    std::printf(
        "// Generated by tools/blue-noise/GenerateBlueNoiseMask.cpp; do not edit.\n"
        "// clang-format off\n\n"
        "#include \"render/BlueNoiseMask.h\"\n\n"
        "namespace tonzug {\n\n"
        "const std::array<std::uint16_t, kBlueNoiseCells> kBlueNoiseRanks = {\n");
    for (int y = 0; y < kSide; ++y) {
        std::printf("   ");
        for (int x = 0; x < kSide; ++x) {
            std::printf(" %d,", rank[static_cast<std::size_t>(y * kSide + x)]);
        }
        std::printf("\n");
    }
    std::printf("};\n\n}  // namespace tonzug\n");
    return 0;
}
