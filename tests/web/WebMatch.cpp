// Draws the CSS of each case in a real browser (headless Chromium, all cases on one page)
// and its SVG with rsvg-convert, and compares both pixel by pixel with the PNG that
// `tonzug --export` writes for the same parameters.
//
//   web_match TONZUG   exit 0 when every case matches, 1 when one does not, 77 (skipped)
//                      when Chromium or rsvg-convert is missing
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "export/PictureReaders.h"
#include "render/Gradient.h"
#include "testing/TempFolder.h"
#include "web/BrowserPage.h"

namespace {

using tonzug::testing::DecodedPicture;
using tonzug::testing::Run;

constexpr int kExitSkipped = 77;
// Per channel: this share of the pixels within kNear, and a mean difference of at most kMean.
constexpr double kShareNear = 0.995;
constexpr int kNear = 2;
constexpr double kMean = 0.5;
// Neighbouring pixels further apart than this (in some channel) make a hard edge.
constexpr int kHardEdge = 32;
constexpr int kPageWidth = 1920;

struct Case {
    std::string name;
    int width;
    int height;
    int orientation;
    std::vector<std::string> settings;  // besides X, Y and OPT
};

// Every orientation, RGB, HSL and Oklab, the middle colour on and off, wide bands, bands
// of 1, the middle at 10 % and 90 % (bands cut off: hard edges), one step, 1 x 1.
const std::vector<Case> kCases = {
    {"default 25x256", 25, 256, 1, {}},
    {"rgb horizontal", 300, 40, 0, {"STCOL=#ff8000", "EDCOL=#0040c0"}},
    {"rgb wide bands",
     1920,
     1080,
     0,
     {"MDCHK=1", "MDCOL=#ff0000", "SBR=300", "MBR=200", "EBR=400"}},
    {"rgb bands of 1", 30, 200, 1, {"MDCHK=1", "MDCOL=#00ff00", "SBR=1", "MBR=1", "EBR=1"}},
    {"rgb middle 10%", 400, 20, 0, {"MID=10", "SBR=80", "MDCHK=1", "MDCOL=#ff0000"}},
    {"rgb middle 90%", 400, 20, 0, {"MID=90", "EBR=80", "MDCHK=1", "MDCOL=#0000ff"}},
    {"hsl vertical", 25, 256, 1, {"FRB=1", "STCOL=#ffff00", "EDCOL=#4000ff"}},
    {"oklab horizontal", 300, 30, 0, {"FRB=2", "STCOL=#0000ff", "EDCOL=#ffff00"}},
    {"one step", 1, 50, 0, {"STCOL=#123456"}},
    {"1x1 circle", 1, 1, 2, {}},
    {"circle hsl", 300, 200, 2, {"FRB=1", "STCOL=#ff0000", "EDCOL=#0000ff"}},
    {"circle bands", 300, 200, 2, {"MDCHK=1", "MDCOL=#ff0000", "SBR=20", "MBR=10", "EBR=30"}},
};

std::string SettingsOf(const Case& c) {
    std::string text = " --set X=" + std::to_string(c.width) +
                       " --set Y=" + std::to_string(c.height) +
                       " --set OPT=" + std::to_string(c.orientation);
    for (const std::string& setting : c.settings) {
        text += " --set '" + setting + "'";
    }
    return text;
}

struct Point {
    int x = 0;
    int y = 0;
};

int Channel(std::uint32_t pixel, int channel) {
    return static_cast<int>((pixel >> (16 - 8 * channel)) & 0xFFu);
}

int Difference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int channel = 0; channel < 3; ++channel) {
        largest = std::max(largest, std::abs(Channel(a, channel) - Channel(b, channel)));
    }
    return largest;
}

struct Comparison {
    std::array<long long, 3> near{};  // per channel: pixels within kNear
    std::array<double, 3> sum{};      // and the sum of the differences
    long long counted = 0;
    int largest = 0;
    int edges = 0;
    int edgesMissed = 0;

    bool Passed() const {
        for (int channel = 0; channel < 3; ++channel) {
            if (near[channel] < kShareNear * counted || sum[channel] > kMean * counted) {
                return false;
            }
        }
        return edgesMissed == 0;
    }
};

// The corner pixels a circle's rings leave white, which CSS and SVG fill with the end colour.
bool Uncovered(const Case& c, const DecodedPicture& reference, int x, int y) {
    if (c.orientation != 2 || reference.At(x, y) != 0xFFFFFFFFu) {
        return false;
    }
    const double radius = tonzug::CornerRadius(c.width, c.height);
    return std::hypot(x + 0.5 - c.width / 2.0, y + 0.5 - c.height / 2.0) > radius - 1.0;
}

// Hard edges of the reference along a line of pixels must show in the drawing within a
// pixel: both sides' colours are reached one pixel beyond the edge.
void CheckEdges(const std::vector<Point>& line, const DecodedPicture& reference,
                const DecodedPicture& drawn, Point at, Comparison& result) {
    const auto expected = [&](std::size_t i) { return reference.At(line[i].x, line[i].y); };
    const auto near = [&](std::size_t i) {
        return Difference(expected(i), drawn.At(at.x + line[i].x, at.y + line[i].y)) <= kNear;
    };
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (Difference(expected(i - 1), expected(i)) > kHardEdge) {
            ++result.edges;
            const bool bothSides = (i < 2 || near(i - 2)) && (i + 1 >= line.size() || near(i + 1));
            result.edgesMissed += bothSides ? 0 : 1;
        }
    }
}

Comparison Compare(const Case& c, const DecodedPicture& reference, const DecodedPicture& drawn,
                   Point at) {
    Comparison result;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (Uncovered(c, reference, x, y)) {
                continue;
            }
            ++result.counted;
            for (int channel = 0; channel < 3; ++channel) {
                const int difference = std::abs(Channel(reference.At(x, y), channel) -
                                                Channel(drawn.At(at.x + x, at.y + y), channel));
                result.near[channel] += difference <= kNear ? 1 : 0;
                result.sum[channel] += difference;
                result.largest = std::max(result.largest, difference);
            }
        }
    }
    // Along the axis: the middle row, the middle column, or both from the centre out.
    std::vector<Point> row;
    std::vector<Point> column;
    for (int x = c.orientation == 2 ? c.width / 2 : 0; c.orientation != 1 && x < c.width; ++x) {
        row.push_back({x, c.height / 2});
    }
    for (int y = c.orientation == 2 ? c.height / 2 : 0; c.orientation != 0 && y < c.height; ++y) {
        column.push_back({c.width / 2, y});
    }
    CheckEdges(row, reference, drawn, at, result);
    CheckEdges(column, reference, drawn, at, result);
    return result;
}

void Report(const char* what, const Case& c, const Comparison& result) {
    std::printf("%-20s %s largest %3d, mean %.3f, within %d: %.4f, edges %d (missed %d)  %s\n",
                c.name.c_str(), what, result.largest, result.sum[0] / std::max(1LL, result.counted),
                kNear, double(result.near[0]) / std::max(1LL, result.counted), result.edges,
                result.edgesMissed, result.Passed() ? "ok" : "FAILED");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: web_match TONZUG\n";
        return 2;
    }
    const std::string tonzug = argv[1];
    if (!Run("command -v chromium > /dev/null && command -v rsvg-convert > /dev/null")) {
        std::cout << "chromium or rsvg-convert missing (tools/install-deps.sh installs them)\n";
        return kExitSkipped;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tonzug-web-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto file = [&](const std::string& name) { return (folder / name).string(); };

    // Each case: its PNG and SVG, and a box of its size on one page.
    std::vector<Point> places;
    tonzug::testing::BrowserPage page(folder, kPageWidth);
    bool made = true;
    for (std::size_t index = 0; index < kCases.size(); ++index) {
        const Case& c = kCases[index];
        const std::string stem = file("case" + std::to_string(index));
        const std::string tonzugWith = "'" + tonzug + "'" + SettingsOf(c);
        made = made && Run(tonzugWith + " --export " + stem + ".png") &&
               Run(tonzugWith + " --export " + stem + ".svg") &&
               Run("rsvg-convert -o " + stem + "-svg.png " + stem + ".svg") &&
               Run(tonzugWith + " --css > " + stem + ".css");
        std::string css = tonzug::testing::ReadWholeFile(stem + ".css");
        css.erase(css.find_last_not_of('\n') + 1);
        places.push_back({0, page.Add(c.width, c.height, css)});
    }
    const auto screenshot = page.Shoot();
    if (!made || !screenshot) {
        std::cerr << "could not make the pictures; see " << folder << "\n";
        return 1;
    }

    bool passed = true;
    for (std::size_t index = 0; index < kCases.size(); ++index) {
        const Case& c = kCases[index];
        const std::string stem = "case" + std::to_string(index);
        const auto reference = tonzug::testing::ReadPng(file(stem + ".png"));
        const auto svg = tonzug::testing::ReadPng(file(stem + "-svg.png"));
        if (!reference || !svg || svg->width != c.width || svg->height != c.height) {
            std::printf("%-26s cannot read the pictures  FAILED\n", c.name.c_str());
            passed = false;
            continue;
        }
        const Comparison css = Compare(c, *reference, *screenshot, places[index]);
        const Comparison drawn = Compare(c, *reference, *svg, {});
        Report("css", c, css);
        Report("svg", c, drawn);
        passed = passed && css.Passed() && drawn.Passed();
    }
    if (passed) {
        std::filesystem::remove_all(folder);
    } else {
        std::cout << "pictures kept in " << folder << "\n";
    }
    return passed ? 0 : 1;
}
