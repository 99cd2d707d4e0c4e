#include "copy_io.h"

#include "platform/windows_path.h"
#include "platform/filesystem.h"

namespace orr::platform {

Status realLocation(CopyIo& io, const std::string& path, std::string& out, std::string* existing) {
    std::string at = path, real;
    std::vector<std::string> missing;  // levels below the existing part, innermost first
    while (io.realPath(at, real) != Status::ok) {
        const std::string up = io.parent(at);
        if (up.empty() || up == at) return Status::pathNotFound;
        missing.push_back(lastLevel(at));
        at = up;
    }
    if (existing) *existing = at;
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) real = io.join(real, *it);
    out = std::move(real);
    return Status::ok;
}

Status underOneView(CopyIo& io, const std::string& folder, std::string& realFolder,
                    const std::function<Status()>& read) {
    std::string again;
    for (int tries = 0; tries < 3; ++tries) {
        if (Status s = io.realPath(folder, realFolder); s != Status::ok) return s;
        if (Status s = read(); s != Status::ok) return s;
        if (Status s = io.realPath(folder, again); s != Status::ok) return s;
        if (again == realFolder) return Status::ok;
    }
    realFolder = std::move(again);
    return Status::ok;
}

std::string joinBelow(CopyIo& io, std::string base, std::string_view relative) {
    std::size_t at = 0;
    while (at < relative.size()) {
        std::size_t end = relative.find('\\', at);
        if (end == std::string_view::npos) end = relative.size();
        if (end > at) base = io.join(base, relative.substr(at, end - at));
        at = end + 1;
    }
    return base;
}

std::optional<Digest> fileDigest(CopyIo& io, const std::string& path, Sha256& hash, std::span<char> buffer,
                                 Status& status, const std::function<bool()>& goOn) {
    std::unique_ptr<ReadStream> in;
    if ((status = io.openRead(path, in, false)) != Status::ok) return std::nullopt;
    return streamDigest([&](std::span<char> into, std::size_t& got) { return in->read(into, got); }, hash, buffer,
                        status, goOn);
}

std::optional<Digest> streamDigest(const ReadInto& read, Sha256& hash, std::span<char> buffer, Status& status,
                                   const std::function<bool()>& goOn) {
    for (;;) {
        std::size_t got = 0;
        if ((status = read(buffer, got)) != Status::ok) break;
        if (got == 0) return hash.finish();
        hash.update(buffer.first(got));
        if (got == buffer.size() && goOn && !goOn()) break;
    }
    hash.finish();  // what was read so far is dropped
    return std::nullopt;
}

bool within(CopyIo& io, const std::string& inner, const std::string& outer) {
    for (std::string at = inner; !at.empty(); at = io.parent(at)) {
        if (io.samePath(at, outer)) return true;
        if (io.parent(at) == at) break;
    }
    return false;
}

bool liesWithin(FileSystem& files, std::string_view path, std::string_view folder) {
    CopyIo& io = files.copyIo();
    std::string p, f, realP, realF;
    return io.native(path, p) == Status::ok && io.native(folder, f) == Status::ok &&
           underOneView(io, f, realF, [&] { return realLocation(io, p, realP); }) == Status::ok &&
           within(io, realP, realF);
}

}  // namespace orr::platform
