#include "manifest_files.h"
#include "file_workers.h"
#include "platform/ascii.h"

#include "platform/sha256.h"
#include "folder_copier.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <unordered_map>

namespace orr::platform {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kChunk = std::size_t{256} << 10;

// Runs pending events about every 100 ms, as a copy does.
class Pacer {
public:
    explicit Pacer(EventPump& events) : events_(events) { events_.process(); }
    void tick() {
        if (Clock::now() - last_ < std::chrono::milliseconds(100)) return;
        events_.process();
        last_ = Clock::now();
    }

private:
    EventPump& events_;
    Clock::time_point last_ = Clock::now();
};

// Every file below `folder` (native), by its path below `base` with "\".
// A folder that cannot be listed fails the whole: a manifest that left its
// files out would vouch for a backup it never saw.
Status listFiles(CopyIo& io, const std::string& folder, const std::string& relative, std::vector<std::string>& out) {
    std::vector<NamedNode> entries;
    if (Status s = io.list(folder, entries); s != Status::ok) return s;
    for (const NamedNode& e : entries) {
        const std::string below = relative + "\\" + e.name;
        if (e.error != Status::ok) return e.error;  // what it is cannot be told: no vouching for it
        if (e.info.kind == NodeKind::folder) {
            if (Status s = listFiles(io, io.join(folder, e.name), below, out); s != Status::ok) return s;
        } else if (e.info.kind == NodeKind::file && !isCopyTemporary(e.name)) {
            out.push_back(below);
        }
    }
    return Status::ok;
}

}  // namespace

Status listSetFiles(FileSystem& files, std::string_view folder, const std::vector<std::string>& sets,
                    std::vector<std::string>& out) {
    const std::unique_ptr<CopyIo> io = makeCopyIo(files);
    std::string base;
    if (Status s = io->native(folder, base); s != Status::ok) return s;
    for (const std::string& set : sets)
        if (Status s = listFiles(*io, joinBelow(*io, base, set), set, out); s != Status::ok) return s;
    return Status::ok;
}

bool writeManifest(CopyIo& io, EventPump& events, std::string_view folder, const std::vector<std::string>& sets,
                   const std::vector<CopyOutcome::FileDigest>& known, std::string_view manifest) {
    std::string base, target;
    if (io.native(folder, base) != Status::ok || io.native(manifest, target) != Status::ok) return false;
    // A later copy of the same file (a VirtualStore set over the game's) wins.
    std::unordered_map<std::string, Digest> byPath;
    for (const auto& d : known) byPath.insert_or_assign(d.path, d.digest);
    // A path spelled otherwise takes the digest of the one path that differs
    // only in letter case; of two such (twins on a drive that keeps them
    // apart) neither is taken, the file is read.
    std::unordered_map<std::string, std::optional<Digest>> byUpper;
    for (const auto& [path, digest] : byPath)
        if (auto [it, fresh] = byUpper.try_emplace(ascii::upper(path), digest); !fresh) it->second.reset();
    const auto knownDigest = [&](const std::string& file) -> std::optional<Digest> {
        if (auto it = byPath.find(file); it != byPath.end()) return it->second;
        if (auto it = byUpper.find(ascii::upper(file)); it != byUpper.end()) return it->second;
        return std::nullopt;
    };

    Pacer pacer(events);
    const std::unique_ptr<Sha256> hash = makeSha256();
    std::vector<char> buffer;  // only for files the copies did not hash
    std::vector<CopyOutcome::FileDigest> entries;
    for (const std::string& set : sets) {
        std::vector<std::string> files;
        if (listFiles(io, io.join(base, set), set, files) != Status::ok) return false;
        for (std::string& file : files) {
            file.erase(0, file.front() == '\\' ? 1 : 0);
            if (const std::optional<Digest> d = knownDigest(file)) {
                entries.push_back({file, *d});
                continue;
            }
            Status s;
            buffer.resize(kChunk);
            const std::optional<Digest> d = fileDigest(io, joinBelow(io, base, file), *hash, buffer, s);
            if (!d) return false;  // a file of the backup that cannot be read: no manifest vouches for it
            entries.push_back({file, *d});
            pacer.tick();
        }
    }
    byPath.clear();
    byUpper.clear();
    // A name of this write's own: a file that holds it by chance is left.
    const std::string temp = io.join(io.parent(target), copyTemporaryName(newCopyRun(), 1));
    Temporary out(io, temp);
    if (out.create() != Status::ok) return false;
    const bool written =
        manifestText(std::move(entries), [&](std::string_view piece) { return out.stream->write(piece) == Status::ok; }) &&
        out.stream->flush() == Status::ok && out.stream->placeOver(target) == Status::ok;
    if (!written) return false;
    out.kept();
    return io.sync(io.parent(target)) == Status::ok;
}

VerifyOutcome verifyManifest(CopyIo& io, EventPump& events, CopyProgress* progress, std::string_view folder,
                             std::string_view manifest, unsigned threads, const std::atomic<bool>* stop,
                             const std::vector<std::string>& skipSets) {
    VerifyOutcome outcome;
    std::string base, path;
    std::string text;
    std::vector<char> buffer(kChunk);
    if (io.native(folder, base) != Status::ok || io.native(manifest, path) != Status::ok) {
        outcome.unreadableManifest = true;
        return outcome;
    }
    {
        std::unique_ptr<ReadStream> in;
        if (io.openRead(path, in, false) != Status::ok) {
            outcome.unreadableManifest = true;
            return outcome;
        }
        for (std::size_t got = 1; got > 0;) {
            if (in->read(buffer, got) != Status::ok) {
                outcome.unreadableManifest = true;
                return outcome;
            }
            text.append(buffer.data(), got);
        }
    }
    auto entries = parseManifest(text);
    if (!entries) {
        outcome.unreadableManifest = true;
        return outcome;
    }
    std::erase_if(*entries, [&](const CopyOutcome::FileDigest& e) {
        return std::any_of(skipSets.begin(), skipSets.end(), [&](const std::string& set) {
            return e.path.size() > set.size() && e.path[set.size()] == '\\' &&
                   ascii::equal(std::string_view(e.path).substr(0, set.size()), set);
        });
    });
    std::optional<Pacer> pacer;
    if (progress) progress->begin(std::string(manifest), std::string(folder), entries->size(), 0);
    else pacer.emplace(events);
    struct EndProgress {
        CopyProgress* p;
        ~EndProgress() {
            if (p) p->end();
        }
    } endProgress{progress};

    // Files are hashed by the workers and their results noted in the
    // manifest's order; a missing one waits for those before it.
    FileWorkers workers(io, threads);
    std::deque<const CopyOutcome::FileDigest*> pending;
    std::uint64_t done = 0;
    const auto goOn = [&](const std::string& path) {
        if (pacer) pacer->tick();
        else if (!progress->advance(std::string(folder) + "\\" + path, done, 0)) return false;
        return !(stop && stop->load());
    };
    const auto note = [&](const CopyOutcome::FileDigest& e, std::optional<VerifyOutcome::Problem> problem) {
        if (problem) outcome.damaged.push_back({e.path, *problem});
        else ++outcome.ok;
        ++done;
        return goOn(e.path);
    };
    const auto settle = [&](const FileResult& r) {
        const CopyOutcome::FileDigest& e = *pending.front();
        pending.pop_front();
        if (r.kind != FileResult::Kind::hashed) return note(e, VerifyOutcome::Problem::unreadable);
        if (r.digest != e.digest) return note(e, VerifyOutcome::Problem::differs);
        return note(e, std::nullopt);
    };
    const auto wait = [&](std::size_t batch) {
        const auto r = workers.await(batch, std::chrono::milliseconds(100), [&] { return goOn(pending.front()->path); });
        return r && settle(*r);
    };
    bool going = true;
    for (auto e = entries->begin(); going && e != entries->end(); ++e) {
        const std::string file = joinBelow(io, base, e->path);
        NodeInfo info;
        if (io.stat(file, info) != Status::ok || info.kind != NodeKind::file) {
            while (going && !pending.empty()) going = wait(pending.size());
            going = going && note(*e, VerifyOutcome::Problem::missing);
            continue;
        }
        workers.submit({file, {}, {}, info.size});
        pending.push_back(&*e);
        while (going && !pending.empty())
            if (const auto r = workers.take(std::chrono::milliseconds(0))) going = settle(*r);
            else break;
        if (going && pending.size() >= FileWorkers::kQueue) going = wait(pending.size() / 2);
    }
    while (going && !pending.empty()) going = wait(pending.size());
    outcome.cancelled = !going;
    outcome.listed = std::move(*entries);
    return outcome;
}

}  // namespace orr::platform
