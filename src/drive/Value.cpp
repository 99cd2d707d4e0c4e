#include "Value.h"

#include "platform/error.h"

#include <limits>

namespace orr::drive {

std::string asText(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (auto n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    return {};
}

bool asBool(const Value& v) {
    if (auto b = std::get_if<bool>(&v)) return *b;
    if (auto n = std::get_if<std::int64_t>(&v)) return *n != 0;
    if (std::holds_alternative<Empty>(v)) return false;
    const auto& s = std::get<std::string>(v);
    if (s == "True" || s == "true") return true;
    if (s == "False" || s == "false") return false;
    throw RunError::typeMismatch();
}

std::int64_t asNumber(const Value& v) {
    if (auto n = std::get_if<std::int64_t>(&v)) return *n;
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;  // the platform's True is -1
    if (std::holds_alternative<Empty>(v)) return 0;
    return asVariant(v).toLong();
}

Variant asVariant(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return Variant(*s);
    if (auto n = std::get_if<std::int64_t>(&v)) {
        if (*n < std::numeric_limits<std::int32_t>::min() || *n > std::numeric_limits<std::int32_t>::max())
            throw RunError::overflow();
        return Variant::longInteger(static_cast<std::int32_t>(*n));
    }
    if (auto b = std::get_if<bool>(&v)) return Variant::integer(*b ? -1 : 0);
    return Variant();
}

Value fromVariant(const Variant& v) {
    switch (v.kind()) {
    case Variant::Kind::empty: return Empty{};
    case Variant::Kind::text: return v.toText();
    default: return static_cast<std::int64_t>(v.toLong());
    }
}

std::string formatValue(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) {
        std::string out = "\"";
        for (char c : *s) {
            out += c;
            if (c == '"') out += '"';
        }
        return out + "\"";
    }
    if (auto b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (auto n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    return "Empty";
}

}  // namespace orr::drive
