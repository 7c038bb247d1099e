#pragma once

#include <cstddef>
#include <cstdint>

#include "export/ExportPicture.h"

namespace tonzug::testing {

// Export options with small bands, to exercise the joins between them.
inline ExportOptions BandOptions(std::size_t bandBytes, std::int32_t threads = AvailableCores(),
                                 ExportProgress progress = {}) {
    ExportOptions options;
    options.bandBytes = bandBytes;
    options.threads = threads;
    options.progress = std::move(progress);
    return options;
}

}  // namespace tonzug::testing
