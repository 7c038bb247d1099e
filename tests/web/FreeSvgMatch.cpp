// Draws the SVG that `tonzug --export X.svg --gradient CSS` writes with rsvg-convert and
// compares it pixel by pixel with the PNG that `tonzug --export X.png` writes for the same
// gradient: straight colours where the PNG has alpha are compared premultiplied (the
// renderer keeps 8-bit premultiplied pixels, so a faint pixel's straight colour is coarse),
// and without alpha the SVG is laid over white as the PNG is.
//
//   free_svg_match TONZUG [CSS WIDTH HEIGHT]   exit 0 when every case (or the one given)
//                           matches, 1 when one does not, 77 (skipped) when rsvg-convert
//                           is missing
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "export/PictureReaders.h"
#include "web/BrowserPage.h"

namespace {

using tonzug::testing::DecodedRgba;
using tonzug::testing::Run;

constexpr int kExitSkipped = 77;
// Of each case's channel values, this share within kNear levels of the PNG's.
constexpr double kShareNear = 0.99;
constexpr int kNear = 2;
constexpr int kLevelMax = 255;

struct Case {
    std::string name;
    std::string css;
    int width;
    int height;
};

const std::vector<Case> kCases = {
    {"linear 45deg", "linear-gradient(45deg, #ff8000, #0040c0)", 300, 200},
    {"linear -100deg oklch", "linear-gradient(-100deg in oklch longer hue, red, #08f 70%, yellow)",
     300, 200},
    {"to top left corner", "linear-gradient(to top left, red, lime, blue)", 400, 100},
    {"ellipse off-centre", "radial-gradient(ellipse at 20% 70%, #fff, #c00 40%, #003)", 300, 200},
    {"ellipse outside", "radial-gradient(ellipse 80px 30% at 110% -10%, red, blue)", 200, 150},
    {"circle 60px", "radial-gradient(circle 60px at 40% 50%, yellow, green 80%, black)", 250, 180},
    {"repeating linear", "repeating-linear-gradient(30deg, red 0 10px, blue 10px 25px)", 300, 200},
    {"repeating radial", "repeating-radial-gradient(circle at 30% 30%, red 5%, #0f0 10%, red 20%)",
     300, 200},
    {"hard stops", "linear-gradient(to right, red 0 30%, lime 30% 60%, blue 60%)", 300, 50},
    {"transparency", "linear-gradient(to bottom, rgb(255 0 0 / 90%), transparent, #00f8)", 120,
     240},
    {"conic", "conic-gradient(from 40deg, red, yellow, lime, aqua, blue, magenta, red)", 300, 300},
    {"conic outside",
     "conic-gradient(from 200deg at 120% 30%, red, yellow 30deg, blue 60deg, lime 90deg)", 260,
     200},
    {"repeating conic",
     "repeating-conic-gradient(from 5deg at 30% 40%, #fff 0 15deg, #333 15deg 30deg, "
     "rgb(0 0 255 / 50%) 30deg 45deg)",
     300, 200},
    {"one pixel", "conic-gradient(red, blue)", 1, 1},
};

int Channel(std::uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFFu);
}

// The values a pixel shows: premultiplied colour and alpha, or the colour over white.
std::array<int, 4> Shown(std::uint32_t pixel, bool withAlpha) {
    const int alpha = Channel(pixel, 24);
    std::array<int, 4> shown{};
    for (int c = 0; c < 3; ++c) {
        const int color = Channel(pixel, 16 - 8 * c);
        shown[static_cast<std::size_t>(c)] =
            withAlpha
                ? (color * alpha + kLevelMax / 2) / kLevelMax
                : (color * alpha + kLevelMax * (kLevelMax - alpha) + kLevelMax / 2) / kLevelMax;
    }
    shown[3] = withAlpha ? alpha : kLevelMax;
    return shown;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 5) {
        std::cerr << "usage: free_svg_match TONZUG [CSS WIDTH HEIGHT]\n";
        return 2;
    }
    const std::string tonzug = argv[1];
    const std::vector<Case> cases =
        argc == 5 ? std::vector<Case>{{"given", argv[2], std::stoi(argv[3]), std::stoi(argv[4])}}
                  : kCases;
    if (!Run("command -v rsvg-convert > /dev/null")) {
        std::cout << "rsvg-convert missing (tools/install-deps.sh installs it)\n";
        return kExitSkipped;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tonzug-free-svg-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);

    bool passed = true;
    for (std::size_t index = 0; index < cases.size(); ++index) {
        const Case& c = cases[index];
        const std::string stem = (folder / ("case" + std::to_string(index))).string();
        const std::string tonzugWith =
            "'" + tonzug + "' --quiet --set X=" + std::to_string(c.width) +
            " --set Y=" + std::to_string(c.height) + " --gradient '" + c.css + "'";
        const bool made = Run(tonzugWith + " --export " + stem + ".png") &&
                          Run(tonzugWith + " --export " + stem + ".svg") &&
                          Run("rsvg-convert -o " + stem + "-svg.png " + stem + ".svg");
        const auto reference = tonzug::testing::ReadPngRgba(stem + ".png");
        const auto drawn = tonzug::testing::ReadPngRgba(stem + "-svg.png");
        if (!made || !reference || !drawn || drawn->picture.width != c.width ||
            drawn->picture.height != c.height) {
            std::printf("%-22s cannot make or read the pictures  FAILED\n", c.name.c_str());
            passed = false;
            continue;
        }
        const bool withAlpha = reference->hasAlpha;
        long long values = 0;
        long long near = 0;
        int largest = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const auto expected = Shown(reference->picture.At(x, y), withAlpha);
                const auto shown = Shown(drawn->picture.At(x, y), withAlpha);
                for (int channel = 0; channel < (withAlpha ? 4 : 3); ++channel) {
                    const auto k = static_cast<std::size_t>(channel);
                    const int difference = std::abs(expected[k] - shown[k]);
                    near += difference <= kNear ? 1 : 0;
                    largest = std::max(largest, difference);
                    ++values;
                }
            }
        }
        const double share = static_cast<double>(near) / static_cast<double>(values);
        const bool ok = share >= kShareNear;
        std::printf("%-22s %4dx%-4d %s within %d: %.4f, largest %3d, svg %6ju bytes  %s\n",
                    c.name.c_str(), c.width, c.height, withAlpha ? "rgba" : "rgb ", kNear, share,
                    largest, static_cast<std::uintmax_t>(std::filesystem::file_size(stem + ".svg")),
                    ok ? "ok" : "FAILED");
        passed = passed && ok;
    }
    if (passed) {
        std::filesystem::remove_all(folder);
    } else {
        std::cout << "pictures kept in " << folder << "\n";
    }
    return passed ? 0 : 1;
}
