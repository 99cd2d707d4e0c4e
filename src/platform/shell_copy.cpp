#include "shell_copy.h"

namespace orr::platform {

std::string lastLevel(std::string_view path) {
    while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.remove_suffix(1);
    const auto sep = path.find_last_of("\\/");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

namespace {
bool isSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

Status makeFolderLevels(FileSystem& files, std::string_view path) {
    // Past the root: "C:\", or the server and share of "\\server\share".
    std::size_t at = 0;
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        for (int part = 0; part < 2 && at != std::string_view::npos; ++part)
            at = path.find_first_of("\\/", at == 0 ? 2 : at + 1);
    } else if (path.size() >= 2 && path[1] == ':') {
        at = 2;
    }
    while (at != std::string_view::npos && at < path.size()) {
        const std::size_t next = path.find_first_of("\\/", at + 1);
        const std::string_view level = path.substr(0, next);
        if (!level.empty() && !isSeparator(level.back()) && !files.exists(level))
            if (Status s = files.makeDirectory(level); s != Status::ok) return s;
        at = next;
    }
    return Status::ok;
}

std::string copyFailureText(std::string_view name, std::string_view reason) {
    return "Cannot copy " + std::string(name) + ": " + std::string(reason);
}

}  // namespace orr::platform
