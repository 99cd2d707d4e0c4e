// The registry service over the Windows registry functions (ANSI forms).
#include "platform/registry.h"
#include "platform/services.h"

#include <windows.h>

#include <string>

namespace orr::platform {
namespace {

HKEY toHkey(const RegKey& key) { return reinterpret_cast<HKEY>(key.handle()); }
std::intptr_t fromHkey(HKEY key) { return reinterpret_cast<std::intptr_t>(key); }

class Win32Registry final : public Registry {
public:
    std::int32_t connect(std::string_view computer, std::uint32_t predefined,
                         RegKey& result) override {
        HKEY h = nullptr;
        LONG rc = RegConnectRegistryA(std::string(computer).c_str(),
                                      toHkey(RegKey::predefined(predefined)), &h);
        result = rc == ERROR_SUCCESS ? adopt(fromHkey(h)) : RegKey();
        return rc;
    }

    std::int32_t open(const RegKey& parent, std::string_view path, std::uint32_t access,
                      RegKey& result) override {
        HKEY h = nullptr;
        LONG rc = RegOpenKeyExA(toHkey(parent), std::string(path).c_str(), 0, access, &h);
        result = rc == ERROR_SUCCESS ? adopt(fromHkey(h)) : RegKey();
        return rc;
    }

    std::int32_t queryValue(const RegKey& key, std::string_view name, std::uint32_t& type,
                            unsigned char* data, std::uint32_t& size) override {
        DWORD t = 0, n = size;
        LONG rc = RegQueryValueExA(toHkey(key), std::string(name).c_str(), nullptr, &t, data, &n);
        type = t;
        size = n;
        return rc;
    }

    std::int32_t setValue(const RegKey& key, std::string_view name, std::uint32_t type,
                          const unsigned char* data, std::uint32_t size) override {
        return RegSetValueExA(toHkey(key), std::string(name).c_str(), 0, type, data, size);
    }

    std::int32_t enumKey(const RegKey& key, std::uint32_t index, char* name,
                         std::uint32_t& nameSize) override {
        DWORD n = nameSize;
        FILETIME written{};
        LONG rc = RegEnumKeyExA(toHkey(key), index, name, &n, nullptr, nullptr, nullptr, &written);
        nameSize = n;
        return rc;
    }

    std::int32_t enumValue(const RegKey& key, std::uint32_t index, char* name,
                           std::uint32_t& nameSize) override {
        DWORD n = nameSize;
        LONG rc = RegEnumValueA(toHkey(key), index, name, &n, nullptr, nullptr, nullptr, nullptr);
        nameSize = n;
        return rc;
    }

    std::int32_t createKey(const RegKey& parent, std::string_view path, std::uint32_t access,
                           RegKey& result) override {
        SECURITY_ATTRIBUTES security{};  // every field zero: default security, not inherited
        HKEY h = nullptr;
        DWORD disposition = 0;
        LONG rc = RegCreateKeyExA(toHkey(parent), std::string(path).c_str(), 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, access, &security, &h, &disposition);
        result = rc == ERROR_SUCCESS ? adopt(fromHkey(h)) : RegKey();
        return rc;
    }

    std::int32_t deleteKey(const RegKey& parent, std::string_view path) override {
        return RegDeleteKeyA(toHkey(parent), std::string(path).c_str());
    }

    std::int32_t deleteValue(const RegKey& key, std::string_view name) override {
        return RegDeleteValueA(toHkey(key), std::string(name).c_str());
    }

private:
    void close(std::intptr_t handle) noexcept override {
        RegCloseKey(reinterpret_cast<HKEY>(handle));
    }
};

}  // namespace

std::unique_ptr<Registry> makeRegistry(const Options&) {
    return std::make_unique<Win32Registry>();
}

}  // namespace orr::platform
