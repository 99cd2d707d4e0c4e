// The toolkit's self-typed value: empty, text, byte, 16-bit or 32-bit integer.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace orr {

class Variant {
public:
    enum class Kind { empty, text, byte, integer, longInteger };

    Variant() = default;
    Variant(std::string text) : v_(std::move(text)) {}
    Variant(const char* text) : v_(std::string(text)) {}
    static Variant byte(std::uint8_t b) { return Variant(Storage(b)); }
    static Variant integer(std::int16_t i) { return Variant(Storage(i)); }
    static Variant longInteger(std::int32_t l) { return Variant(Storage(l)); }

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isEmpty() const { return kind() == Kind::empty; }

    // Conversions: fractions round to the nearest whole number, a half to
    // the even one. A text that is no number raises "Type mismatch", a
    // number outside the target's range "Overflow".
    std::string toText() const;
    std::uint8_t toByte() const;
    std::int32_t toLong() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    using Storage = std::variant<std::monostate, std::string, std::uint8_t, std::int16_t, std::int32_t>;
    explicit Variant(Storage s) : v_(std::move(s)) {}
    Storage v_;
};

}  // namespace orr
