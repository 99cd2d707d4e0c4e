#include "Png.h"

#include "Crc32.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace orr::drive {
namespace {

std::uint32_t adler32(const std::vector<std::uint8_t>& data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// Bits go out from the lowest bit of each byte up, as deflate packs them.
class BitWriter {
public:
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used_ == 0) out.push_back(0);
            out.back() |= static_cast<std::uint8_t>(((value >> i) & 1) << used_);
            used_ = (used_ + 1) & 7;
        }
    }
    // Huffman codes go out from their highest bit.
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bits((value >> i) & 1, 1);
    }
    std::vector<std::uint8_t> out;

private:
    int used_ = 0;
};

void literal(BitWriter& w, int v) {
    if (v < 144) w.code(0x30 + v, 8);
    else if (v < 256) w.code(0x190 + (v - 144), 9);
    else if (v < 280) w.code(v - 256, 7);
    else w.code(0xC0 + (v - 280), 8);
}

constexpr std::array<int, 29> lengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                         31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> lengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> distanceBase{1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                           33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                           1025, 1537, 2049, 3073, 4097, 6145,  8193,  12289, 16385, 24577};
constexpr std::array<int, 30> distanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void match(BitWriter& w, int length, int distance) {
    int l = 28;
    while (lengthBase[l] > length) --l;
    literal(w, 257 + l);
    w.bits(length - lengthBase[l], lengthExtra[l]);
    int d = 29;
    while (distanceBase[d] > distance) --d;
    w.code(d, 5);
    w.bits(distance - distanceBase[d], distanceExtra[d]);
}

// One final block with the fixed codes; greedy matches found through hash
// chains over the last 32 KiB.
std::vector<std::uint8_t> deflate(const std::vector<std::uint8_t>& data) {
    constexpr int window = 32768, maxLength = 258, maxChain = 64, hashSize = 1 << 15;
    BitWriter w;
    w.bits(1, 1);  // final block
    w.bits(1, 2);  // fixed codes
    std::vector<int> head(hashSize, -1), previous(window, -1);
    auto hashAt = [&](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (hashSize - 1);
    };
    auto insert = [&](std::size_t i) {
        if (i + 2 >= data.size()) return;
        int h = hashAt(i);
        previous[i % window] = head[h];
        head[h] = static_cast<int>(i);
    };
    std::size_t i = 0;
    while (i < data.size()) {
        int bestLength = 0, bestDistance = 0;
        if (i + 2 < data.size()) {
            int candidate = head[hashAt(i)];
            int limit = static_cast<int>(std::min<std::size_t>(maxLength, data.size() - i));
            for (int chain = 0; candidate >= 0 && chain < maxChain; ++chain) {
                int distance = static_cast<int>(i) - candidate;
                if (distance > window - 1) break;
                int length = 0;
                while (length < limit && data[candidate + length] == data[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == limit) break;
                }
                int next = previous[candidate % window];
                if (next >= candidate) break;  // the slot was reused
                candidate = next;
            }
        }
        if (bestLength >= 3) {
            match(w, bestLength, bestDistance);
            for (int k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            literal(w, data[i]);
            insert(i);
            ++i;
        }
    }
    literal(w, 256);
    return std::move(w.out);
}

int paeth(int a, int b, int c) {
    int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Each row with the filter that leaves the smallest differences.
std::vector<std::uint8_t> filtered(int width, int height, const std::vector<std::uint8_t>& rgb) {
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> out;
    out.reserve((stride + 1) * height);
    std::vector<std::uint8_t> row(stride), best(stride);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* cur = &rgb[y * stride];
        const std::uint8_t* up = y > 0 ? &rgb[(y - 1) * stride] : nullptr;
        long bestCost = -1;
        std::uint8_t bestType = 0;
        for (std::uint8_t type = 0; type < 5; ++type) {
            long cost = 0;
            for (std::size_t x = 0; x < stride; ++x) {
                int a = x >= 3 ? cur[x - 3] : 0, b = up ? up[x] : 0, c = (up && x >= 3) ? up[x - 3] : 0;
                int predicted = type == 1 ? a : type == 2 ? b : type == 3 ? (a + b) / 2 : type == 4 ? paeth(a, b, c) : 0;
                row[x] = static_cast<std::uint8_t>(cur[x] - predicted);
                cost += std::abs(static_cast<std::int8_t>(row[x]));
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                bestType = type;
                best.swap(row);
            }
        }
        out.push_back(bestType);
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

void put32(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) s += static_cast<char>((v >> shift) & 0xFF);
}

void chunk(std::string& png, const char* type, const std::vector<std::uint8_t>& body) {
    put32(png, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    png.append(reinterpret_cast<const char*>(typed.data()), typed.size());
    put32(png, crc32(typed.data(), typed.size()));
}

}  // namespace

std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::vector<std::uint8_t> header;
    for (int v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) header.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, standard filters, no interlace
    chunk(png, "IHDR", header);

    std::vector<std::uint8_t> raw = filtered(width, height, rgb);
    std::vector<std::uint8_t> stream{0x78, 0x01};
    std::vector<std::uint8_t> packed = deflate(raw);
    stream.insert(stream.end(), packed.begin(), packed.end());
    std::uint32_t check = adler32(raw);
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<std::uint8_t>((check >> shift) & 0xFF));
    chunk(png, "IDAT", stream);
    chunk(png, "IEND", {});
    return png;
}

}  // namespace orr::drive
