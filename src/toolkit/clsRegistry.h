// General registry toolkit: single values, subkeys and values by index,
// keys created, deleted and tested, on this computer or a named remote one.
// Holds no data of its own; every method opens what it needs and closes it
// again. Keys are opened with all access, so a key that grants less counts
// as not there.
//
// Failures of the registry itself come back as results (False, "", empty).
// Every method but GetValue turns any failure inside it into a RunError
// numbered 11001, 11003 to 11008, source "clsRegistry", description the
// method's name; SetValue also fails so when the key cannot be opened.
// GetValue lets its failures (Overflow) through unchanged.
#pragma once

#include "Variant.h"
#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace orr {

class clsRegistry {
public:
    explicit clsRegistry(platform::Registry& registry) : r_(registry) {}

    // PredefinedKey is the root's 32-bit handle value (0x80000002 for the
    // local machine). KeyName may begin with one "\". An empty ValueName is
    // the key's default value. An empty ComputerName is this computer.
    //
    // SetValue writes as the stored value's type demands: a missing value
    // or text gets Value's text; a 32-bit number (REG_DWORD) its four bytes;
    // binary data the number's bytes, least significant first, as many as
    // the stored data have when that is 1 to 8 and the number fits, else as
    // Value's kind takes (byte 1, 16-bit 2, otherwise 4). There, a Value
    // that is no 32-bit number fails with 11001. Other types are left alone
    // (True). False when the registry refused the write.
    bool SetValue(std::uint32_t PredefinedKey, std::string KeyName, const std::string& ValueName,
                  Variant Value, const std::string& ComputerName = {});
    Variant GetValue(std::uint32_t PredefinedKey, std::string KeyName,
                     const std::string& ValueName, const std::string& ComputerName = {});
    std::string ListSubKey(std::uint32_t PredefinedKey, std::string KeyName, std::int32_t Index,
                           const std::string& ComputerName = {});
    bool DeleteValue(std::uint32_t PredefinedKey, std::string KeyName,
                     const std::string& ValueName, const std::string& ComputerName = {});
    bool CreateKey(std::uint32_t PredefinedKey, std::string KeyName,
                   const std::string& ComputerName = {});
    bool DeleteKey(std::uint32_t PredefinedKey, std::string KeyName,
                   const std::string& ComputerName = {});
    std::string ListSubValue(std::uint32_t PredefinedKey, std::string KeyName, std::int32_t Index,
                             const std::string& ComputerName = {});
    bool KeyExists(std::uint32_t PredefinedKey, std::string KeyName,
                   const std::string& ComputerName = {});

private:
    platform::RegKey rootKey(std::uint32_t PredefinedKey, const std::string& ComputerName);
    // The name at `Index` of the key's subkeys, or values; "" past the end
    // or when the key cannot be opened with all access.
    std::string listName(std::uint32_t PredefinedKey, std::string KeyName, std::int32_t Index,
                         const std::string& ComputerName, bool values);
    platform::Registry& r_;
};

}  // namespace orr
