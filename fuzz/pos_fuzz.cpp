// Feeds arbitrary text to the position parser; whatever it accepts must write back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rules/notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto board = zarvo::parse_pos(text);
    if (board && text != "start" && zarvo::format_pos(*board) != text) {
        std::abort();
    }
    return 0;
}
