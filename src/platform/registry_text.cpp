#include "registry.h"

#include <vector>

namespace orr::platform {

std::optional<std::string> readText(Registry& registry, std::uint32_t root, std::string_view path,
                                    std::string_view name, std::uint32_t view) {
    RegKey key;
    if (registry.open(RegKey::predefined(root), path, reg::read | view, key) != reg::ok) return std::nullopt;
    std::uint32_t type = 0, size = 0;
    if (registry.queryValue(key, name, type, nullptr, size) != reg::ok || type != reg::text) return std::nullopt;
    // The value may change between the two reads; a second moreData fails.
    std::vector<unsigned char> data(size + 1, 0);
    size = static_cast<std::uint32_t>(data.size());
    if (registry.queryValue(key, name, type, data.data(), size) != reg::ok || type != reg::text) return std::nullopt;
    // Up to the first zero: stored texts need not end with one, or end with several.
    std::string text(reinterpret_cast<const char*>(data.data()), size);
    return text.substr(0, text.find('\0'));
}

}  // namespace orr::platform
