// libFuzzer target: the KeyValues reader and the Steam functions over its
// tree. The input is one file's bytes, read as a library list and as a
// manifest. Besides crashes, leaks and undefined behaviour, the checks
// below abort on results that break the reader's or the functions' contracts.
#include "gamedata/KeyValues.h"
#include "gamedata/SteamLibraries.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

namespace kv = orr::keyvalues;
namespace steam = orr::steam;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "contract broken: %s\n", what);
    std::abort();
}

std::string quoted(std::string_view s) {
    std::string out = "\"";
    for (const char c : s) out += c == '\\' ? "\\\\" : c == '"' ? "\\\"" : c == '\n' ? "\\n" : std::string(1, c);
    return out + "\"";
}

// The tree written back as KeyValues text, checking the bounds on the way.
std::string written(const kv::Node& n, std::size_t depth) {
    require(depth <= kv::kMaxDepth, "a block deeper than the limit");
    std::string out;
    for (const kv::Node& c : n.children) {
        require(c.name.size() <= kv::kMaxStringBytes && c.value.size() <= kv::kMaxStringBytes, "a string too long");
        require(c.block ? c.value.empty() : c.children.empty(), "a pair with children or a block with a value");
        out += quoted(c.name) + (c.block ? " {\n" + written(c, depth + 1) + "}\n" : " " + quoted(c.value) + "\n");
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const kv::Parsed parsed = kv::read(text);
    require(parsed.root.has_value() != parsed.error.has_value(), "both or neither of tree and error");
    if (parsed.root) {
        require(size <= kv::kMaxTextBytes, "a text past the limit read");
        // What the reader gives, written back, reads to the same tree.
        const std::string again = written(*parsed.root, 0);
        const kv::Parsed reread = kv::read(again);
        require(again.size() > kv::kMaxTextBytes || (reread.root && written(*reread.root, 0) == again),
                "the tree written back reads differently");
    } else {
        const std::size_t lines = 1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        require(parsed.error->line <= lines, "an error past the last line");
        require((parsed.error->problem == kv::Problem::tooLarge) == (size > kv::kMaxTextBytes), "the size limit");
    }

    const steam::Libraries libs = steam::libraries("c:/Steam/", text);
    require(!libs.folders.empty() && libs.folders.front() == "c:\\Steam", "Steam's own folder not first");
    require(libs.error.has_value() == parsed.error.has_value(), "the list's error is not the reader's");
    for (const std::string& f : libs.folders)
        require(steam::asFolder(f) == f && f.find('/') == std::string::npos, "a library that is no full folder");

    // A game folder is the library's common folder and one plain name.
    const std::string common = "D:\\Lib\\steamapps\\common\\";
    const std::string installDir = steam::installDir(text).value_or("");
    for (const std::string_view name : {std::string_view(installDir), text.substr(0, 300)}) {
        const auto game = steam::gameFolder("D:/Lib", name);
        if (!game) continue;
        const std::string_view rest = std::string_view(*game).substr(common.size());
        require(game->starts_with(common) && rest == name, "a game folder outside the common folder");
        require(rest.find_first_of("\\/:") == std::string_view::npos && rest != "." && rest.find("..") == rest.npos &&
                    rest.back() != '.' && rest.back() != ' ',
                "a game folder name that Windows reads as another place");
    }
    return 0;
}
