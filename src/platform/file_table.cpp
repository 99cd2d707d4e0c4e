#include "file_table.h"

namespace orr::platform {

int FileTable::freeFile() const {
    for (int n = 1; n <= 255; ++n)
        if (!isOpen(n)) return n;
    throw RunError::tooManyFiles();
}

void FileTable::openOutput(int number, std::string_view path) {
    if (number < 1 || number > 511) throw RunError::badFileName();
    if (isOpen(number)) throw RunError(55, "File already open");
    open_[number] = fs_.openOutput(path);
}

void FileTable::printLine(int number, std::string_view text) {
    auto it = open_.find(number);
    if (it == open_.end()) throw RunError::badFileName();
    std::string line(text);
    line += "\r\n";
    it->second->write(line);
}

void FileTable::close(int number) {
    auto it = open_.find(number);
    if (it == open_.end()) return;
    auto file = std::move(it->second);
    open_.erase(it);
    file->close();
}

void FileTable::closeAll() noexcept {
    auto files = std::move(open_);
    open_.clear();
    for (auto& [n, f] : files) {
        try {
            f->close();
        } catch (...) {
        }
    }
}

}  // namespace orr::platform
