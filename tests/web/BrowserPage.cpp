#include "web/BrowserPage.h"

#include <cstdlib>
#include <fstream>
#include <utility>

namespace tonzug::testing {
namespace {

constexpr int kGap = 8;

}  // namespace

bool Run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

bool ChromiumPresent() {
    return Run("command -v chromium > /dev/null");
}

BrowserPage::BrowserPage(std::filesystem::path folder, int pageWidth, PageBackground background)
    : folder_(std::move(folder)), pageWidth_(pageWidth), background_(background) {}

int BrowserPage::Add(int width, int height, const std::string& style) {
    const int top = pageHeight_;
    boxes_ += "<div style=\"left:0;top:" + std::to_string(top) +
              "px;width:" + std::to_string(width) + "px;height:" + std::to_string(height) + "px;" +
              style + "\"></div>\n";
    pageHeight_ += height + kGap;
    return top;
}

std::optional<DecodedPicture> BrowserPage::Shoot() const {
    const auto file = [this](const char* name) { return (folder_ / name).string(); };
    const bool transparent = background_ == PageBackground::kTransparent;
    std::ofstream(file("page.html"))
        << "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>html,body{margin:0;"
           "padding:0;overflow:hidden;background:"
        << (transparent ? "transparent" : "#808080")
        << "}div{position:absolute;margin:0;padding:0;border:0}</style></head><body>\n"
        << boxes_ << "</body></html>\n";
    const std::string shot = file("page.png");
    const bool drawn = Run(
        "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic "
        "--no-first-run --disable-background-networking --disable-component-update "
        "--disable-sync --user-data-dir=" +
        file("profile") + " --screenshot=" + shot + " --window-size=" + std::to_string(pageWidth_) +
        "," + std::to_string(pageHeight_) + " --force-device-scale-factor=1 --hide-scrollbars" +
        (transparent ? " --default-background-color=00000000" : "") + " file://" +
        file("page.html") + " > " + file("chromium.log") + " 2>&1");
    // With alpha, where the page shows through (0xFF over a grey page).
    auto read = drawn ? ReadPngRgba(shot) : std::nullopt;
    if (!read || read->picture.width < pageWidth_ || read->picture.height < pageHeight_) {
        return std::nullopt;
    }
    return std::move(read->picture);
}

}  // namespace tonzug::testing
