#include "Variant.h"

#include "platform/error.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace orr {
namespace {

// A number read from a text. &H (hex) and &O (octal) texts are bit
// patterns: the conversions take them unsigned and reinterpret them in the
// target's width (&HFFFFFFFF is -1 as a 32-bit integer).
struct Number {
    double value = 0;
    bool pattern = false;
    std::uint64_t bits = 0;
};

// Numeric value of a text as the platform's conversions read it: blanks
// around it, an optional sign, decimal digits with an optional fraction and
// exponent, or &H / &O whole numbers.
Number parseNumber(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    std::string s = text.substr(b, e - b);
    if (s.empty()) throw RunError::typeMismatch();

    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        unsigned base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        Number n;
        n.pattern = true;
        for (std::size_t i = 2; i < s.size(); ++i) {
            unsigned d = std::isdigit(static_cast<unsigned char>(s[i])) ? unsigned(s[i] - '0')
                         : base == 16 && std::isxdigit(static_cast<unsigned char>(s[i]))
                             ? unsigned(std::tolower(static_cast<unsigned char>(s[i])) - 'a' + 10)
                             : 99;
            if (d >= base) throw RunError::typeMismatch();
            if (n.bits > (std::numeric_limits<std::uint64_t>::max() - d) / base) throw RunError::overflow();
            n.bits = n.bits * base + d;
        }
        n.value = static_cast<double>(n.bits);
        return n;
    }

    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    bool digits = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, digits = true;
    }
    if (!digits) throw RunError::typeMismatch();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t k = j;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        if (k == j) throw RunError::typeMismatch();
        i = k;
    }
    if (i != s.size()) throw RunError::typeMismatch();
    return {std::strtod(s.c_str(), nullptr)};
}

Number toNumber(const Variant& v, const std::string& text) {
    switch (v.kind()) {
    case Variant::Kind::empty: return {};
    case Variant::Kind::text: return parseNumber(text);
    default: return {std::strtod(text.c_str(), nullptr)};
    }
}

double roundHalfEven(double x) {
    if (!std::isfinite(x)) throw RunError::overflow();
    return std::nearbyint(x);  // the default rounding mode is to nearest, ties to even
}

}  // namespace

std::string Variant::toText() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::uint8_t b) const { return std::to_string(b); }
        std::string operator()(std::int16_t i) const { return std::to_string(i); }
        std::string operator()(std::int32_t l) const { return std::to_string(l); }
    };
    return std::visit(Visitor{}, v_);
}

std::uint8_t Variant::toByte() const {
    const Number n = toNumber(*this, toText());
    if (n.pattern) {
        if (n.bits > 0xFF) throw RunError::overflow();
        return static_cast<std::uint8_t>(n.bits);
    }
    double r = roundHalfEven(n.value);
    if (r < 0 || r > 255) throw RunError::overflow();
    return static_cast<std::uint8_t>(r);
}

std::int32_t Variant::toLong() const {
    const Number n = toNumber(*this, toText());
    if (n.pattern) {
        if (n.bits > 0xFFFFFFFFu) throw RunError::overflow();
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(n.bits));
    }
    double r = roundHalfEven(n.value);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        throw RunError::overflow();
    return static_cast<std::int32_t>(r);
}

}  // namespace orr
