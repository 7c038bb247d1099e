#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "export/PictureReaders.h"

namespace tonzug::testing {

// Runs a shell command; true when it exits 0.
bool Run(const std::string& command);

// Whether headless Chromium is there to draw pages.
bool ChromiumPresent();

// What lies behind the boxes: grey, or nothing, for a screenshot with straight alpha.
enum class PageBackground { kGrey, kTransparent };

// Boxes of CSS drawn by headless Chromium at one device pixel per CSS pixel, one below the
// other with a gap, on a page of the given width.
class BrowserPage {
  public:
    BrowserPage(std::filesystem::path folder, int pageWidth,
                PageBackground background = PageBackground::kGrey);

    // Adds a box of the size with the CSS declarations `style`; gives its top row.
    int Add(int width, int height, const std::string& style);
    // The screenshot of the whole page, 0xAARRGGBB words; empty when Chromium failed.
    std::optional<DecodedPicture> Shoot() const;

  private:
    std::filesystem::path folder_;
    int pageWidth_;
    PageBackground background_;
    int pageHeight_ = 0;
    std::string boxes_;
};

}  // namespace tonzug::testing
