#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tonzug {

// `tonzug --pick`: one colour from the screen, printed as #RRGGBB. The window program
// answers it, since reading the screen needs the window system.
inline constexpr std::string_view kPickOption = "--pick";

inline bool PicksFromScreen(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && arguments.front() == kPickOption;
}

}  // namespace tonzug
