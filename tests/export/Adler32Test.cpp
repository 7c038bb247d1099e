#include "export/Adler32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace tonzug {
namespace {

// Lengths around the lane width and the block size, and long runs of 0xFF, where the sums
// come closest to overflowing; continued from a value other than 1 as well.
TEST(Adler32, MatchesZlib) {
    std::mt19937 random(11);
    for (const bool allOnes : {false, true}) {
        for (const std::size_t size : {0, 1, 15, 16, 17, 5551, 5552, 5553, 100000}) {
            // One byte more: zlib takes a null buffer as a request for the initial value.
            std::vector<std::uint8_t> bytes(size + 1, 0xFF);
            if (!allOnes) {
                for (auto& byte : bytes) {
                    byte = static_cast<std::uint8_t>(random());
                }
            }
            for (const std::uint32_t start : {1u, 0xFFF0FFF0u, 0x12345678u}) {
                EXPECT_EQ(Adler32(start, bytes.data(), size), adler32_z(start, bytes.data(), size))
                    << size << " bytes" << (allOnes ? " of 0xFF" : "") << " from " << start;
            }
        }
    }
}

}  // namespace
}  // namespace tonzug
