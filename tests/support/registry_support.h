// Registry set-up shared by the registry tests: a key of the test's own,
// values written and read around the class under test, and a key made to
// grant read access only.
#pragma once

#include "platform/registry.h"
#include "platform/services.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orr::test {

struct RawValue {
    std::uint32_t type = 0;
    std::string data;
    friend bool operator==(const RawValue&, const RawValue&) = default;
};

// HKEY_CURRENT_USER\Software\OrrindaleTest-<random>, created for one test
// and deleted with everything below it when the test ends.
class TestKey {
public:
    explicit TestKey(platform::Registry& registry);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    static constexpr std::uint32_t root = platform::reg::currentUser;
    // The key's path below the root, or that of a key below it.
    const std::string& path() const { return path_; }
    std::string path(const std::string& below) const { return path_ + "\\" + below; }

    // Creates the key `below` (relative to this one; "" is this one).
    void create(const std::string& below);
    // Writes a value of any type into the key `below`, which must exist.
    void put(const std::string& below, const std::string& name, std::uint32_t type,
             const std::string& data);
    // A value as stored, or nothing when it cannot be read.
    std::optional<RawValue> get(const std::string& below, const std::string& name);

private:
    bool removeTree(const platform::RegKey& parent, const std::string& name);
    platform::Registry& r_;
    std::string path_;
};

// Makes the key grant read access only while this lives. Where no ACLs
// exist (the posix store) the whole root's file becomes read-only.
class ReadOnlyKey {
public:
    ReadOnlyKey(const platform::Options& options, std::uint32_t root, const std::string& path);
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

private:
    platform::Options options_;
    std::uint32_t root_;
    std::string path_;
};

// The four bytes of a 32-bit number, least significant first.
std::string dwordBytes(std::int32_t n);

}  // namespace orr::test
