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

namespace {

// A control character as the program's language names it.
std::string constantFor(const std::string& s, std::size_t& i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
        ++i;
        return "vbCrLf";
    }
    if (s[i] == '\r') return "vbCr";
    if (s[i] == '\n') return "vbLf";
    if (s[i] == '\t') return "vbTab";
    if (s[i] == '\0') return "vbNullChar";
    return "Chr(" + std::to_string(static_cast<unsigned char>(s[i])) + ")";
}

}  // namespace

std::string formatValue(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) {
        // Control characters stand outside the quotes, joined with "&", so
        // that every value stays on its line of the transcript.
        std::string out = "\"";
        for (std::size_t i = 0; i < s->size(); ++i) {
            char c = (*s)[i];
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                out += "\" & " + constantFor(*s, i) + " & \"";
                continue;
            }
            out += c;
            if (c == '"') out += '"';
        }
        out += "\"";
        // No empty texts round the constants: vbCrLf & "text", not "" & vbCrLf & "text".
        if (out.rfind("\"\" & ", 0) == 0) out.erase(0, 5);
        if (out.size() >= 5 && out.compare(out.size() - 5, 5, " & \"\"") == 0) out.resize(out.size() - 5);
        return out;
    }
    if (auto b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (auto n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    return "Empty";
}

}  // namespace orr::drive
