// `call` routes for clsRegistry. One registry serves the whole run; each
// call makes its own clsRegistry over it, as the class holds nothing.
#include "Calls.h"
#include "Script.h"
#include "platform/error.h"
#include "platform/registry.h"
#include "toolkit/clsRegistry.h"

#include <limits>
#include <memory>

namespace orr::drive {
namespace {

using S = platform::Services;

std::string text(const Args& a, std::size_t i) { return asText(argAt(a, i)); }
std::string optionalText(const Args& a, std::size_t i) { return i < a.size() ? asText(a[i]) : std::string(); }

// A root's handle value, as a signed (-2147483646) or an unsigned
// (&H80000002 read as 2147483650) 32-bit number.
std::uint32_t rootHandle(const Args& a, std::size_t i) {
    std::int64_t n = asNumber(argAt(a, i));
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::uint32_t>::max())
        throw RunError::overflow();
    return static_cast<std::uint32_t>(n);
}

std::int32_t index(const Args& a, std::size_t i) {
    std::int64_t n = asNumber(argAt(a, i));
    if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
        throw RunError::overflow();
    return static_cast<std::int32_t>(n);
}

}  // namespace

void addRegistryCalls(CallTable& table, const platform::Options& options) {
    std::shared_ptr<platform::Registry> registry = platform::makeRegistry(options);
    auto fn = [&table, registry](const std::string& name, auto body) {
        table.add("clsRegistry." + name, [registry, body](S&, const Args& a) -> Result {
            clsRegistry r(*registry);
            return body(r, a);
        });
    };
    using R = clsRegistry;
    fn("SetValue", [](R& r, const Args& a) -> Result {
        return r.SetValue(rootHandle(a, 0), text(a, 1), text(a, 2), asVariant(argAt(a, 3)), optionalText(a, 4));
    });
    fn("GetValue", [](R& r, const Args& a) -> Result {
        return fromVariant(r.GetValue(rootHandle(a, 0), text(a, 1), text(a, 2), optionalText(a, 3)));
    });
    fn("ListSubKey", [](R& r, const Args& a) -> Result {
        return r.ListSubKey(rootHandle(a, 0), text(a, 1), index(a, 2), optionalText(a, 3));
    });
    fn("DeleteValue", [](R& r, const Args& a) -> Result {
        return r.DeleteValue(rootHandle(a, 0), text(a, 1), text(a, 2), optionalText(a, 3));
    });
    fn("CreateKey", [](R& r, const Args& a) -> Result {
        return r.CreateKey(rootHandle(a, 0), text(a, 1), optionalText(a, 2));
    });
    fn("DeleteKey", [](R& r, const Args& a) -> Result {
        return r.DeleteKey(rootHandle(a, 0), text(a, 1), optionalText(a, 2));
    });
    fn("ListSubValue", [](R& r, const Args& a) -> Result {
        return r.ListSubValue(rootHandle(a, 0), text(a, 1), index(a, 2), optionalText(a, 3));
    });
    fn("KeyExists", [](R& r, const Args& a) -> Result {
        return r.KeyExists(rootHandle(a, 0), text(a, 1), optionalText(a, 2));
    });
}

}  // namespace orr::drive
