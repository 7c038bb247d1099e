#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tonzug {

// The whole content of a regular file of at most `limit` bytes into `content`, or why it
// was refused in plain words (`missing` tells a file that is not there). Never blocks on a
// FIFO.
std::optional<std::string> ReadBoundedFile(const std::string& path, std::size_t limit,
                                           std::string& content, bool& missing);

}  // namespace tonzug
