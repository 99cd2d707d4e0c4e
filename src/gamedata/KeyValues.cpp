#include "KeyValues.h"
#include "platform/ascii.h"

#include <utility>

namespace orr::keyvalues {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The line of the first byte that is not UTF-8 text: a NUL, a byte that
// starts no sequence, a cut or overlong sequence, a surrogate.
std::optional<std::size_t> firstNonText(std::string_view t) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < t.size();) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c == '\n') ++line;
        if (c == 0) return line;
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 0;
        char32_t cp = 0, least = 0;
        if ((c & 0xE0) == 0xC0) more = 1, cp = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0) more = 2, cp = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0) more = 3, cp = c & 0x07, least = 0x10000;
        else return line;
        if (t.size() - i <= more) return line;
        for (std::size_t k = 1; k <= more; ++k) {
            const auto d = static_cast<unsigned char>(t[i + k]);
            if ((d & 0xC0) != 0x80) return line;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return line;
        i += more + 1;
    }
    return std::nullopt;
}

enum class Kind { string, open, close, end, fail };

// One pass over text already checked to be UTF-8; open blocks are kept on
// a stack of their own, so the input's nesting never becomes the reader's.
class Reader {
public:
    explicit Reader(std::string_view text) : t_(text) {}
    Parsed run();

private:
    Kind next();
    Kind quoted();
    Kind unquoted();
    Kind fail(Problem p, std::size_t line) {
        error_ = Error{p, line};
        return Kind::fail;
    }
    Parsed failed(Problem p, std::size_t line) { return {std::nullopt, Error{p, line}}; }

    std::string_view t_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::string token_;
    Error error_{};
};

Kind Reader::next() {
    while (at_ < t_.size()) {
        const char c = t_[at_];
        if (isBlank(c)) {
            line_ += c == '\n';
            ++at_;
        } else if (t_.compare(at_, 2, "//") == 0) {
            const std::size_t end = t_.find('\n', at_);  // its LF is counted above
            at_ = end == std::string_view::npos ? t_.size() : end;
        } else if (c == '{' || c == '}') {
            ++at_;
            return c == '{' ? Kind::open : Kind::close;
        } else if (c == '"') {
            return quoted();
        } else if (c == '[') {
            return fail(Problem::unsupported, line_);
        } else {
            return unquoted();
        }
    }
    return Kind::end;
}

Kind Reader::quoted() {
    const std::size_t opened = line_;
    token_.clear();
    for (++at_; at_ < t_.size(); ++at_) {
        char c = t_[at_];
        if (c == '"') {
            ++at_;
            return Kind::string;
        }
        line_ += c == '\n';
        if (c == '\\' && at_ + 1 < t_.size()) {
            const char e = t_[at_ + 1];
            const char decoded = e == '\\' ? '\\' : e == '"' ? '"' : e == 'n' ? '\n' : e == 't' ? '\t' : '\0';
            if (decoded != '\0') {
                c = decoded;
                ++at_;
            }
        }
        if (token_.size() == kMaxStringBytes) return fail(Problem::stringTooLong, opened);
        token_ += c;
    }
    return fail(Problem::unterminatedString, opened);
}

Kind Reader::unquoted() {
    token_.clear();
    for (; at_ < t_.size(); ++at_) {
        const char c = t_[at_];
        if (isBlank(c) || c == '{' || c == '}' || c == '"' || t_.compare(at_, 2, "//") == 0) break;
        if (token_.size() == kMaxStringBytes) return fail(Problem::stringTooLong, line_);
        token_ += c;
    }
    return Kind::string;
}

Parsed Reader::run() {
    // open[0] is the root; open[k] the k-th block still open, opened on openedAt[k].
    std::vector<Node> open(1);
    open[0].block = true;
    std::vector<std::size_t> openedAt{0};
    std::optional<std::string> name;
    std::size_t nameLine = 0;
    for (;;) {
        switch (next()) {
        case Kind::fail:
            return {std::nullopt, error_};
        case Kind::string:
            if (!name) {
                name = std::move(token_);
                nameLine = line_;
            } else {
                Node& pair = open.back().children.emplace_back();
                pair.name = std::move(*name);
                pair.value = std::move(token_);
                name.reset();
            }
            break;
        case Kind::open:
            if (!name) return failed(Problem::unexpectedBrace, line_);
            if (open.size() - 1 == kMaxDepth) return failed(Problem::tooDeep, line_);
            open.emplace_back().name = std::move(*name);
            open.back().block = true;
            openedAt.push_back(line_);
            name.reset();
            break;
        case Kind::close: {
            if (name) return failed(Problem::missingValue, nameLine);
            if (open.size() == 1) return failed(Problem::unexpectedBrace, line_);
            Node done = std::move(open.back());
            open.pop_back();
            openedAt.pop_back();
            open.back().children.push_back(std::move(done));
            break;
        }
        case Kind::end:
            if (name) return failed(Problem::missingValue, nameLine);
            if (open.size() > 1) return failed(Problem::unclosedBlock, openedAt.back());
            return {std::move(open[0]), std::nullopt};
        }
    }
}

}  // namespace

const Node* Node::find(std::string_view childName) const {
    for (const Node& c : children)
        if (ascii::equal(c.name, childName)) return &c;
    return nullptr;
}

const std::string* Node::valueOf(std::string_view childName) const {
    const Node* c = find(childName);
    return c && !c->block ? &c->value : nullptr;
}

Parsed read(std::string_view text) {
    if (text.size() > kMaxTextBytes) return {std::nullopt, Error{Problem::tooLarge, 0}};
    if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
    if (const auto line = firstNonText(text)) return {std::nullopt, Error{Problem::notText, *line}};
    return Reader(text).run();
}

}  // namespace orr::keyvalues
