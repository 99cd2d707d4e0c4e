#include "clsRegistry.h"

#include "platform/error.h"

#include <array>

namespace orr {
namespace {

namespace reg = platform::reg;
using platform::RegKey;

constexpr std::uint32_t dataBufferSize = 255;  // value data, in bytes
constexpr std::uint32_t nameBufferSize = 255;  // names, in characters with the closing zero

using DataBuffer = std::array<unsigned char, dataBufferSize>;

void dropLeadingBackslash(std::string& KeyName) {
    if (!KeyName.empty() && KeyName.front() == '\\') KeyName.erase(0, 1);
}

// Runs a method's body; any failure in it becomes the method's own error.
template <class Body>
auto trapped(int number, const char* method, Body body) -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        throw RunError(number, method, "clsRegistry");
    }
}

const unsigned char* bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Text is stored as single-byte characters and one closing zero byte.
std::int32_t writeText(platform::Registry& r, const RegKey& key, const std::string& name,
                       std::string chars) {
    chars.push_back('\0');
    return r.setValue(key, name, reg::text, bytes(chars), static_cast<std::uint32_t>(chars.size()));
}

// The widest stored binary value whose length a number keeps (a 64-bit
// field); longer data are no number and give way to the number's own width.
constexpr std::uint32_t widestNumber = 8;

// Bytes a number of this variant takes by itself: a byte 1, a 16-bit
// integer 2, anything else (32-bit, text, empty) 4.
std::uint32_t ownWidth(const Variant& v) {
    switch (v.kind()) {
    case Variant::Kind::byte: return 1;
    case Variant::Kind::integer: return 2;
    default: return 4;
    }
}

// Whether `width` bytes hold n, read either unsigned or as two's complement.
bool fitsIn(std::int32_t n, std::uint32_t width) {
    if (width >= 4) return true;
    const std::int64_t span = std::int64_t{1} << (8 * width);
    return n >= -span / 2 && n < span;
}

// n's two's complement, least significant byte first, sign-extended to
// `width` (at most 8).
std::string littleEndianBytes(std::int32_t n, std::uint32_t width) {
    std::string out;
    for (std::uint32_t i = 0; i < width; ++i)
        out += static_cast<char>(static_cast<std::int64_t>(n) >> (8 * i) & 0xff);
    return out;
}

std::int32_t littleEndian(const unsigned char* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                     std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
}

}  // namespace

RegKey clsRegistry::rootKey(std::uint32_t PredefinedKey, const std::string& ComputerName) {
    if (ComputerName.empty()) return RegKey::predefined(PredefinedKey);
    // A failed connection is not reported: the empty handle makes the next
    // open, create or delete fail. The remote root is released on return.
    RegKey remote;
    r_.connect(ComputerName, PredefinedKey, remote);
    return remote;
}

bool clsRegistry::SetValue(std::uint32_t PredefinedKey, std::string KeyName,
                           const std::string& ValueName, Variant Value,
                           const std::string& ComputerName) {
    return trapped(11001, "SetValue", [&] {
        dropLeadingBackslash(KeyName);
        RegKey root = rootKey(PredefinedKey, ComputerName);
        RegKey key;
        if (r_.open(root, KeyName, reg::allAccess, key) != reg::ok)
            throw RunError(11001, "SetValue", "clsRegistry");

        // The stored type decides how the value is written. Only type and
        // size are asked for, so that data of any length are recognised.
        std::uint32_t type = 0, size = 0;
        const std::int32_t found = r_.queryValue(key, ValueName, type, nullptr, size);
        if (found == reg::fileNotFound) return writeText(r_, key, ValueName, Value.toText()) == reg::ok;
        if (found != reg::ok) return false;  // a value there that cannot be read is left alone

        std::int32_t written = reg::ok;
        if (type == reg::text) {
            written = writeText(r_, key, ValueName, Value.toText());
        } else if (type == reg::binary || type == reg::dword) {
            // The number's own bytes; a binary value keeps its length when it
            // is a number's (1 to 8 bytes) and holds this one.
            const std::int32_t n = Value.toLong();
            std::uint32_t width = 4;
            if (type == reg::binary)
                width = size >= 1 && size <= widestNumber && fitsIn(n, size) ? size : ownWidth(Value);
            const std::string data = littleEndianBytes(n, width);
            written = r_.setValue(key, ValueName, type, bytes(data), width);
        }
        // Other types are left alone, as no write was asked of the registry.
        return written == reg::ok;
    });
}

Variant clsRegistry::GetValue(std::uint32_t PredefinedKey, std::string KeyName,
                              const std::string& ValueName, const std::string& ComputerName) {
    dropLeadingBackslash(KeyName);
    RegKey root = rootKey(PredefinedKey, ComputerName);
    RegKey key;
    if (r_.open(root, KeyName, reg::allAccess, key) != reg::ok) return {};

    DataBuffer text{};
    std::uint32_t type = 0, size = dataBufferSize;
    if (r_.queryValue(key, ValueName, type, text.data(), size) != reg::ok) return {};

    // Second read, with the size the first one reported.
    std::uint32_t again = 0;
    if (type == reg::dword || type == reg::binary) {
        // The number field starts at 0; it is as large as the text buffer so
        // that longer binary data stay in bounds, and only its first four
        // bytes count.
        DataBuffer number{};
        if (r_.queryValue(key, ValueName, again, number.data(), size) != reg::ok)
            return Variant::integer(0);
        auto n = Variant::longInteger(littleEndian(number.data()));
        if (type == reg::dword) return n;
        return Variant::byte(n.toByte());  // Overflow above 255 reaches the caller
    }
    if (r_.queryValue(key, ValueName, again, text.data(), size) != reg::ok) return Variant("");
    if (size == 0) return Variant("");
    return Variant(std::string(reinterpret_cast<const char*>(text.data()), size - 1));
}

std::string clsRegistry::listName(std::uint32_t PredefinedKey, std::string KeyName, std::int32_t Index,
                                  const std::string& ComputerName, bool values) {
    dropLeadingBackslash(KeyName);
    RegKey root = rootKey(PredefinedKey, ComputerName);
    RegKey key;
    if (r_.open(root, KeyName, reg::allAccess, key) != reg::ok) return std::string();
    char name[nameBufferSize] = {};
    std::uint32_t length = nameBufferSize;
    const auto at = static_cast<std::uint32_t>(Index);
    if ((values ? r_.enumValue(key, at, name, length) : r_.enumKey(key, at, name, length)) != reg::ok)
        return std::string();
    return std::string(name, length);
}

std::string clsRegistry::ListSubKey(std::uint32_t PredefinedKey, std::string KeyName,
                                    std::int32_t Index, const std::string& ComputerName) {
    return trapped(11003, "ListSubKey", [&] { return listName(PredefinedKey, KeyName, Index, ComputerName, false); });
}

bool clsRegistry::DeleteValue(std::uint32_t PredefinedKey, std::string KeyName,
                              const std::string& ValueName, const std::string& ComputerName) {
    return trapped(11004, "DeleteValue", [&] {
        dropLeadingBackslash(KeyName);
        RegKey root = rootKey(PredefinedKey, ComputerName);
        RegKey key;
        if (r_.open(root, KeyName, reg::allAccess, key) != reg::ok) return false;
        return r_.deleteValue(key, ValueName) == reg::ok;
    });
}

bool clsRegistry::CreateKey(std::uint32_t PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return trapped(11005, "CreateKey", [&] {
        dropLeadingBackslash(KeyName);
        RegKey root = rootKey(PredefinedKey, ComputerName);
        RegKey created;
        return r_.createKey(root, KeyName, reg::allAccess, created) == reg::ok;
    });
}

bool clsRegistry::DeleteKey(std::uint32_t PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return trapped(11006, "DeleteKey", [&] {
        dropLeadingBackslash(KeyName);
        RegKey root = rootKey(PredefinedKey, ComputerName);
        return r_.deleteKey(root, KeyName) == reg::ok;
    });
}

std::string clsRegistry::ListSubValue(std::uint32_t PredefinedKey, std::string KeyName,
                                      std::int32_t Index, const std::string& ComputerName) {
    return trapped(11007, "ListSubValue", [&] { return listName(PredefinedKey, KeyName, Index, ComputerName, true); });
}

bool clsRegistry::KeyExists(std::uint32_t PredefinedKey, std::string KeyName,
                            const std::string& ComputerName) {
    return trapped(11008, "KeyExists", [&] {
        dropLeadingBackslash(KeyName);
        RegKey root = rootKey(PredefinedKey, ComputerName);
        RegKey key;
        return r_.open(root, KeyName, reg::allAccess, key) == reg::ok;
    });
}

}  // namespace orr
