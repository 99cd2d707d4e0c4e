// Conversions of the toolkit's variant.
#include "toolkit/Variant.h"

#include "platform/error.h"

#include <gtest/gtest.h>

#include <functional>

namespace orr {
namespace {

int errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const RunError& e) {
        return e.number();
    }
    return 0;
}

TEST(VariantTest, TextOfEveryKind) {
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant("abc").toText(), "abc");
    EXPECT_EQ(Variant::byte(255).toText(), "255");
    EXPECT_EQ(Variant::integer(-32768).toText(), "-32768");
    EXPECT_EQ(Variant::longInteger(-7).toText(), "-7");
}

TEST(VariantTest, NumbersRoundHalfToEven) {
    const std::pair<const char*, std::int32_t> rows[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"0.5", 0}, {"1.5", 2}, {" 12 ", 12},
        {"1e3", 1000}, {"+7", 7}, {"-0.4", 0}, {"2147483647", 2147483647},
    };
    for (const auto& [text, value] : rows) EXPECT_EQ(Variant(text).toLong(), value) << text;
    EXPECT_EQ(Variant().toLong(), 0);
    EXPECT_EQ(Variant::integer(-5).toLong(), -5);
    EXPECT_EQ(Variant("254.5").toByte(), 254);
    EXPECT_EQ(Variant("-0.4").toByte(), 0);
}

TEST(VariantTest, HexAndOctalTextsAreBitPatternsOfTheTarget) {
    EXPECT_EQ(Variant("&HFF").toByte(), 255);
    EXPECT_EQ(Variant("&HFFFF").toLong(), 65535);
    EXPECT_EQ(Variant("&HFFFFFFFF").toLong(), -1);
    EXPECT_EQ(Variant("&h80000000").toLong(), -2147483647 - 1);
    EXPECT_EQ(Variant("&O17").toLong(), 15);
    EXPECT_EQ(errorOf([] { Variant("&H100").toByte(); }), 6);
    EXPECT_EQ(errorOf([] { Variant("&H100000000").toLong(); }), 6);
    EXPECT_EQ(errorOf([] { Variant("&O8").toLong(); }), 13);
}

TEST(VariantTest, ConversionFailures) {
    EXPECT_EQ(errorOf([] { Variant("abc").toLong(); }), 13);
    EXPECT_EQ(errorOf([] { Variant("").toLong(); }), 13);
    EXPECT_EQ(errorOf([] { Variant("1e").toLong(); }), 13);
    EXPECT_EQ(errorOf([] { Variant("12x").toByte(); }), 13);
    EXPECT_EQ(errorOf([] { Variant("255.5").toByte(); }), 6);  // rounds to 256
    EXPECT_EQ(errorOf([] { Variant("-1").toByte(); }), 6);
    EXPECT_EQ(errorOf([] { Variant("2147483647.5").toLong(); }), 6);
    EXPECT_EQ(errorOf([] { Variant("1e999").toLong(); }), 6);
}

}  // namespace
}  // namespace orr
