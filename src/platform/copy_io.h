// The file operations one folder copy is made of, on this OS's own terms.
// Paths handed to these calls come from native() and join(): on Windows
// "\\?\" paths for the wide functions, so that no 260-character limit
// applies; on POSIX host paths through the drive map. Every call returns
// its outcome; none throws.
//
// The copy's worker threads call openRead(), createNew(), removeFile() and
// the streams at the same time as the copying thread calls the rest: an
// implementation keeps no state between calls beyond its drive map, which
// only native() reads.
#pragma once

#include "sha256.h"
#include "status.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orr::platform {

// `link`: a symbolic link, copied as a link. `folderLink`: a junction or
// folder link that a copy does not enter.
enum class NodeKind { missing, file, folder, link, folderLink, other };

// One entry, its links not followed.
struct NodeInfo {
    NodeKind kind = NodeKind::missing;
    std::uint64_t size = 0;
    // Identity on its volume; 0 where the listing does not tell (ask identity()).
    std::uint64_t volume = 0, id = 0;
};

// What a copied file takes along besides its bytes, in this OS's terms.
struct FileMeta {
    std::uint32_t attributes = 0;  // the platform's attribute bits
    std::int64_t modified = 0;     // this OS's own time stamp
    std::int64_t modifiedNs = 0;
    std::uint32_t mode = 0;        // POSIX permission bits
    std::string dosAttrib;         // POSIX: the stored DOS attribute record, if any
};

struct NamedNode {
    std::string name;
    NodeInfo info;
    // Not ok: listed, but what it is could not be asked (`info` empty).
    Status error = Status::ok;
};

class ReadStream {
public:
    virtual ~ReadStream() = default;
    // Up to into.size() bytes; `got` 0 at the end of the file.
    virtual Status read(std::span<char> into, std::size_t& got) = 0;
    virtual const FileMeta& meta() const = 0;
};

class WriteStream {
public:
    virtual ~WriteStream() = default;
    virtual Status write(std::span<const char> bytes) = 0;
    // Commits what was written before the file is renamed into place
    // (where this OS makes data durable per file; see CopyIo::sync).
    virtual Status flush() = 0;
    // Reads the file back from `offset` through the same handle, which
    // spares opening it again; `got` 0 at the end. Before close() only.
    virtual Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) = 0;
    // Gives the file `meta` (when not null) and closes it; a close that
    // fails means the data may not be there.
    virtual Status close(const FileMeta* meta) = 0;
    // Gives the file `meta` and keeps it open for placeOver(), which may
    // come from another thread. Before close() only.
    virtual Status finish(const FileMeta& meta) = 0;
    // Moves the open file over `to` as CopyIo::rename does, then closes it:
    // Windows renames it through its own handle, which spares opening it
    // by name again. On failure the file is still open, under its old name.
    virtual Status placeOver(const std::string& to) = 0;
};

class CopyIo {
public:
    virtual ~CopyIo() = default;

    // This OS's path for a Windows path (made absolute).
    virtual Status native(std::string_view windowsPath, std::string& out) = 0;
    virtual std::string join(const std::string& folder, std::string_view name) = 0;
    // The folder above; "" at a root.
    virtual std::string parent(const std::string& path) = 0;
    // The path with every link and mapped drive resolved (it must exist).
    virtual Status realPath(const std::string& path, std::string& out) = 0;
    // Whether two real paths name the same place (letter case per OS).
    virtual bool samePath(std::string_view a, std::string_view b) = 0;

    virtual Status stat(const std::string& path, NodeInfo& info) = 0;
    // Volume and id of what the path names, links followed.
    virtual Status identity(const std::string& path, NodeInfo& info) = 0;
    // The entries of a folder, without "." and "..". An entry gone since it
    // was listed is left out; one that cannot be asked about is listed
    // with its `error`.
    virtual Status list(const std::string& folder, std::vector<NamedNode>& out) = 0;

    // `withMeta` false: the stream's meta() stays empty, which spares the
    // calls that fetch it (a file that is only read back or hashed).
    virtual Status openRead(const std::string& path, std::unique_ptr<ReadStream>& out, bool withMeta) = 0;
    // A new file; fails when the name is taken. Nothing else may open it
    // while the stream holds it; its own placeOver() can always rename it.
    virtual Status createNew(const std::string& path, std::unique_ptr<WriteStream>& out) = 0;
    // Gives the folder `to` the attributes of the folder `from`.
    virtual Status copyFolderAttributes(const std::string& from, const std::string& to) = 0;
    // Copies a symbolic link as a link (POSIX); unsupported elsewhere.
    virtual Status copyLink(const std::string& from, const std::string& to) = 0;
    // Moves `from` over `to`, replacing it, read-only or not, in one step:
    // either the old `to` or the new one is there at every moment.
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    // Moves `from` to `to` on the same drive, never replacing anything:
    // alreadyExists when `to` is taken, letter case ignored where the file
    // system ignores it.
    virtual Status move(const std::string& from, const std::string& to) = 0;
    // A second name `link` for the existing file `existing` (same drive);
    // fails where the file system has no such links.
    virtual Status hardLink(const std::string& existing, const std::string& link) = 0;
    virtual Status makeFolder(const std::string& path) = 0;
    virtual Status removeFile(const std::string& path) = 0;

    // Free bytes on the volume that holds the existing folder `path`.
    virtual Status freeSpace(const std::string& path, std::uint64_t& bytes) = 0;
    // Makes everything written to the volume of `path` durable.
    virtual Status sync(const std::string& path) = 0;
};

// This OS's own operations, over the drives of `files` (POSIX: its drive
// map; Windows: the real drives).
class FileSystem;
std::unique_ptr<CopyIo> makeCopyIo(FileSystem& files);

// A temporary file that is removed unless it was renamed into place, also
// when the program ends in the middle of writing it. Only a file it made
// (create()) or was handed (made()) is ever removed: a name that turned out
// to be taken belongs to someone else.
class Temporary {
public:
    Temporary(CopyIo& io, std::string path) : io_(io), path_(std::move(path)) {}
    ~Temporary() {
        stream.reset();
        if (owned_ && !kept_) io_.removeFile(path_);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    const std::string& path() const { return path_; }
    // Creates the file for `stream`; fails when the name is taken.
    Status create() {
        const Status s = io_.createNew(path_, stream);
        owned_ = s == Status::ok;
        return s;
    }
    // The file at path() was made by this program by other means.
    void made() { owned_ = true; }
    void kept() { kept_ = true; }
    std::unique_ptr<WriteStream> stream;

private:
    CopyIo& io_;
    std::string path_;
    bool owned_ = false, kept_ = false;
};

// The real path of `path`, which need not exist: its deepest existing
// folder (put into `existing` when asked) with links and mapped drives
// resolved, and the missing levels below it as given.
Status realLocation(CopyIo& io, const std::string& path, std::string& out, std::string* existing = nullptr);

// Runs `read` between two reads of the real path of `folder`, again until
// both reads agree (three times at most), and gives the last into
// `realFolder`: what `read` resolves and `realFolder` then come from one
// view of the system's drives. Deliberate: Wine refreshes its table of
// drives at most once a second, so a drive mapped onto a folder made since
// changes the answer between two reads, and real paths read on either side
// of that change do not compare. The first failing read's answer, else ok.
Status underOneView(CopyIo& io, const std::string& folder, std::string& realFolder,
                    const std::function<Status()>& read);
// `base` (a path of `io`) joined with each level of the Windows-style
// `relative` ("a\b", "\a\b"; empty levels skipped).
std::string joinBelow(CopyIo& io, std::string base, std::string_view relative);

// The digest of the whole file at `path` (a path of `io`), read through
// `buffer` into `hash`. Nothing when the file cannot be opened or read
// (`status` says why), or when `goOn`, asked after every full buffer,
// answers false (`status` ok).
std::optional<Digest> fileDigest(CopyIo& io, const std::string& path, Sha256& hash, std::span<char> buffer,
                                 Status& status, const std::function<bool()>& goOn = {});
// The same over `read`, which fills a buffer as ReadStream::read does.
using ReadInto = std::function<Status(std::span<char> into, std::size_t& got)>;
std::optional<Digest> streamDigest(const ReadInto& read, Sha256& hash, std::span<char> buffer, Status& status,
                                   const std::function<bool()>& goOn = {});

// Whether the real path `inner` is the real path `outer` or lies below it.
bool within(CopyIo& io, const std::string& inner, const std::string& outer);

// Whether the Windows path `path` (existing or not) is the existing folder
// `folder` or lies inside it, by where they really are: a mapped drive or a
// link onto the folder counts. False when either cannot be resolved.
bool liesWithin(FileSystem& files, std::string_view path, std::string_view folder);

}  // namespace orr::platform
