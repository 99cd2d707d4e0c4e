// The folder copy: list the source, plan each target, check the room, then
// write every file under a temporary name and rename it into place.
#include "faults.h"
#include "file_workers.h"
#include "retrying_io.h"
#include "platform/ascii.h"
#include "manifest_files.h"
#include "platform/sha256.h"
#include "folder_copier.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace orr::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kCluster = 4096;
// Room kept beyond what a copy needs in the end: it holds the old files
// that files handed to the workers and not yet renamed still keep
// (copyFile waits before it hands over more).
constexpr std::uint64_t kMargin = std::uint64_t{1} << 20;
// Without a progress display, pending events run this often.
constexpr auto kEventInterval = std::chrono::milliseconds(100);
// Numbered names tried for a kept file before the keep gives up.
constexpr unsigned kKeepNames = 1000;

std::uint64_t onDisk(std::uint64_t bytes) { return (bytes + kCluster - 1) / kCluster * kCluster; }

// The drive of a Windows path as messages name it: "D:\" or "\\server\share\".
std::string volumeText(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2)) + "\\";
    if (path.starts_with("\\\\")) {
        std::size_t at = path.find('\\', 2);
        if (at != std::string_view::npos) at = path.find('\\', at + 1);
        return std::string(path.substr(0, at)) + "\\";
    }
    return std::string(path);
}

// "Sub\\a (2).iff" for n 2: the number goes before the extension.
std::string numbered(const std::string& path, unsigned n) {
    const std::size_t level = path.find_last_of('\\') + 1;  // npos + 1: 0
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot <= level) dot = path.size();
    return path.substr(0, dot) + " (" + std::to_string(n) + ")" + path.substr(dot);
}

// Workers that did not come back when a copy ended: the copier keeps them
// (and joins them when it goes) so that nothing they touch goes first.
using Parked = std::vector<std::unique_ptr<FileWorkers>>;

// One entry below the copied folder; folders come before what they hold.
struct Item {
    std::size_t parent;  // its folder's index, or `top`
    std::string name;
    NodeInfo info;
    std::string target;  // the name it takes in its target folder
    NodeInfo existing;   // what has that name there now
    bool blocked = false;  // its folder could not be listed or made
    bool twin = false;     // a sibling's name differs from its own only in letter case
    bool unlisted = false; // its target folder could not be listed: nothing there is replaced
};
constexpr std::size_t top = static_cast<std::size_t>(-1);

class Run {
public:
    Run(CopyIo& io, EventPump& events, CopyProgress* progress, std::string_view source,
        std::string_view destination, const CopyOptions& options, bool threaded, Parked& parked)
        : io_(io), events_(events), progress_(progress), sourceText_(source), destinationText_(destination),
          run_(newCopyRun()), parked_(parked),
          crew_(std::make_unique<FileWorkers>(io, threaded ? FileWorkers::kThreads : 0,
                                              [this] { return withinFile(); })) {
        for (const std::string& path : options.leaveOut) leaveOut_.insert(ascii::upper(path));
        keepText_ = options.keepReplacedIn;
        stop_ = options.stop;
        giveUpAfter_ = options.giveUpAfter;
        share_ = options.share;
    }

    CopyOutcome go() {
        if (!prepare()) return std::move(outcome_);
        if (!keepText_.empty())
            if (Status s = io_.native(keepText_, keepRoot_); s != Status::ok) {
                refuse(CopyRefusal::Kind::keepInvalid, s, keepText_);
                return std::move(outcome_);
            }
        scan(sourceRoot_, top);
        if (!plan()) return std::move(outcome_);
        copyAll();
        return std::move(outcome_);
    }

    // What go() would need on the destination's drive; writes nothing.
    RoomNeed measure() {
        measuring_ = true;
        if (!prepare()) return noNeed();
        scan(sourceRoot_, top);
        return roomNeed();
    }

private:
    bool refuse(CopyRefusal::Kind kind, Status error = Status::ok, std::string path = {}) {
        outcome_.result = CopyOutcome::Result::refused;
        outcome_.refusal = {kind, sourceText_, std::move(path)};
        outcome_.refusal.error = error;
        return false;
    }

    void fail(std::size_t item, CopyReason reason) {
        settleBefore(item);
        failAt(windowsPath(item), reason);
    }
    void failAt(std::string path, CopyReason reason) {
        outcome_.failures.push_back({std::move(path), reason});
        if (outcome_.result == CopyOutcome::Result::completed) outcome_.result = CopyOutcome::Result::failed;
    }

    // Item `item` below the copied folder (by its source names) or below
    // the landing folder (by `&Item::target`), with "\".
    std::string relative(std::size_t item, std::string Item::*name = &Item::name) const {
        std::string out;
        for (std::size_t at = item; at != top; at = items_[at].parent) out.insert(0, "\\" + items_[at].*name);
        return out;
    }
    std::string windowsPath(std::size_t item) const {
        return item == top ? sourceText_ : sourceText_ + relative(item);
    }

    std::string sourceOf(std::size_t item) const {
        return item == top ? sourceRoot_ : io_.join(sourceOf(items_[item].parent), items_[item].name);
    }
    std::string targetOf(std::size_t item) const {
        return item == top ? landing_ : io_.join(targetOf(items_[item].parent), items_[item].target);
    }

    // Resolves both sides and refuses a copy of a folder onto or into itself.
    bool prepare() {
        using Kind = CopyRefusal::Kind;
        const std::string name = lastLevel(sourceText_);
        if (Status s = io_.native(sourceText_, sourceRoot_); s != Status::ok) return refuse(Kind::pathInvalid, s);
        if (Status s = io_.native(destinationText_, destinationRoot_); s != Status::ok)
            return refuse(Kind::pathInvalid, s);
        // A missing source becomes an empty folder, which lands empty.
        NodeInfo source;
        if (Status s = io_.identity(sourceRoot_, source); s != Status::ok) {
            if (measuring_) return refuse(Kind::sourceNotMade, s, sourceText_);
            if (Status made = makeLevels(sourceRoot_); made != Status::ok)
                return refuse(Kind::sourceNotMade, made, sourceText_);
        }
        if (Status s = io_.identity(sourceRoot_, source); s != Status::ok || source.kind != NodeKind::folder)
            return refuse(Kind::sourceMissing, s, sourceText_);
        if (Status s = io_.native(destinationText_ + "\\" + name, landing_); s != Status::ok)
            return refuse(Kind::pathInvalid, s);

        // Compared as real paths, so that a mapped drive or a link to the
        // source counts as the source.
        std::string sourceReal, real;
        Status destination = Status::ok;
        const auto readDestination = [&] {
            return destination = realLocation(io_, destinationRoot_, real, &existingDestination_);
        };
        if (Status s = underOneView(io_, sourceRoot_, sourceReal, readDestination); s != Status::ok)
            return destination != Status::ok ? refuse(Kind::destinationInvalid, s)
                                             : refuse(Kind::sourceUnreadable, s, sourceText_);
        if (io_.samePath(io_.join(real, name), sourceReal)) return refuse(Kind::sameFolder);
        if (within(io_, real, sourceReal)) return refuse(Kind::destinationInside);
        return true;
    }

    RoomNeed noNeed() const {
        RoomNeed need;
        need.volumeText = volumeText(destinationText_);
        need.volume = ascii::upper(need.volumeText);
        return need;
    }
    // Plans the targets and counts what the copy needs on its drive. Kept
    // replaced files stay on the drive, so they free nothing.
    RoomNeed roomNeed() {
        RoomNeed need = noNeed();
        if (NodeInfo at; io_.identity(existingDestination_, at) == Status::ok && at.volume != 0)
            need.volume = std::to_string(at.volume);
        const Room room = countRoom();
        need.write = room.write;
        need.freed = keepText_.empty() ? room.freed : 0;
        need.largest = room.largest;
        need.files = files();
        for (const Item& i : items_) need.bytes += i.info.kind == NodeKind::file ? i.info.size : 0;
        if (std::uint64_t free = 0; io_.freeSpace(existingDestination_, free) == Status::ok) need.free = free;
        return need;
    }

    void scan(const std::string& folder, std::size_t parent) {
        std::vector<NamedNode> entries;
        if (Status s = io_.list(folder, entries); s != Status::ok) {
            fail(parent, reasonFor(s, CopyReason::readError));
            if (parent != top) items_[parent].blocked = true;
            return;
        }
        // The platform's order: by the names' upper-case form.
        std::sort(entries.begin(), entries.end(), [](const NamedNode& a, const NamedNode& b) {
            return ascii::less(a.name, b.name);
        });
        std::vector<bool> twins(entries.size());
        for (std::size_t k = 1; k < entries.size(); ++k)
            if (ascii::equal(entries[k - 1].name, entries[k].name)) twins[k - 1] = twins[k] = true;
        for (std::size_t k = 0; k < entries.size(); ++k) {
            NamedNode& e = entries[k];
            if (e.error != Status::ok) {
                failAt(windowsPath(parent) + "\\" + e.name, reasonFor(e.error, CopyReason::readError));
                continue;
            }
            switch (e.info.kind) {
            case NodeKind::folderLink:
                outcome_.skipped.push_back(windowsPath(parent) + "\\" + e.name);
                continue;
            case NodeKind::file:
            case NodeKind::link:
            case NodeKind::folder: break;
            default: continue;  // devices, sockets: nothing a copy carries
            }
            if (e.info.kind != NodeKind::folder && leaveOut_.count(ascii::upper(windowsPath(parent) + "\\" + e.name)))
                continue;
            const std::size_t index = items_.size();
            items_.push_back({parent, std::move(e.name), e.info, {}, {}});
            items_.back().twin = twins[k];
            if (items_[index].info.kind == NodeKind::folder) scan(io_.join(folder, items_[index].name), index);
        }
    }

    // What a target folder holds now, by exact and by upper-case name; a
    // folder that cannot be listed says why. Leftover temporary files of an
    // earlier copy are cleared on the way.
    struct Listing {
        Status status = Status::ok;
        std::unordered_map<std::string, NodeInfo> byName;
        std::unordered_map<std::string, std::string> byUpper;  // one name of each upper-case form
    };
    Listing listTarget(const std::string& folder) {
        Listing out;
        std::vector<NamedNode> entries;
        if ((out.status = io_.list(folder, entries)) != Status::ok) return out;
        for (NamedNode& e : entries) {
            if (e.info.kind == NodeKind::file && isCopyTemporary(e.name)) {
                if (!measuring_) io_.removeFile(io_.join(folder, e.name));
                continue;
            }
            out.byUpper.emplace(ascii::upper(e.name), e.name);
            out.byName.emplace(std::move(e.name), e.info);
        }
        return out;
    }
    // The listing of target folder `folder`; nothing for one made new.
    const Listing* listingOf(std::size_t folder) {
        if (folder != top ? items_[folder].existing.kind != NodeKind::folder : !landingExists_) return nullptr;
        auto it = listings_.find(folder);
        if (it == listings_.end()) it = listings_.emplace(folder, listTarget(targetOf(folder))).first;
        return &it->second;
    }

    struct Room {
        std::uint64_t write = 0, freed = 0, largest = 0;
    };
    // Names each target after what is there and counts what the copy
    // writes and what replacing frees, on disk. The same name wins, then
    // one that differs only in letter case (its spelling wins), except for
    // twins: each of them goes to its own name.
    Room countRoom() {
        NodeInfo landing;
        landingExists_ = io_.stat(landing_, landing) == Status::ok && landing.kind == NodeKind::folder;
        listings_.clear();

        Room room;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            Item& item = items_[i];
            item.target = item.name;
            item.unlisted = item.parent != top && items_[item.parent].unlisted;
            const Listing* there = item.unlisted ? nullptr : listingOf(item.parent);
            if (there && there->status != Status::ok) item.unlisted = true;
            if (there && !item.unlisted) {
                auto it = there->byName.find(item.name);
                if (it == there->byName.end() && !item.twin)
                    if (auto up = there->byUpper.find(ascii::upper(item.name)); up != there->byUpper.end())
                        it = there->byName.find(up->second);
                if (it != there->byName.end()) {
                    item.target = it->first;
                    item.existing = it->second;
                }
            }
            if (item.unlisted || item.info.kind != NodeKind::file) continue;
            room.write += onDisk(item.info.size);
            room.largest = std::max(room.largest, onDisk(item.info.size));
            if (item.existing.kind == NodeKind::file) room.freed += onDisk(item.existing.size);
        }
        return room;
    }

    // Plans the targets and refuses the copy before it writes anything
    // when the room is short.
    bool plan() {
        const RoomNeed need = roomNeed();
        plannedBytes_ = need.write;
        if (const std::optional<RoomShort> lack = roomShort({need})) {
            refuse(CopyRefusal::Kind::roomShort, Status::diskFull, lack->volumeText);
            outcome_.refusal.need = lack->need;
            outcome_.refusal.free = lack->free;
            return false;
        }
        return true;
    }

    // Makes every missing level of `path`; a file in the way is refused.
    Status makeLevels(const std::string& path) {
        std::vector<std::string> missing;
        for (std::string at = path; !at.empty(); at = io_.parent(at)) {
            NodeInfo info;
            if (io_.stat(at, info) == Status::ok) {
                if (info.kind == NodeKind::folder) break;
                return Status::accessDenied;
            }
            missing.push_back(at);
            if (io_.parent(at) == at) break;
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it)
            if (Status s = io_.makeFolder(*it); s != Status::ok && s != Status::alreadyExists) return s;
        return Status::ok;
    }

    bool makeLanding() {
        if (Status s = makeLevels(landing_); s != Status::ok) {
            fail(top, reasonFor(s, CopyReason::writeError));
            return false;
        }
        if (!landingExists_) io_.copyFolderAttributes(sourceRoot_, landing_);
        return true;
    }

    void copyAll() {
        const bool shared = share_.filesTotal > 0;
        if (progress_)
            progress_->begin(sourceText_, destinationText_, shared ? share_.filesTotal : files(),
                             shared ? share_.bytesTotal : plannedBytes_);
        struct EndProgress {
            CopyProgress* p;
            ~EndProgress() {
                if (p) p->end();
            }
        } endProgress{progress_};
        // The first yield comes before anything is written; a stop asked
        // for there writes nothing.
        if (!progress_) events_.process();
        lastEvents_ = Clock::now();
        if (stopped()) {
            outcome_.result = CopyOutcome::Result::cancelled;
            return;
        }
        if (!makeLanding()) return;

        try {
            for (std::size_t i = 0; i < items_.size() && !cancelled_; ++i) {
                Item& item = items_[i];
                if (item.unlisted) {
                    if (item.info.kind != NodeKind::folder) {
                        fail(i, CopyReason::targetUnlisted);
                        finished(i);
                    }
                    continue;
                }
                if (item.parent != top && items_[item.parent].blocked) {
                    item.blocked = true;
                    continue;
                }
                if (item.twin && !keepsApart(item.parent)) {
                    fail(i, CopyReason::caseTwins);
                    if (item.info.kind == NodeKind::folder) item.blocked = true;
                    else finished(i);
                    continue;
                }
                switch (item.info.kind) {
                case NodeKind::folder: makeFolder(i); break;
                case NodeKind::link:
                    copyLink(i);
                    finished(i);
                    break;
                default:
                    if (!copyFile(i)) finished(i);
                    break;
                }
            }
            settleBefore(top);
        } catch (...) {
            // The program ends: the files settled stay, the rest are dropped.
            dropPending(false);
            throw;
        }
        // What was renamed into place is made durable, also when cancelled.
        if (cancelled_) dropPending(true);
        if (Status s = io_.sync(landing_); s != Status::ok) fail(top, reasonFor(s, CopyReason::writeError));
        if (cancelled_) outcome_.result = CopyOutcome::Result::cancelled;
        // The run's next copy goes on in the same display.
        if (!share_.last && !cancelled_) endProgress.p = nullptr;
    }

    std::uint64_t files() const {
        return static_cast<std::uint64_t>(std::count_if(items_.begin(), items_.end(), [](const Item& i) {
            return i.info.kind != NodeKind::folder;
        }));
    }

    // Lets events run (or the progress display, which does); false: cancel.
    // The display shows the files settled and `bytes` gone through, which
    // never go back.
    bool yield(std::size_t item, std::uint64_t bytes) {
        shownBytes_ = std::max(shownBytes_, bytes);
        if (progress_) {
            if (!progress_->advance(windowsPath(item), share_.filesBefore + doneFiles_, share_.bytesBefore + shownBytes_))
                return false;
        } else if (Clock::now() - lastEvents_ >= kEventInterval) {
            events_.process();
            lastEvents_ = Clock::now();
        }
        return !stopped();
    }
    bool stopped() const { return stop_ && stop_->load(); }
    // After each file (or link) is settled, copied or failed. A cancel
    // from here keeps what was settled and drops what was not, so what a
    // cancelled copy leaves does not depend on the workers' timing.
    void finished(std::size_t item) {
        if (cancelled_) return;
        ++doneFiles_;
        doneBytes_ += items_[item].info.kind == NodeKind::file ? items_[item].info.size : 0;
        if (!yield(item, doneBytes_)) cancel();
    }
    void cancel() {
        cancelled_ = true;
        workers_.cancel();
    }
    // Between the chunks of a large file copied on this thread.
    bool withinFile() {
        if (!yield(current_, workers_.bytesDone())) cancelled_ = true;
        return !cancelled_;
    }
    // Files handed over and not settled never take their places. A worker
    // still in the middle of a file gets `giveUpAfter_` to come back (events
    // run meanwhile, when `withEvents`); one that does not is left to the
    // copier, which joins it when it is destroyed, and its file is named.
    void dropPending(bool withEvents) {
        workers_.cancel();
        const Clock::time_point until = Clock::now() + giveUpAfter_;
        for (; !pending_.empty() && workers_.outstanding() > 0; pending_.pop_front()) {
            std::optional<FileResult> r;
            while (!(r = workers_.take(kEventInterval)) && Clock::now() < until)
                if (withEvents) yield(pending_.front().item, workers_.bytesDone());  // cancelled already
            if (!r) {
                failAt(windowsPath(pending_.front().item), CopyReason::noAnswer);
                parked_.push_back(std::move(crew_));
                return;
            }
            if (r->kind == FileResult::Kind::copied) {
                r->written.reset();
                io_.removeFile(pending_.front().temporary);
            }
        }
    }

    // Files before it are settled first, so that a cancel leaves no folder
    // made after the last file it kept.
    void makeFolder(std::size_t i) {
        Item& item = items_[i];
        if (item.existing.kind == NodeKind::folder) return;
        settleBefore(i);
        if (cancelled_) return;
        if (item.existing.kind != NodeKind::missing) {
            fail(i, CopyReason::accessDenied);  // a file has the folder's name
            item.blocked = true;
            return;
        }
        if (Status s = io_.makeFolder(targetOf(i)); s != Status::ok) {
            fail(i, reasonFor(s, CopyReason::writeError));
            item.blocked = true;
            return;
        }
        io_.copyFolderAttributes(sourceOf(i), targetOf(i));
    }

    // A name of this run's own form that the folder's listing does not hold.
    std::string temporaryName(std::size_t folder) {
        const auto there = listings_.find(folder);
        std::string name;
        do name = copyTemporaryName(run_, ++temporaries_);
        while (there != listings_.end() && there->second.byUpper.count(ascii::upper(name)));
        return name;
    }
    std::string temporaryIn(std::size_t folder) { return io_.join(targetOf(folder), temporaryName(folder)); }

    // Whether target folder `folder` keeps two names apart that differ only
    // in letter case: a file is made there and looked for under its
    // upper-case name. A folder where no file can be made counts as not.
    bool keepsApart(std::size_t folder) {
        const auto [at, fresh] = apart_.try_emplace(folder, false);
        if (!fresh) return at->second;
        const std::string name = temporaryName(folder);
        Temporary probe(io_, io_.join(targetOf(folder), name));
        NodeInfo info;
        at->second = probe.create() == Status::ok &&
                     io_.stat(io_.join(targetOf(folder), ascii::upper(name)), info) != Status::ok;
        return at->second;
    }

    // Where a replaced file went in the keep folder.
    struct Kept {
        std::string relative, path;  // below the keep folder; as a path of io_
        bool linked = false;         // a second name: the file is still in place
    };
    // Keeps the target of item `i` under its path below the keep folder: a
    // second name (a hard link) keeps it in the game until the new one has
    // taken its place; where links are not to be had it is moved. A name
    // taken there (a file kept earlier) is never replaced: " (2)", " (3)"
    // ... go before the extension, as the keep folder's own name does.
    Status keep(std::size_t i, Kept& kept) {
        const std::string relativeTarget = relative(i, &Item::target);
        if (Status s = keepLevels(relativeTarget); s != Status::ok) return s;
        Status s = Status::alreadyExists;
        for (unsigned n = 1; n <= kKeepNames && s == Status::alreadyExists; ++n) {
            kept.relative = n == 1 ? relativeTarget : numbered(relativeTarget, n);
            kept.path = nativeKeep(kept.relative);
            s = io_.hardLink(targetOf(i), kept.path);
            kept.linked = s == Status::ok;
            if (s != Status::ok && s != Status::alreadyExists) s = io_.move(targetOf(i), kept.path);
            if (s == Status::ok) return s;
        }
        kept = {};
        return s;
    }

    // Takes a temporary file's place: renamed over the target, or failed.
    // A kept file that was moved goes back when the new one cannot take
    // its place; one that cannot go back either is named as stranded.
    bool commit(std::size_t i, Temporary& temp) {
        const auto failed = [&](Status s) {
            fail(i, reasonFor(s, CopyReason::writeError));
            return false;
        };
        Kept kept;
        if (items_[i].existing.kind == NodeKind::file && !keepRoot_.empty())
            if (Status s = keep(i, kept); s != Status::ok) return failed(s);
        // A file the workers wrote goes through its open stream; a link
        // copied here, by name.
        const Status placed =
            temp.stream ? temp.stream->placeOver(targetOf(i)) : io_.rename(temp.path(), targetOf(i));
        if (placed != Status::ok) {
            if (kept.linked) {
                io_.removeFile(kept.path);
            } else if (!kept.path.empty() && io_.move(kept.path, targetOf(i)) != Status::ok) {
                ++outcome_.kept;
                outcome_.stranded.push_back({landingText() + relative(i, &Item::target), keepText_ + kept.relative});
            }
            return failed(placed);
        }
        if (!kept.path.empty()) ++outcome_.kept;
        temp.kept();
        return true;
    }
    // The landing folder as a Windows path.
    std::string landingText() const {
        std::string_view to = destinationText_;
        while (!to.empty() && (to.back() == '\\' || to.back() == '/')) to.remove_suffix(1);
        return std::string(to) + "\\" + lastLevel(sourceText_);
    }
    std::string nativeKeep(const std::string& relative) { return joinBelow(io_, keepRoot_, relative); }
    // Makes the keep folder's levels down to the folder of `relative`.
    Status keepLevels(const std::string& relative) {
        const std::string folder = relative.substr(0, relative.find_last_of('\\'));
        return makeLevels(nativeKeep(folder));
    }

    // Where the listing tells identities (POSIX), a hard link to the source
    // is named as such. Elsewhere it is not asked file by file: the rename
    // replaces only the target's name, so the source stays whole anyway.
    bool sameAsSource(std::size_t i) const {
        const Item& item = items_[i];
        return item.existing.kind == item.info.kind && item.info.id != 0 &&
               item.info.volume == item.existing.volume && item.info.id == item.existing.id;
    }

    void copyLink(std::size_t i) {
        if (sameAsSource(i)) return fail(i, CopyReason::sameFile);
        Temporary temp(io_, temporaryIn(items_[i].parent));
        if (Status s = io_.copyLink(sourceOf(i), temp.path()); s != Status::ok)
            return fail(i, reasonFor(s, CopyReason::writeError));
        temp.made();
        if (commit(i, temp)) ++outcome_.files;
    }

    void record(std::size_t i, const Digest& digest) {
        settleBefore(i);
        // Under the name it has there, which the manifest lists.
        std::string path = relative(i, &Item::target).substr(1);
        outcome_.digests.push_back({lastLevel(sourceText_) + "\\" + path, digest});
    }

    // Hands the file to the workers (true); a target of the same size is
    // compared there first, and left as it is when it holds the same bytes.
    bool copyFile(std::size_t i) {
        const Item& item = items_[i];
        const auto failed = [&](CopyReason reason) {
            fail(i, reason);
            return false;
        };
        if (item.existing.kind == NodeKind::folder) return failed(CopyReason::accessDenied);
        if (sameAsSource(i)) return failed(CopyReason::sameFile);
        const std::uint64_t replacing = item.existing.kind == NodeKind::file ? onDisk(item.existing.size) : 0;
        while (!cancelled_ && !pending_.empty() &&
               (pending_.size() >= FileWorkers::kQueue || pendingReplacing_ + replacing > kMargin))
            settleFront(pending_.size() / 2);
        if (cancelled_) return true;
        FileJob job{sourceOf(i), temporaryIn(item.parent), {}, item.info.size};
        if (item.existing.kind == NodeKind::file && item.existing.size == item.info.size)
            job.sameSizeTarget = targetOf(i);
        Pending p{i, job.temporary, replacing};
        current_ = i;
        workers_.submit(std::move(job));  // without threads, the job is done here
        pending_.push_back(std::move(p));
        pendingReplacing_ += replacing;
        settleReady();
        return true;
    }

    // A file handed to the workers; their results come in the same order.
    struct Pending {
        std::size_t item;
        std::string temporary;
        std::uint64_t replacing;  // on disk, of the old file it replaces
    };

    // Renames into place (or fails) every pending file before item `before`,
    // in order, so that the outcome lists files as they were copied.
    void settleBefore(std::size_t before) {
        while (!cancelled_ && !pending_.empty() && pending_.front().item < before) settleFront(pending_.size());
    }
    // Settles the files whose results are there, without waiting.
    void settleReady() {
        while (!cancelled_ && !pending_.empty())
            if (std::optional<FileResult> r = workers_.take(std::chrono::milliseconds(0)))
                settle(*r);
            else
                break;
    }
    // Waits for the oldest pending file, and as long as it takes for the
    // oldest `batch` of them, letting events run meanwhile (unless that
    // cancels the copy).
    void settleFront(std::size_t batch) {
        auto r = workers_.await(batch, kEventInterval,
                                [&] { return yield(pending_.front().item, workers_.bytesDone()); });
        if (!r) return cancel();
        settle(*r);
    }
    void settle(FileResult& r) {
        const Pending p = std::move(pending_.front());
        pending_.pop_front();
        pendingReplacing_ -= p.replacing;
        switch (r.kind) {
        case FileResult::Kind::cancelled:
        case FileResult::Kind::hashed: return;
        case FileResult::Kind::failed:
            fail(p.item, r.reason);
            break;
        case FileResult::Kind::unchanged:
            ++outcome_.unchanged;
            record(p.item, r.digest);
            break;
        case FileResult::Kind::copied: {
            Temporary temp(io_, p.temporary);
            temp.made();
            temp.stream = std::move(r.written);
            if (!commit(p.item, temp)) break;
            ++outcome_.files;
            outcome_.bytes += r.bytes;
            record(p.item, r.digest);
            break;
        }
        }
        finished(p.item);
    }

    CopyIo& io_;
    EventPump& events_;
    CopyProgress* progress_;
    std::string sourceText_, destinationText_;
    std::string sourceRoot_, destinationRoot_, landing_, existingDestination_;
    bool landingExists_ = false;
    std::uint64_t plannedBytes_ = 0;
    std::vector<Item> items_;
    std::unordered_set<std::string> leaveOut_;
    std::string keepText_, keepRoot_;
    std::deque<Pending> pending_;
    std::uint64_t pendingReplacing_ = 0;
    std::size_t current_ = top;  // the file handed over last
    std::uint64_t doneFiles_ = 0, doneBytes_ = 0, shownBytes_ = 0;
    std::uint64_t run_;
    unsigned temporaries_ = 0;
    std::unordered_map<std::size_t, Listing> listings_;  // by target folder, `top` for the landing folder
    std::unordered_map<std::size_t, bool> apart_;        // keepsApart(), by target folder
    bool cancelled_ = false;
    bool measuring_ = false;
    const std::atomic<bool>* stop_ = nullptr;
    Clock::time_point lastEvents_;
    std::chrono::milliseconds giveUpAfter_{};
    RunShare share_;
    CopyOutcome outcome_;
    Parked& parked_;
    // Declared last, so destroyed first: its threads are done before the
    // rest goes (unless they were parked with the copier).
    std::unique_ptr<FileWorkers> crew_;
    FileWorkers& workers_ = *crew_;
};

class FolderCopy final : public FolderCopier {
public:
    FolderCopy(std::unique_ptr<CopyIo> io, EventPump& events, CopyProgress* progress, const FaultPlan* faults)
        : io_(std::move(io)), events_(events), progress_(progress), faults_(faults) {}

    CopyOutcome copyFolder(std::string_view source, std::string_view destination,
                           const CopyOptions& options) override {
        return Run(*io_, events_, progress_, source, destination, options, threaded(), parked_).go();
    }
    RoomNeed measure(std::string_view source, std::string_view destination, const CopyOptions& options) override {
        return Run(*io_, events_, progress_, source, destination, options, false, parked_).measure();
    }
    bool writeManifest(std::string_view folder, const std::vector<std::string>& sets,
                       const std::vector<CopyOutcome::FileDigest>& known, std::string_view manifest) override {
        return platform::writeManifest(*io_, events_, folder, sets, known, manifest);
    }
    VerifyOutcome verify(std::string_view folder, std::string_view manifest, const std::atomic<bool>* stop,
                         const std::vector<std::string>& skipSets) override {
        return verifyManifest(*io_, events_, progress_, folder, manifest, threaded() ? FileWorkers::kThreads : 0,
                              stop, skipSets);
    }

private:
    // Files are copied and checked by worker threads, unless the fault seam
    // waits to count calls whose order would then depend on timing.
    bool threaded() const { return !faults_ || !faults_->needsOneThread(); }

    std::unique_ptr<CopyIo> io_;
    EventPump& events_;
    CopyProgress* progress_;
    const FaultPlan* faults_;
    // After io_: a worker that is still stuck in a call is joined first.
    // At the program's end that waits for the call to come back; a
    // system call on a drive that is gone fails in the end.
    Parked parked_;
};

}  // namespace

std::optional<RoomShort> roomShort(const std::vector<RoomNeed>& needs) {
    struct Drive {
        std::string text;
        std::uint64_t write = 0, freed = 0, largest = 0;
        std::optional<std::uint64_t> free;
    };
    std::vector<std::pair<std::string, Drive>> drives;  // in the copies' order
    for (const RoomNeed& n : needs) {
        auto it = std::find_if(drives.begin(), drives.end(), [&](const auto& d) { return d.first == n.volume; });
        if (it == drives.end()) it = drives.insert(drives.end(), {n.volume, Drive{n.volumeText, 0, 0, 0, std::nullopt}});
        Drive& d = it->second;
        d.write += n.write;
        d.freed += n.freed;
        d.largest = std::max(d.largest, n.largest);
        if (n.free) d.free = d.free ? std::min(*d.free, *n.free) : *n.free;
    }
    for (const auto& [volume, d] : drives) {
        if (!d.free) continue;  // unknown: each copy checks again
        const std::uint64_t need = (d.write > d.freed ? d.write - d.freed : 0) + d.largest + kMargin;
        if (*d.free < need) return RoomShort{d.text, *d.free, need};
    }
    return std::nullopt;
}

std::unique_ptr<FolderCopier> makeFolderCopier(FileSystem& files, EventPump& events, CopyProgress* progress,
                                         FaultPlan* faults) {
    std::unique_ptr<CopyIo> io = makeCopyIo(files);
    if (faults) io = faultyIo(std::move(io), *faults);
    // Retried in front of the seam, so that a fault is met as the system's
    // own failure would be.
    io = retryingIo(std::move(io));
    return std::make_unique<FolderCopy>(std::move(io), events, progress, faults);
}

}  // namespace orr::platform
