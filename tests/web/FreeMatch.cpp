// Draws random CSS gradients (every shape, repeating forms, hard stops, hints, easing
// and transparency) with `tonzug --export --gradient`, and the CSS that `tonzug --css` writes
// for them in headless Chromium, and compares the two pixel by pixel, alpha included. Each
// box is drawn twice: on white, which Chromium lays it over at its own precision, against
// our picture laid over white; and bare on a transparent page, whose alpha is compared, and
// whose colour laid over black is told too. The straight colour itself is left out, since
// the browser keeps colours multiplied by alpha in 8 bits, good to only 127.5 / a levels at
// alpha a, and to none where alpha is 0. Chromium draws colour hints as a few straight
// pieces, several levels off the curve, in alpha as in colour, which is why alpha is held
// to a slightly lower share.
//
//   free_match TONZUG [SEED [CASES]]   exit 0 when the pictures agree, 1 when not, 77
//                                      (skipped) when Chromium is missing
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
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
// Of all channel values over white, this share within kNear levels of the browser's; of
// all alpha values, kAlphaShareNear.
constexpr double kShareNear = 0.99;
constexpr double kAlphaShareNear = 0.98;
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
    int top = 0;      // on white
    int bareTop = 0;  // on the transparent page
};

constexpr int kColorChannels = 3;
constexpr int kAlphaChannel = 3;
constexpr double kWhite = 255.0;
constexpr double kBlack = 0.0;

int StraightChannel(std::uint32_t pixel, int channel) {
    return static_cast<int>((pixel >> (channel == kAlphaChannel ? 24 : 16 - 8 * channel)) & 0xFFu);
}

// A colour channel of the pixel laid over a grey background, rounded to a level as a
// screen shows it.
double Over(double background, std::uint32_t pixel, int channel) {
    const double alpha = StraightChannel(pixel, kAlphaChannel) / 255.0;
    return std::nearbyint(StraightChannel(pixel, channel) * alpha + background * (1.0 - alpha));
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
    tonzug::testing::BrowserPage page(folder, kPageWidth,
                                      tonzug::testing::PageBackground::kTransparent);
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
        c.bareTop = page.Add(c.width, c.height, css);
        cases.push_back(c);
    }
    const auto screenshot = page.Shoot();
    if (!made || !screenshot) {
        std::cerr << "could not make the pictures; see " << folder << "\n";
        return 1;
    }
    long long values = 0;
    std::array<long long, 2> near{};  // over white, over black
    long long alphaNear = 0;
    long long pixels = 0;
    for (int index = 0; index < count; ++index) {
        const Case& c = cases[static_cast<std::size_t>(index)];
        const auto read = tonzug::testing::ReadPngRgba(file(index));
        const auto drawn = read ? std::optional(read->picture) : std::nullopt;
        if (!drawn || drawn->width != c.width || drawn->height != c.height) {
            std::printf("case %d: cannot read the picture\n", index);
            return 1;
        }
        std::array<long long, 2> caseNear{};
        long long caseAlphaNear = 0;
        double largest = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const std::uint32_t ours = drawn->At(x, y);
                const std::uint32_t onWhite = screenshot->At(x, c.top + y);
                const std::uint32_t theirs = screenshot->At(x, c.bareTop + y);
                for (const std::size_t over : {0u, 1u}) {
                    const double background = over == 0 ? kWhite : kBlack;
                    for (int channel = 0; channel < kColorChannels; ++channel) {
                        const double difference =
                            std::abs(Over(background, ours, channel) -
                                     Over(background, over == 0 ? onWhite : theirs, channel));
                        caseNear[over] += difference <= kNear ? 1 : 0;
                        largest = std::max(largest, difference);
                    }
                }
                caseAlphaNear += std::abs(StraightChannel(ours, kAlphaChannel) -
                                          StraightChannel(theirs, kAlphaChannel)) <= kNear
                                     ? 1
                                     : 0;
            }
        }
        const long long caseValues = static_cast<long long>(kColorChannels) * c.width * c.height;
        std::printf(
            "case %2d %3dx%-3d within %d: %.4f (black %.4f, alpha %.4f), largest %5.1f  %s %s\n",
            index, c.width, c.height, kNear, double(caseNear[0]) / double(caseValues),
            double(caseNear[1]) / double(caseValues),
            double(caseAlphaNear) / double(c.width * c.height), largest, c.css.c_str(),
            c.easing.c_str());
        alphaNear += caseAlphaNear;
        pixels += static_cast<long long>(c.width) * c.height;
        values += caseValues;
        near[0] += caseNear[0];
        near[1] += caseNear[1];
    }
    const double share = double(near[0]) / double(values);
    const double alphaShare = double(alphaNear) / double(pixels);
    const bool passed = share >= kShareNear && alphaShare >= kAlphaShareNear;
    std::printf(
        "seed %u, %d gradients: %.4f of %lld channel values over white within %d levels  %s "
        "(over black %.4f, alpha alone %.4f)\n",
        seed, count, share, values, kNear, passed ? "ok" : "FAILED",
        double(near[1]) / double(values), alphaShare);
    if (passed) {
        std::filesystem::remove_all(folder);
    } else {
        std::cout << "pictures kept in " << folder << "\n";
    }
    return passed ? 0 : 1;
}
