// Turns float angles of magnitude below a limit, in degrees, into radians and a rotation
// matrix as the dialogue does, and prints a hash of the cosine and sine entries per block of
// 2^24 magnitudes: two run times that print the same lines agree on every angle scanned.
// Every angle by default; every STRIDE-th magnitude (both signs) with a stride.
// Usage: angle_scan LIMIT_DEGREES [STRIDE]

#include "app/dialogue.h"
#include "geometry/matrix.h"
#include "testkit/bits.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fputs("usage: angle_scan LIMIT_DEGREES [STRIDE]\n", stderr);
        return 2;
    }
    const std::uint32_t limit = bitsOf(std::strtof(argv[1], nullptr));
    const auto stride = static_cast<std::uint32_t>(argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 1);
    if (stride == 0) {
        std::fputs("angle_scan: the stride must be a positive number\n", stderr);
        return 2;
    }
    for (const std::uint32_t sign : {0u, 0x80000000u}) {
        std::uint64_t hash = 14695981039346656037u; // FNV-1a
        for (std::uint64_t magnitude = 0; magnitude < limit; magnitude += stride) {
            const auto bits = static_cast<std::uint32_t>(sign | magnitude);
            const Matrix3 rotation = rotationZ(toRadians(floatWithBits(bits)));
            for (const float entry : {rotation.m[0], rotation.m[3]}) { // c and s
                hash = (hash ^ bitsOf(entry)) * 1099511628211u;
            }
            const std::uint64_t next = magnitude + stride;
            if (next >= limit || next >> 24 != magnitude >> 24) {
                std::printf("%08lx %016llx\n", static_cast<unsigned long>(bits), static_cast<unsigned long long>(hash));
                hash = 14695981039346656037u;
            }
        }
    }
    return 0;
}
