#include "export/Adler32.h"

#include <algorithm>

namespace tonzug {
namespace {

constexpr std::uint32_t kModulus = 65521;
constexpr std::size_t kLanes = 16;
// The most bytes whose sums cannot overflow 32 bits before the modulus is taken (zlib's
// NMAX), rounded down to whole lanes.
constexpr std::size_t kBlockBytes = 5552 / kLanes * kLanes;

}  // namespace

std::uint32_t Adler32(std::uint32_t adler, const std::uint8_t* data, std::size_t size) {
    std::uint64_t sum = adler & 0xFFFFu;
    std::uint64_t weighted = adler >> 16;
    while (size >= kLanes) {
        const std::size_t chunks = std::min(size, kBlockBytes) / kLanes;
        // Per lane: the sum of its bytes, and the sum of those sums before each chunk.
        // A byte in chunk c of C, lane j, adds to the weighted sum (C - c - 1) * 16 + 16 - j
        // times, which the two give back at the end.
        std::uint32_t laneSums[kLanes] = {};
        std::uint32_t earlierSums[kLanes] = {};
        for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
            const std::uint8_t* bytes = data + chunk * kLanes;
            // Kept a loop, which the compiler turns into vector adds; unrolled it is not.
#pragma GCC unroll 1
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                earlierSums[lane] += laneSums[lane];
                laneSums[lane] += bytes[lane];
            }
        }
        std::uint64_t blockSum = 0;
        std::uint64_t blockWeighted = 0;
        for (std::size_t lane = 0; lane < kLanes; ++lane) {
            blockSum += laneSums[lane];
            blockWeighted += kLanes * std::uint64_t{earlierSums[lane]} +
                             (kLanes - lane) * std::uint64_t{laneSums[lane]};
        }
        const std::size_t bytes = chunks * kLanes;
        weighted = (weighted + bytes * sum + blockWeighted) % kModulus;
        sum = (sum + blockSum) % kModulus;
        data += bytes;
        size -= bytes;
    }
    for (std::size_t i = 0; i < size; ++i) {
        sum += data[i];
        weighted += sum;
    }
    return static_cast<std::uint32_t>((weighted % kModulus) << 16 | (sum % kModulus));
}

}  // namespace tonzug
