// Conversions of the toolkit's variant.
#include "toolkit/Variant.h"
#include "toolkit/toolkit_fixture.h"

namespace orr {
namespace {

// Every kind has a text. Numbers round half to even; hex and octal texts
// are bit patterns of the target. A failure is its error: 6 Overflow, 13
// Type mismatch.
TEST(VariantTest, EveryKindHasATextAndATextBecomesALongOrAByteOrFails) {
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant("abc").toText(), "abc");
    EXPECT_EQ(Variant::byte(255).toText(), "255");
    EXPECT_EQ(Variant::integer(-32768).toText(), "-32768");
    EXPECT_EQ(Variant::longInteger(-7).toText(), "-7");
    struct Row {
        const char* text;
        bool toByte;
        std::int32_t value;
        int error = 0;
    };
    const Row rows[] = {
        {"2.5", false, 2}, {"3.5", false, 4}, {"-2.5", false, -2}, {"0.5", false, 0}, {"1.5", false, 2},
        {" 12 ", false, 12}, {"1e3", false, 1000}, {"+7", false, 7}, {"-0.4", false, 0},
        {"2147483647", false, 2147483647}, {"254.5", true, 254}, {"-0.4", true, 0},
        {"&HFF", true, 255}, {"&HFFFF", false, 65535}, {"&HFFFFFFFF", false, -1},
        {"&h80000000", false, -2147483647 - 1}, {"&O17", false, 15},
        {"&H100", true, 0, 6}, {"&H100000000", false, 0, 6}, {"&O8", false, 0, 13},
        {"abc", false, 0, 13}, {"", false, 0, 13}, {"1e", false, 0, 13}, {"12x", true, 0, 13},
        {"255.5", true, 0, 6}, {"-1", true, 0, 6}, {"2147483647.5", false, 0, 6}, {"1e999", false, 0, 6},
    };
    for (const Row& r : rows) {
        std::int32_t value = 0;
        EXPECT_EQ(test::runErrorNumber([&] { value = r.toByte ? Variant(r.text).toByte() : Variant(r.text).toLong(); }),
                  r.error)
            << r.text;
        EXPECT_EQ(value, r.value) << r.text;
    }
    EXPECT_EQ(Variant().toLong(), 0);
    EXPECT_EQ(Variant::integer(-5).toLong(), -5);
}

}  // namespace
}  // namespace orr
