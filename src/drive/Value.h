// What a script passes to a routine and what a routine gives back.
#pragma once

#include "toolkit/Variant.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orr::drive {

struct Empty {
    friend bool operator==(Empty, Empty) = default;
};

// Empty, a text, True/False or a whole number.
using Value = std::variant<Empty, std::string, bool, std::int64_t>;
using Args = std::vector<Value>;
// A routine without a result gives nothing; the transcript then says "ok".
using Result = std::optional<Value>;

// Conversions of arguments to the types a routine takes; a wrong kind
// raises "Type mismatch" as the platform would.
std::string asText(const Value& v);
bool asBool(const Value& v);
std::int64_t asNumber(const Value& v);
// For variants, a whole number is a 32-bit integer.
Variant asVariant(const Value& v);
Value fromVariant(const Variant& v);

// How a value is written in scripts and transcripts: "text" with doubled
// quotes, True/False, plain numbers, Empty. In a text, line breaks and
// other control characters show as "one" & vbCrLf & "two" (vbCr, vbLf,
// vbTab, vbNullChar, Chr(N)).
std::string formatValue(const Value& v);

}  // namespace orr::drive
