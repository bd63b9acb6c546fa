#include "storage/Xxh32.h"

#include <cstring>

namespace {

constexpr uint32_t P1 = 0x9E3779B1u, P2 = 0x85EBCA77u, P3 = 0xC2B2AE3Du, P4 = 0x27D4EB2Fu,
                   P5 = 0x165667B1u;

uint32_t Rotl(uint32_t V, int R) {
    return (V << R) | (V >> (32 - R));
}

// Little-endian on every target we build for.
uint32_t Load32(const uint8_t* P) {
    uint32_t V;
    std::memcpy(&V, P, 4);
    return V;
}

uint32_t Round(uint32_t Acc, uint32_t Input) {
    return Rotl(Acc + Input * P2, 13) * P1;
}

} // namespace

uint32_t Xxh32(const void* Data, size_t Size) {
    const auto* P = static_cast<const uint8_t*>(Data);
    const uint8_t* const End = P + Size;
    uint32_t H;
    if (Size >= 16) {
        uint32_t V1 = P1 + P2, V2 = P2, V3 = 0, V4 = 0u - P1;
        for (; End - P >= 16; P += 16) {
            V1 = Round(V1, Load32(P));
            V2 = Round(V2, Load32(P + 4));
            V3 = Round(V3, Load32(P + 8));
            V4 = Round(V4, Load32(P + 12));
        }
        H = Rotl(V1, 1) + Rotl(V2, 7) + Rotl(V3, 12) + Rotl(V4, 18);
    } else {
        H = P5;
    }
    H += static_cast<uint32_t>(Size);
    for (; End - P >= 4; P += 4)
        H = Rotl(H + Load32(P) * P3, 17) * P4;
    for (; P < End; ++P)
        H = Rotl(H + *P * P5, 11) * P1;
    H ^= H >> 15;
    H *= P2;
    H ^= H >> 13;
    H *= P3;
    H ^= H >> 16;
    return H;
}
