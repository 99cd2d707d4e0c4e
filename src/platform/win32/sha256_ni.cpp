#include "sha256_ni.h"

#include <immintrin.h>
#ifdef _MSC_VER
#include <intrin.h>
#else
#include <cpuid.h>
#endif

#include <algorithm>
#include <cstring>

// GCC compiles the instructions only in functions marked for them; MSVC
// compiles them anywhere.
#if defined(__GNUC__)
#define ORR_SHA_TARGET __attribute__((target("sha,sse4.1,ssse3")))
#else
#define ORR_SHA_TARGET
#endif

namespace orr::platform::win32 {
namespace {

alignas(16) constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

bool hasShaInstructions() {
    unsigned a = 0, b = 0, c = 0, d = 0;
#ifdef _MSC_VER
    int r[4];
    __cpuidex(r, 7, 0);
    b = static_cast<unsigned>(r[1]);
    __cpuid(r, 1);
    c = static_cast<unsigned>(r[2]);
#else
    if (!__get_cpuid_count(7, 0, &a, &b, &c, &d)) return false;
    const unsigned extended = b;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    b = extended;
#endif
    const bool sha = (b >> 29) & 1, sse41 = (c >> 19) & 1, ssse3 = (c >> 9) & 1;
    return sha && sse41 && ssse3;
}

// Runs `blocks` 64-byte blocks through the state (words A..H in order).
ORR_SHA_TARGET void compress(std::uint32_t state[8], const unsigned char* data, std::size_t blocks) {
    const __m128i swap = _mm_set_epi64x(0x0c0d0e0f08090a0bLL, 0x0405060700010203LL);
    // The instructions keep the state as ABEF and CDGH.
    __m128i t = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state)), 0xB1);
    __m128i cdgh = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 4)), 0x1B);
    __m128i abef = _mm_alignr_epi8(t, cdgh, 8);
    cdgh = _mm_blend_epi16(cdgh, t, 0xF0);

    for (; blocks > 0; --blocks, data += 64) {
        const __m128i abefBefore = abef, cdghBefore = cdgh;
        __m128i w[4];  // the schedule's last sixteen words, four by four
        for (int j = 0; j < 16; ++j) {
            __m128i& x = w[j & 3];
            if (j < 4) {
                x = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * j)), swap);
            } else {
                const __m128i& last = w[(j + 3) & 3];
                x = _mm_sha256msg1_epu32(x, w[(j + 1) & 3]);
                x = _mm_add_epi32(x, _mm_alignr_epi8(last, w[(j + 2) & 3], 4));
                x = _mm_sha256msg2_epu32(x, last);
            }
            __m128i k = _mm_add_epi32(x, _mm_load_si128(reinterpret_cast<const __m128i*>(kRound + 4 * j)));
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, k);
            k = _mm_shuffle_epi32(k, 0x0E);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, k);
        }
        abef = _mm_add_epi32(abef, abefBefore);
        cdgh = _mm_add_epi32(cdgh, cdghBefore);
    }

    t = _mm_shuffle_epi32(abef, 0x1B);
    cdgh = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state), _mm_blend_epi16(t, cdgh, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 4), _mm_alignr_epi8(cdgh, t, 8));
}

class ShaNi final : public Sha256 {
public:
    ShaNi() { start(); }

    void update(std::span<const char> bytes) override {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
        std::size_t n = bytes.size();
        length_ += n;
        if (held_ > 0) {
            const std::size_t take = std::min(n, sizeof block_ - held_);
            std::memcpy(block_ + held_, p, take);
            held_ += take;
            p += take;
            n -= take;
            if (held_ < sizeof block_) return;
            compress(state_, block_, 1);
            held_ = 0;
        }
        compress(state_, p, n / 64);
        held_ = n % 64;
        std::memcpy(block_, p + n - held_, held_);
    }
    Digest finish() override {
        const std::uint64_t bits = length_ * 8;
        block_[held_++] = 0x80;
        if (held_ > 56) {
            std::memset(block_ + held_, 0, sizeof block_ - held_);
            compress(state_, block_, 1);
            held_ = 0;
        }
        std::memset(block_ + held_, 0, 56 - held_);
        for (int i = 0; i < 8; ++i) block_[56 + i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
        compress(state_, block_, 1);
        Digest d{};
        for (int i = 0; i < 32; ++i) d[i] = static_cast<std::uint8_t>(state_[i / 4] >> (24 - 8 * (i % 4)));
        start();
        return d;
    }

private:
    void start() {
        constexpr std::uint32_t initial[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                              0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
        std::copy(std::begin(initial), std::end(initial), state_);
        held_ = 0;
        length_ = 0;
    }
    std::uint32_t state_[8];
    unsigned char block_[64];
    std::size_t held_ = 0;
    std::uint64_t length_ = 0;
};

}  // namespace

std::unique_ptr<Sha256> makeShaNi() {
    static const bool supported = hasShaInstructions();  // the processor's, fixed for the run
    if (!supported) return nullptr;
    return std::make_unique<ShaNi>();
}

}  // namespace orr::platform::win32
