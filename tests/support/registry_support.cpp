#include "registry_support.h"

#include <gtest/gtest.h>

#include <random>

namespace orr::test {

namespace reg = platform::reg;
using platform::RegKey;

TestKey::TestKey(platform::Registry& registry) : r_(registry) {
    std::random_device random;
    path_ = "Software\\OrrindaleTest-" + std::to_string(random() % 1000000000u);
    RegKey key;
    EXPECT_EQ(r_.createKey(RegKey::predefined(root), path_, reg::allAccess, key), reg::ok);
}

TestKey::~TestKey() { removeTree(RegKey::predefined(root), path_); }

// Keys below the test key are reached from a handle to it, so that long
// names stay within the paths Wine's ANSI functions accept (260 characters).
void TestKey::create(const std::string& below) {
    RegKey base, key;
    ASSERT_EQ(r_.open(RegKey::predefined(root), path_, reg::allAccess, base), reg::ok);
    ASSERT_EQ(r_.createKey(base, below, reg::allAccess, key), reg::ok) << below;
}

void TestKey::put(const std::string& below, const std::string& name, std::uint32_t type,
                  const std::string& data) {
    RegKey base, key;
    ASSERT_EQ(r_.open(RegKey::predefined(root), path_, reg::allAccess, base), reg::ok);
    ASSERT_EQ(r_.open(base, below, reg::allAccess, key), reg::ok) << below;
    auto rc = r_.setValue(key, name, type, reinterpret_cast<const unsigned char*>(data.data()),
                          static_cast<std::uint32_t>(data.size()));
    ASSERT_EQ(rc, reg::ok) << name;
}

std::optional<RawValue> TestKey::get(const std::string& below, const std::string& name) {
    RegKey base, key;
    if (r_.open(RegKey::predefined(root), path_, reg::read, base) != reg::ok ||
        r_.open(base, below, reg::read, key) != reg::ok)
        return std::nullopt;
    RawValue v;
    std::uint32_t size = 0;
    if (r_.queryValue(key, name, v.type, nullptr, size) != reg::ok) return std::nullopt;
    v.data.resize(size);
    if (r_.queryValue(key, name, v.type, reinterpret_cast<unsigned char*>(v.data.data()), size) != reg::ok)
        return std::nullopt;
    v.data.resize(size);
    return v;
}

bool TestKey::removeTree(const RegKey& parent, const std::string& name) {
    {
        RegKey key;
        if (r_.open(parent, name, reg::read, key) != reg::ok) return false;
        // Deleting changes the indexes, so the first subkey is taken each time.
        char sub[512];
        std::uint32_t size = sizeof sub;
        while (r_.enumKey(key, 0, sub, size) == reg::ok) {
            if (!removeTree(key, std::string(sub, size))) return false;
            size = sizeof sub;
        }
    }
    return r_.deleteKey(parent, name) == reg::ok;
}

std::string dwordBytes(std::int32_t n) {
    auto u = static_cast<std::uint32_t>(n);
    std::string out;
    for (int i = 0; i < 4; ++i) out += static_cast<char>(u >> (8 * i) & 0xff);
    return out;
}

}  // namespace orr::test
