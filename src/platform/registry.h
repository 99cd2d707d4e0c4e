// Registry service: the platform's registry functions one to one, with
// their 32-bit result codes (0 on success, otherwise a system error code)
// and caller-owned buffers, so that the toolkit's class above it decides
// everything the functions leave to their caller. Texts are passed
// unchanged (UTF-8, the program's ANSI code page).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orr::platform {

struct Options;

namespace reg {
// Result codes, as the platform numbers them.
inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t fileNotFound = 2;
inline constexpr std::int32_t accessDenied = 5;
inline constexpr std::int32_t invalidHandle = 6;
inline constexpr std::int32_t badNetPath = 53;
inline constexpr std::int32_t invalidParameter = 87;
inline constexpr std::int32_t badPathName = 161;
inline constexpr std::int32_t moreData = 234;
inline constexpr std::int32_t noMoreItems = 259;
inline constexpr std::int32_t badDb = 1009;
inline constexpr std::int32_t cantWrite = 1013;
inline constexpr std::int32_t keyDeleted = 1018;

// Value type codes.
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t text = 1;         // REG_SZ
inline constexpr std::uint32_t expandText = 2;   // REG_EXPAND_SZ
inline constexpr std::uint32_t binary = 3;       // REG_BINARY
inline constexpr std::uint32_t dword = 4;        // REG_DWORD
inline constexpr std::uint32_t multiText = 7;    // REG_MULTI_SZ

// Access rights.
inline constexpr std::uint32_t queryValue = 0x0001;
inline constexpr std::uint32_t setValue = 0x0002;
inline constexpr std::uint32_t createSubKey = 0x0004;
inline constexpr std::uint32_t enumerateSubKeys = 0x0008;
inline constexpr std::uint32_t notify = 0x0010;
inline constexpr std::uint32_t createLink = 0x0020;
inline constexpr std::uint32_t read = 0x20019;
inline constexpr std::uint32_t allAccess = 0xF003F;
// Registry views, added to the access of an open or create: on 64-bit
// Windows HKEY_LOCAL_MACHINE\SOFTWARE has one for 64-bit programs and one
// (SOFTWARE\WOW6432Node) for 32-bit programs. Without either flag a
// program sees its own; this program is taken to be a 64-bit one.
inline constexpr std::uint32_t view64 = 0x0100;  // KEY_WOW64_64KEY
inline constexpr std::uint32_t view32 = 0x0200;  // KEY_WOW64_32KEY

// Predefined root keys, as 32-bit handle values.
inline constexpr std::uint32_t classesRoot = 0x80000000;
inline constexpr std::uint32_t currentUser = 0x80000001;
inline constexpr std::uint32_t localMachine = 0x80000002;
inline constexpr std::uint32_t users = 0x80000003;
inline constexpr std::uint32_t currentConfig = 0x80000005;
}  // namespace reg

class Registry;

// A key handle. One that a Registry opened is closed when this goes; a
// predefined root is only named, never closed. The Registry must outlive it.
class RegKey {
public:
    RegKey() = default;
    // The root as the platform spells its handle: the 32-bit value sign-extended.
    static RegKey predefined(std::uint32_t root) {
        return RegKey(nullptr, static_cast<std::intptr_t>(static_cast<std::int32_t>(root)));
    }
    RegKey(RegKey&& other) noexcept : owner_(other.owner_), handle_(other.handle_) {
        other.owner_ = nullptr;
        other.handle_ = 0;
    }
    RegKey& operator=(RegKey&& other) noexcept {
        if (this != &other) {
            reset();
            owner_ = other.owner_;
            handle_ = other.handle_;
            other.owner_ = nullptr;
            other.handle_ = 0;
        }
        return *this;
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { reset(); }

    std::intptr_t handle() const noexcept { return handle_; }
    inline void reset() noexcept;

private:
    friend class Registry;
    RegKey(Registry* owner, std::intptr_t handle) : owner_(owner), handle_(handle) {}
    Registry* owner_ = nullptr;
    std::intptr_t handle_ = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegConnectRegistryA: `predefined` on the named computer.
    virtual std::int32_t connect(std::string_view computer, std::uint32_t predefined,
                                 RegKey& result) = 0;
    // RegOpenKeyExA (options 0). An empty path opens `parent` again.
    virtual std::int32_t open(const RegKey& parent, std::string_view path,
                              std::uint32_t access, RegKey& result) = 0;
    // RegQueryValueExA. `data` may be null (then only type and size come
    // back); `size` is the buffer's size in, the data's size out, also on
    // moreData.
    virtual std::int32_t queryValue(const RegKey& key, std::string_view name,
                                    std::uint32_t& type, unsigned char* data,
                                    std::uint32_t& size) = 0;
    // RegSetValueExA.
    virtual std::int32_t setValue(const RegKey& key, std::string_view name, std::uint32_t type,
                                  const unsigned char* data, std::uint32_t size) = 0;
    // RegEnumKeyExA / RegEnumValueA without class, type or data: `nameSize`
    // is the buffer's size in characters in, the name's length without its
    // terminating zero out.
    virtual std::int32_t enumKey(const RegKey& key, std::uint32_t index, char* name,
                                 std::uint32_t& nameSize) = 0;
    virtual std::int32_t enumValue(const RegKey& key, std::uint32_t index, char* name,
                                   std::uint32_t& nameSize) = 0;
    // RegCreateKeyExA (no class, non-volatile, default security): creates
    // the missing keys along the path, or opens the key when it exists.
    virtual std::int32_t createKey(const RegKey& parent, std::string_view path,
                                   std::uint32_t access, RegKey& result) = 0;
    // RegDeleteKeyA: a key with subkeys is not deleted.
    virtual std::int32_t deleteKey(const RegKey& parent, std::string_view path) = 0;
    // RegDeleteValueA.
    virtual std::int32_t deleteValue(const RegKey& key, std::string_view name) = 0;

protected:
    // Wraps a handle this registry opened, so that it is closed in time.
    RegKey adopt(std::intptr_t handle) { return RegKey(this, handle); }

private:
    friend class RegKey;
    // RegCloseKey.
    virtual void close(std::intptr_t handle) noexcept = 0;
};

inline void RegKey::reset() noexcept {
    if (owner_) owner_->close(handle_);
    owner_ = nullptr;
    handle_ = 0;
}

// This OS's registry.
std::unique_ptr<Registry> makeRegistry(const Options& options);

// The text of one REG_SZ value of a key below a predefined root, read in
// `view` (reg::view32, reg::view64 or 0); nothing when the key or the
// value is missing or unreadable, or the value is not REG_SZ.
std::optional<std::string> readText(Registry& registry, std::uint32_t root, std::string_view path,
                                    std::string_view name, std::uint32_t view = 0);

}  // namespace orr::platform
