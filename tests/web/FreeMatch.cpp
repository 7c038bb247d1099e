// Draws random CSS gradients (every shape, repeating forms, hard stops, hints, easing
// and transparency) with `tonzug --export --gradient`, and the CSS that `tonzug --css` writes
// for them in headless Chromium, and compares the two pixel by pixel.
//
//   free_match TONZUG [SEED [CASES]]   exit 0 when the pictures agree, 1 when not, 77
//                                      (skipped) when Chromium is missing
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "export/PictureReaders.h"
#include "testing/TempFolder.h"
#include "web/BrowserPage.h"

namespace {

using tonzug::testing::DecodedPicture;
using tonzug::testing::Run;

constexpr int kExitSkipped = 77;
// Of all channel values, this share within kNear levels of the browser's.
constexpr double kShareNear = 0.99;
constexpr int kNear = 2;
constexpr int kPageWidth = 800;
constexpr unsigned kDefaultSeed = 20261207;
constexpr int kDefaultCases = 40;

class RandomGradients {
  public:
    explicit RandomGradients(unsigned seed) : engine_(seed) {}

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

    std::string Next() {
        const bool repeating = Pick(0, 4) == 0;
        std::string text;
        switch (Pick(0, 2)) {
            case 0:
                text = "linear-gradient(" + LinearHead();
                break;
            case 1:
                text = "radial-gradient(" + RadialHead();
                break;
            default:
                text = "conic-gradient(from " + std::to_string(Pick(-90, 400)) + "deg at " +
                       Position() + ", ";
                break;
        }
        text += Stops(repeating, text.starts_with("conic") ? "deg" : "%") + ")";
        if (Pick(0, 2) == 0) {
            text.insert(text.find('(') + 1, Interpolation() + " ");
        }
        if (repeating) {
            text.insert(0, "repeating-");
        }
        return text;
    }

  private:
    std::string LinearHead() {
        static const std::array<const char*, 8> kToward = {
            "to right",     "to left",     "to bottom",      "to top",
            "to top right", "to top left", "to bottom left", "to bottom right"};
        if (Pick(0, 2) == 0) {
            return std::string(kToward[static_cast<std::size_t>(Pick(0, 7))]) + ", ";
        }
        return std::to_string(Pick(-360, 720)) + "deg, ";
    }

    std::string Interpolation() {
        static const std::array<const char*, 15> kSpaces = {
            "srgb",    "srgb-linear", "display-p3", "a98-rgb", "prophoto-rgb",
            "rec2020", "lab",         "oklab",      "xyz",     "xyz-d50",
            "xyz-d65", "hsl",         "hwb",        "lch",     "oklch"};
        static const std::array<const char*, 4> kHues = {"shorter", "longer", "increasing",
                                                         "decreasing"};
        const std::size_t space = static_cast<std::size_t>(Pick(0, 14));
        std::string text = std::string("in ") + kSpaces[space];
        if (space >= 11 && Pick(0, 1) == 0) {
            text += std::string(" ") + kHues[static_cast<std::size_t>(Pick(0, 3))] + " hue";
        }
        return text;
    }

    std::string Position() {
        return std::to_string(Pick(-20, 120)) + "% " + std::to_string(Pick(-10, 110)) + "%";
    }

    std::string RadialHead() {
        static const std::array<const char*, 4> kExtent = {"closest-side", "farthest-side",
                                                           "closest-corner", "farthest-corner"};
        const bool circle = Pick(0, 1) == 0;
        std::string head = circle ? "circle " : "ellipse ";
        if (Pick(0, 3) == 0) {
            head += circle
                        ? std::to_string(Pick(5, 200)) + "px"
                        : std::to_string(Pick(5, 200)) + "px " + std::to_string(Pick(5, 90)) + "%";
        } else {
            head += kExtent[static_cast<std::size_t>(Pick(0, 3))];
        }
        return head + " at " + Position() + ", ";
    }

    std::string Color() {
        const int red = Pick(0, 255);
        const int green = Pick(0, 255);
        const int blue = Pick(0, 255);
        // Colours of the newer notations inside sRGB, where the browser clips what the
        // program maps into the gamut.
        switch (Pick(0, 9)) {
            case 0:
                return "oklch(" + std::to_string(Pick(40, 80)) + "% 0.0" +
                       std::to_string(Pick(0, 8)) + " " + std::to_string(Pick(0, 359)) + ")";
            case 1:
                return "color(display-p3 0." + std::to_string(Pick(35, 65)) + " 0." +
                       std::to_string(Pick(35, 65)) + " 0." + std::to_string(Pick(35, 65)) + ")";
            default:
                break;
        }
        if (Pick(0, 3) == 0) {
            return "rgb(" + std::to_string(red) + " " + std::to_string(green) + " " +
                   std::to_string(blue) + " / " + std::to_string(Pick(10, 100)) + "%)";
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", red, green, blue);
        return hex;
    }

    // Stops at rising places (some left out), now and then a hard band or a hint; a
    // repeating line ends well before the end so that it repeats.
    std::string Stops(bool repeating, const std::string& unit) {
        const int count = Pick(2, 6);
        const int scale = unit == "deg" ? 360 : 100;
        const int end = repeating ? Pick(scale / 10, scale / 2) : scale;
        std::string text;
        int at = repeating ? 0 : Pick(-scale / 5, scale / 5);
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                text += ", ";
                if (Pick(0, 5) == 0) {
                    text += std::to_string(at + Pick(0, end / count / 2 + 1)) + unit + ", ";
                }
            }
            text += Color();
            const bool placed = i == 0 || i == count - 1 || Pick(0, 2) != 0;
            if (placed) {
                text += ' ';
                text += std::to_string(i == count - 1 ? std::max(at, end) : at) + unit;
                if (Pick(0, 5) == 0) {
                    at += Pick(0, end / count + 1);
                    text += ' ';
                    text += std::to_string(at) + unit;
                }
            }
            at += Pick(0, 2 * end / count + 1);
        }
        return text;
    }

    std::mt19937 engine_;
};

// Every third case eases its first segment as CSS cannot say, now and then with straight
// alpha; from an engine of its own, so that the gradients stay those of the seed.
std::string RandomEasing(std::mt19937& engine) {
    static const std::array<const char*, 6> kNames = {
        "linear", "curved", "sine", "sphere-increasing", "sphere-decreasing", "step"};
    std::uniform_int_distribution<std::size_t> pick(0, kNames.size() - 1);
    if (pick(engine) % 3 != 0) {
        return "";
    }
    return std::string(pick(engine) == 0 ? "straight-alpha:" : "") + kNames[pick(engine)];
}

struct Case {
    std::string css;
    int width;
    int height;
    std::string easing;
    int top = 0;
};

int Channel(std::uint32_t pixel, int channel) {
    return static_cast<int>((pixel >> (16 - 8 * channel)) & 0xFFu);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: free_match TONZUG [SEED [CASES]]\n";
        return 2;
    }
    const std::string tonzug = argv[1];
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::stoul(argv[2])) : kDefaultSeed;
    const int count = argc > 3 ? std::stoi(argv[3]) : kDefaultCases;
    if (!tonzug::testing::ChromiumPresent()) {
        std::cout << "chromium missing (tools/install-deps.sh installs it)\n";
        return kExitSkipped;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tonzug-free-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto file = [&](int index) {
        return (folder / ("case" + std::to_string(index) + ".png")).string();
    };

    RandomGradients random(seed);
    std::mt19937 easings(seed + 1);
    tonzug::testing::BrowserPage page(folder, kPageWidth);
    std::vector<Case> cases;
    bool made = true;
    for (int index = 0; index < count; ++index) {
        Case c{random.Next(), random.Pick(20, 300), random.Pick(10, 160), RandomEasing(easings)};
        const std::string tonzugWith = "'" + tonzug + "' --set X=" + std::to_string(c.width) +
                                       " --set Y=" + std::to_string(c.height) + " --gradient '" +
                                       c.css + "' --set 'EASING=" + c.easing + "'";
        const std::string written = file(index) + ".css";
        made = made && Run(tonzugWith + " --quiet --export " + file(index)) &&
               Run(tonzugWith + " --css > " + written);
        std::string css = tonzug::testing::ReadWholeFile(written);
        css.erase(css.find_last_not_of('\n') + 1);
        c.top = page.Add(c.width, c.height, "background-color:#fff;" + css);
        cases.push_back(c);
    }
    const auto screenshot = page.Shoot();
    if (!made || !screenshot) {
        std::cerr << "could not make the pictures; see " << folder << "\n";
        return 1;
    }
    long long values = 0;
    long long near = 0;
    for (int index = 0; index < count; ++index) {
        const Case& c = cases[static_cast<std::size_t>(index)];
        const auto drawn = tonzug::testing::ReadPng(file(index));
        if (!drawn || drawn->width != c.width || drawn->height != c.height) {
            std::printf("case %d: cannot read the picture\n", index);
            return 1;
        }
        long long caseNear = 0;
        int largest = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                for (int channel = 0; channel < 3; ++channel) {
                    const int difference = std::abs(Channel(drawn->At(x, y), channel) -
                                                    Channel(screenshot->At(x, c.top + y), channel));
                    caseNear += difference <= kNear ? 1 : 0;
                    largest = std::max(largest, difference);
                }
            }
        }
        const long long caseValues = 3LL * c.width * c.height;
        std::printf("case %2d %3dx%-3d within %d: %.4f, largest %3d  %s %s\n", index, c.width,
                    c.height, kNear, double(caseNear) / double(caseValues), largest, c.css.c_str(),
                    c.easing.c_str());
        values += caseValues;
        near += caseNear;
    }
    const double share = double(near) / double(values);
    const bool passed = share >= kShareNear;
    std::printf("seed %u, %d gradients: %.4f of %lld channel values within %d levels  %s\n", seed,
                count, share, values, kNear, passed ? "ok" : "FAILED");
    if (passed) {
        std::filesystem::remove_all(folder);
    } else {
        std::cout << "pictures kept in " << folder << "\n";
    }
    return passed ? 0 : 1;
}
