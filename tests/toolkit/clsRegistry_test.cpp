// clsRegistry against this OS's registry, in a key of the test's own.
#include "support/registry_support.h"
#include "support/test_root.h"
#include "toolkit/clsRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <set>
#include <tuple>

namespace orr {
namespace {

using namespace std::string_literals;
namespace reg = platform::reg;
using test::RawValue;

constexpr std::uint32_t HKCU = reg::currentUser;

// Expects `call` to fail with the class's own error for `method`.
template <class Call>
void expectRegistryError(Call call, int number, const char* method) {
    try {
        call();
        ADD_FAILURE() << method << " did not fail";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), number) << method;
        EXPECT_EQ(e.description(), method);
        EXPECT_EQ(e.source(), "clsRegistry");
    }
}

class RegistryTest : public ::testing::Test {
protected:
    test::TestRoot root;
    std::unique_ptr<platform::Registry> registry = platform::makeRegistry(root.options());
    test::TestKey key{*registry};
    clsRegistry cls{*registry};

    const std::string& K() const { return key.path(); }
};

// The stored type decides: text stays text, a 32-bit value a number
// (fractions round half to even), a binary value the number's own bytes;
// other types are left alone, and the answer is still True. A missing value
// becoming text is the registry scenario's.
TEST_F(RegistryTest, SetValueWritesAsTheStoredTypeDemandsOrFailsWith11001WhenTheValueDoesNotConvert) {
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string before;  // the data already stored
        Variant value;
        std::string after;
    };
    const Case cases[] = {
        {"text", reg::text, "old\0"s, Variant::longInteger(42), "42\0"s},
        {"longText", reg::text, std::string(299, 'x') + '\0', Variant::longInteger(9), "9\0"s},  // still text
        {"number", reg::dword, test::dwordBytes(7), Variant::longInteger(42), test::dwordBytes(42)},
        {"numberHalf", reg::dword, test::dwordBytes(7), "-2.5", test::dwordBytes(-2)},
        {"numberByte", reg::dword, test::dwordBytes(7), Variant::byte(200), test::dwordBytes(200)},
        {"expand", reg::expandText, "%TEMP%\0"s, "changed", "%TEMP%\0"s},
        // A binary value keeps its length when the number fits in it (a
        // number's length: 1 to 8 bytes), little-endian.
        {"two", reg::binary, "\x01\x02"s, Variant::longInteger(7), "\x07\x00"s},
        {"half", reg::binary, "\x01\x02"s, "3.5", "\x04\x00"s},
        {"one", reg::binary, "\x01"s, Variant::longInteger(200), "\xC8"s},
        {"oneNegative", reg::binary, "\x01"s, Variant::integer(-1), "\xFF"s},
        {"pattern", reg::binary, "\x00\x00"s, "&HFFFF", "\xFF\xFF"s},
        {"four", reg::binary, "\x01\x02\x03\x04"s, Variant::byte(5), "\x05\x00\x00\x00"s},
        {"eight", reg::binary, std::string(8, '\x11'), Variant::integer(-2), "\xFE"s + std::string(7, '\xFF')},
        {"eightPositive", reg::binary, std::string(8, '\x11'), Variant::longInteger(258), "\x02\x01\0\0\0\0\0\0"s},
        // Otherwise the value's own width: byte 1, 16-bit 2, other numbers 4.
        {"tooSmall", reg::binary, "\x01"s, Variant::longInteger(300), "\x2C\x01\x00\x00"s},
        {"tooSmallNegative", reg::binary, "\x01"s, Variant::longInteger(-129), "\x7F\xFF\xFF\xFF"s},
        {"tooSmallText", reg::binary, "\x01\x02"s, "70000", "\x70\x11\x01\x00"s},
        {"empty", reg::binary, "", Variant::integer(513), "\x01\x02"s},
        {"longByte", reg::binary, std::string(300, '\x05'), Variant::byte(9), "\x09"s},
        {"longInteger", reg::binary, std::string(300, '\x05'), Variant::integer(9), "\x09\x00"s},
        {"longLong", reg::binary, std::string(300, '\x05'), Variant::longInteger(9), "\x09\x00\x00\x00"s},
        {"longDigits", reg::binary, std::string(300, '\x05'), "9", "\x09\x00\x00\x00"s},
        {"nine", reg::binary, std::string(9, '\x05'), Variant::byte(1), "\x01"s},
    };
    for (const Case& c : cases) {
        key.put("", c.name, c.type, c.before);
        EXPECT_TRUE(cls.SetValue(HKCU, K(), c.name, c.value)) << c.name;
        EXPECT_EQ(key.get("", c.name), (RawValue{c.type, c.after})) << c.name;
    }
    // What is written reads back as the same number.
    EXPECT_EQ(cls.GetValue(HKCU, K(), "numberByte"), Variant::longInteger(200));
    EXPECT_EQ(cls.GetValue(HKCU, K(), "two"), Variant::byte(7));
    EXPECT_EQ(cls.GetValue(HKCU, K(), "one"), Variant::byte(200));
    EXPECT_EQ(cls.GetValue(HKCU, K(), "longDigits"), Variant::byte(9));

    // The leading "\" is dropped; the empty name is the default value.
    EXPECT_TRUE(cls.SetValue(HKCU, "\\" + K(), "", "default"));
    EXPECT_EQ(key.get("", ""), (RawValue{reg::text, "default\0"s}));

    // A value that does not convert is refused and kept (a missing key: the registry scenario's).
    key.put("", "number", reg::dword, test::dwordBytes(7));
    key.put("", "bytes", reg::binary, "\x01"s);
    key.put("", "long", reg::binary, std::string(300, '\x05'));
    for (const char* name : {"number", "bytes", "long"}) {
        // No number, and numbers beyond 32 bits.
        for (const Variant& value : {Variant("abc"), Variant(""), Variant("1e10"), Variant("&H100000000")})
            expectRegistryError([&] { cls.SetValue(HKCU, K(), name, value); }, 11001, "SetValue");
    }
    EXPECT_EQ(key.get("", "number"), (RawValue{reg::dword, test::dwordBytes(7)}));
    EXPECT_EQ(key.get("", "bytes"), (RawValue{reg::binary, "\x01"s}));
    EXPECT_EQ(key.get("", "long"), (RawValue{reg::binary, std::string(300, '\x05')}));
}

TEST_F(RegistryTest, GetValueReadsEachTypeAsItsVariantAndEmptyForWhatCannotBeRead) {
    const std::tuple<const char*, std::uint32_t, std::string, Variant> values[] = {
        {"text", reg::text, "hello\0"s, Variant("hello")},
        {"emptyText", reg::text, "", Variant("")},
        {"expand", reg::expandText, "%TEMP%\0"s, Variant("%TEMP%")},
        {"number", reg::dword, test::dwordBytes(-5), Variant::longInteger(-5)},
        {"oneByte", reg::binary, "\xC8"s, Variant::byte(200)},
        {"twoBytes", reg::binary, "\x05\x00"s, Variant::byte(5)},
        {"digits", reg::binary, "7\0"s, Variant::byte('7')},  // what SetValue leaves in a binary value
        {"", reg::text, "default\0"s, Variant("default")},
        {"exactly255", reg::text, std::string(254, 'y') + '\0', Variant(std::string(254, 'y'))},
        {"long", reg::text, std::string(299, 'x') + '\0', Variant()},
    };
    for (const auto& [name, type, data, expected] : values) {
        key.put("", name, type, data);
        EXPECT_EQ(cls.GetValue(HKCU, K(), name), expected) << name;
    }
    EXPECT_EQ(cls.GetValue(HKCU, "\\" + K(), "text"), Variant("hello"));
    EXPECT_TRUE(cls.GetValue(HKCU, K(), "missing").isEmpty());
    EXPECT_TRUE(cls.GetValue(HKCU, key.path("Missing"), "text").isEmpty());

    // A binary value above 255 overflows, and the overflow is let through.
    key.put("", "big", reg::binary, "\x00\x01"s);
    try {
        cls.GetValue(HKCU, K(), "big");
        ADD_FAILURE() << "no overflow";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number(), 6);
        EXPECT_NE(e.source(), "clsRegistry");
    }
}

TEST_F(RegistryTest, KeysAndValuesAreListedByIndexSkippingOverLongNamesAndCreatedTestedAndDeleted) {
    key.create("b");
    key.create("a");
    key.create("c\\deeper");
    key.put("", "v1", reg::text, "1\0"s);
    key.put("", "v2", reg::dword, test::dwordBytes(2));

    EXPECT_EQ(cls.ListSubKey(HKCU, K(), 0), "a");
    EXPECT_EQ(cls.ListSubKey(HKCU, K(), 1), "b");
    EXPECT_EQ(cls.ListSubKey(HKCU, "\\" + K(), 2), "c");
    EXPECT_EQ(cls.ListSubKey(HKCU, K(), -1), "");
    EXPECT_EQ(cls.ListSubKey(HKCU, key.path("a"), 0), "");
    EXPECT_EQ(cls.ListSubKey(HKCU, key.path("Missing"), 0), "");

    // Values come in the registry's own order, which Wine and Windows differ on.
    std::set<std::string> values{cls.ListSubValue(HKCU, K(), 0), cls.ListSubValue(HKCU, K(), 1)};
    EXPECT_EQ(values, (std::set<std::string>{"v1", "v2"}));
    EXPECT_EQ(cls.ListSubValue(HKCU, K(), 2), "");
    EXPECT_EQ(cls.ListSubValue(HKCU, key.path("Missing"), 0), "");

    // Names over 254 characters do not fit the buffer: nothing is listed.
    key.create("n\\" + std::string(254, 'k'));
    key.create("l\\" + std::string(255, 'k'));
    EXPECT_EQ(cls.ListSubKey(HKCU, key.path("n"), 0), std::string(254, 'k'));
    EXPECT_EQ(cls.ListSubKey(HKCU, key.path("l"), 0), "");
    key.put("l", std::string(255, 'v'), reg::text, "x\0"s);
    EXPECT_EQ(cls.ListSubValue(HKCU, key.path("l"), 0), "");

    EXPECT_TRUE(cls.CreateKey(HKCU, key.path("a\\b")));
    EXPECT_TRUE(cls.CreateKey(HKCU, key.path("a\\b")));  // already there
    EXPECT_TRUE(cls.KeyExists(HKCU, key.path("A\\B")));
    // Only one leading "\" is dropped.
    EXPECT_FALSE(cls.KeyExists(HKCU, "\\\\" + key.path("a")));
    EXPECT_FALSE(cls.CreateKey(HKCU, "\\\\" + key.path("x")));
    EXPECT_FALSE(cls.KeyExists(HKCU, key.path("x")));

    EXPECT_FALSE(cls.DeleteKey(HKCU, key.path("a")));  // it has a subkey
    EXPECT_TRUE(cls.DeleteKey(HKCU, "\\" + key.path("a\\b")));
    EXPECT_FALSE(cls.DeleteKey(HKCU, key.path("a\\b")));

    key.put("", "v", reg::text, "1\0"s);
    EXPECT_TRUE(cls.DeleteValue(HKCU, "\\" + K(), "v"));
    EXPECT_FALSE(key.get("", "v"));
    EXPECT_FALSE(cls.DeleteValue(HKCU, K(), "v"));
    EXPECT_FALSE(cls.DeleteValue(HKCU, key.path("Missing"), "v"));
}

TEST_F(RegistryTest, AKeyGrantingLessThanAllAccessCountsAsNotThere) {
    key.create("locked\\sub");
    key.put("locked", "v", reg::text, "kept\0"s);
    {
        test::ReadOnlyKey readOnly(root.options(), HKCU, key.path("locked"));
        EXPECT_FALSE(cls.KeyExists(HKCU, key.path("locked")));
        EXPECT_TRUE(cls.GetValue(HKCU, key.path("locked"), "v").isEmpty());
        EXPECT_EQ(cls.ListSubKey(HKCU, key.path("locked"), 0), "");
        EXPECT_EQ(cls.ListSubValue(HKCU, key.path("locked"), 0), "");
        EXPECT_FALSE(cls.DeleteValue(HKCU, key.path("locked"), "v"));
        expectRegistryError([&] { cls.SetValue(HKCU, key.path("locked"), "v", "x"); }, 11001, "SetValue");
        // Still readable with read access.
        EXPECT_EQ(key.get("locked", "v"), (RawValue{reg::text, "kept\0"s}));
    }
    EXPECT_TRUE(cls.KeyExists(HKCU, key.path("locked")));
}

// Passes every request on to the real registry, except the ones it is told
// to break.
class FaultyRegistry : public platform::Registry {
public:
    explicit FaultyRegistry(platform::Registry& real) : real_(real) {}

    bool throwOnAll = false;  // every request runs out of memory
    int failQueryFrom = 0;    // queries from this one on (1-based) fail
    std::function<void()> beforeSet;  // runs right before each write reaches the registry

    using Key = platform::RegKey;
    using Bytes = unsigned char*;
    std::int32_t queryValue(const Key& k, std::string_view n, std::uint32_t& t, Bytes d, std::uint32_t& s) override {
        fault();
        if (failQueryFrom && ++queries_ >= failQueryFrom) return reg::fileNotFound;
        return real_.queryValue(k, n, t, d, s);
    }
    std::int32_t connect(std::string_view c, std::uint32_t p, Key& k) override {
        return fault(), real_.connect(c, p, k);
    }
    std::int32_t open(const Key& p, std::string_view path, std::uint32_t a, Key& k) override {
        return fault(), real_.open(p, path, a, k);
    }
    std::int32_t setValue(const Key& k, std::string_view n, std::uint32_t t, const unsigned char* d,
                          std::uint32_t s) override {
        fault();
        if (beforeSet) beforeSet();
        return real_.setValue(k, n, t, d, s);
    }
    std::int32_t enumKey(const Key& k, std::uint32_t i, char* n, std::uint32_t& s) override {
        return fault(), real_.enumKey(k, i, n, s);
    }
    std::int32_t enumValue(const Key& k, std::uint32_t i, char* n, std::uint32_t& s) override {
        return fault(), real_.enumValue(k, i, n, s);
    }
    std::int32_t createKey(const Key& p, std::string_view path, std::uint32_t a, Key& k) override {
        return fault(), real_.createKey(p, path, a, k);
    }
    std::int32_t deleteKey(const Key& p, std::string_view path) override { return fault(), real_.deleteKey(p, path); }
    std::int32_t deleteValue(const Key& k, std::string_view n) override { return fault(), real_.deleteValue(k, n); }

private:
    void fault() {
        if (throwOnAll) throw std::bad_alloc();
    }
    void close(std::intptr_t) noexcept override {}  // never hands out handles of its own
    platform::Registry& real_;
    int queries_ = 0;
};

TEST_F(RegistryTest, ARefusedWriteAnswersFalseAFailingRegistryRaisesTheClasssOwnErrorAndAFailedReadGivesZeroOrEmpty) {
    key.put("", "kept", reg::binary, "\x01\x02"s);

    // A value name longer than the registry allows (16,383 characters).
    const std::string tooLong(16384, 'n');
    EXPECT_FALSE(cls.SetValue(HKCU, K(), tooLong, "x"));
    EXPECT_EQ(key.get("", tooLong), std::nullopt);

    // The key is deleted after it was opened, before each kind of write.
    for (const char* name : {"number", "missing"}) {
        key.create("gone");
        key.put("gone", "number", reg::dword, test::dwordBytes(7));
        FaultyRegistry faulty(*registry);
        faulty.beforeSet = [&] { ASSERT_TRUE(cls.DeleteKey(HKCU, key.path("gone"))); };
        EXPECT_FALSE(clsRegistry(faulty).SetValue(HKCU, key.path("gone"), name, Variant::longInteger(9)))
            << name;
        EXPECT_FALSE(cls.KeyExists(HKCU, key.path("gone"))) << name;
    }

    // Nothing else was touched.
    EXPECT_EQ(key.get("", "kept"), (RawValue{reg::binary, "\x01\x02"s}));
    EXPECT_EQ(cls.ListSubValue(HKCU, K(), 0), "kept");
    EXPECT_EQ(cls.ListSubValue(HKCU, K(), 1), "");

    // Every method but GetValue turns a failure into its own error.
    FaultyRegistry throwing(*registry);
    clsRegistry broken(throwing);
    throwing.throwOnAll = true;
    expectRegistryError([&] { broken.SetValue(HKCU, K(), "v", "x"); }, 11001, "SetValue");
    expectRegistryError([&] { broken.ListSubKey(HKCU, K(), 0); }, 11003, "ListSubKey");
    expectRegistryError([&] { broken.DeleteValue(HKCU, K(), "v"); }, 11004, "DeleteValue");
    expectRegistryError([&] { broken.CreateKey(HKCU, K()); }, 11005, "CreateKey");
    expectRegistryError([&] { broken.DeleteKey(HKCU, K()); }, 11006, "DeleteKey");
    expectRegistryError([&] { broken.ListSubValue(HKCU, K(), 0); }, 11007, "ListSubValue");
    expectRegistryError([&] { broken.KeyExists(HKCU, K()); }, 11008, "KeyExists");
    EXPECT_THROW(broken.GetValue(HKCU, K(), "v"), std::bad_alloc);

    // A failed second read gives zero for numbers, empty text otherwise.
    key.put("", "number", reg::dword, test::dwordBytes(9));
    key.put("", "bytes", reg::binary, "\x09"s);
    key.put("", "text", reg::text, "t\0"s);
    key.put("", "expand", reg::expandText, "e\0"s);
    for (const char* name : {"number", "bytes", "text", "expand"}) {
        FaultyRegistry faulty(*registry);
        faulty.failQueryFrom = 2;
        Variant expected = name[0] == 'n' || name[0] == 'b' ? Variant::integer(0) : Variant("");
        EXPECT_EQ(clsRegistry(faulty).GetValue(HKCU, K(), name), expected) << name;
    }
}

}  // namespace
}  // namespace orr
