// Turns every float angle of magnitude below a limit, in degrees, into radians and a
// rotation matrix as the dialogue does, and prints a hash of the cosine and sine entries per
// block of 2^24 angles: two run times that print the same lines agree on every such angle.
// Usage: angle_scan LIMIT_DEGREES

#include "app/dialogue.h"
#include "geometry/matrix.h"
#include "testkit/bits.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: angle_scan LIMIT_DEGREES\n", stderr);
        return 2;
    }
    const std::uint32_t limit = bitsOf(std::strtof(argv[1], nullptr));
    for (const std::uint32_t sign : {0u, 0x80000000u}) {
        std::uint64_t hash = 14695981039346656037u; // FNV-1a
        for (std::uint32_t magnitude = 0; magnitude < limit; ++magnitude) {
            const std::uint32_t bits = sign | magnitude;
            const Matrix3 rotation = rotationZ(toRadians(floatWithBits(bits)));
            for (const float entry : {rotation.m[0], rotation.m[3]}) { // c and s
                hash = (hash ^ bitsOf(entry)) * 1099511628211u;
            }
            if ((magnitude & 0xffffffu) == 0xffffffu || magnitude + 1 == limit) {
                std::printf("%08lx %016llx\n", static_cast<unsigned long>(bits), static_cast<unsigned long long>(hash));
                hash = 14695981039346656037u;
            }
        }
    }
    return 0;
}
