#include "faults.h"

#include "forwarding_io.h"

#include "platform/ascii.h"
#include "folder_copier.h"

#include <algorithm>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>

namespace orr::platform {

std::optional<FileOp> fileOpNamed(std::string_view word) {
    constexpr std::pair<std::string_view, FileOp> names[] = {
        {"open", FileOp::open},     {"read", FileOp::read},       {"write", FileOp::write},
        {"flush", FileOp::flush},   {"close", FileOp::close},     {"rename", FileOp::rename},
        {"link", FileOp::hardLink}, {"mkdir", FileOp::makeFolder}, {"remove", FileOp::remove},
        {"free", FileOp::freeSpace}, {"list", FileOp::list},       {"sync", FileOp::sync}};
    for (const auto& [name, op] : names)
        if (name == word) return op;
    return std::nullopt;
}

void FaultPlan::add(FileOp op, int n, std::string_view file, Fault fault) {
    std::lock_guard lock(mutex_);
    rules_.push_back({op, n, ascii::upper(file), fault});
}

void FaultPlan::failNth(FileOp op, int n, Status error, std::string_view file) {
    add(op, n, file, {error, false, false});
}

void FaultPlan::corruptNthWrite(int n, std::string_view file) { add(FileOp::write, n, file, {Status::ok, true, false}); }

void FaultPlan::hangNth(FileOp op, int n, std::string_view file) {
    {
        std::lock_guard lock(mutex_);
        release_ = false;
    }
    add(op, n, file, {Status::ioError, false, true});
}

void FaultPlan::release() {
    {
        std::lock_guard lock(mutex_);
        release_ = true;
    }
    released_.notify_all();
}

void FaultPlan::wait() {
    std::unique_lock lock(mutex_);
    ++hung_;
    released_.wait(lock, [this] { return release_; });
    --hung_;
}

int FaultPlan::hung() const {
    std::lock_guard lock(mutex_);
    return hung_;
}

bool FaultPlan::needsOneThread() const {
    std::lock_guard lock(mutex_);
    return oneThread_ || std::any_of(rules_.begin(), rules_.end(), [](const Rule& r) {
        switch (r.op) {
        case FileOp::open:
        case FileOp::read:
        case FileOp::write:
        case FileOp::flush:
        case FileOp::close:
        case FileOp::remove: return r.file.empty();
        default: return false;
        }
    });
}

std::optional<FaultPlan::Fault> FaultPlan::due(FileOp op, std::string_view file) {
    std::lock_guard lock(mutex_);
    if (rules_.empty()) return std::nullopt;
    const std::string name = ascii::upper(file);
    auto hit = rules_.end();
    for (auto it = rules_.begin(); it != rules_.end(); ++it)
        if (it->op == op && (it->file.empty() || it->file == name) && ++it->seen == it->n && hit == rules_.end())
            hit = it;
    if (hit == rules_.end()) return std::nullopt;
    const Fault fault = hit->fault;
    rules_.erase(hit);
    return fault;
}

namespace {

std::string_view lastLevelOf(std::string_view path) {
    const auto at = path.find_last_of("/\\");
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

// The fault a call meets, if any; a hung call comes back only when let go.
std::optional<FaultPlan::Fault> meet(FaultPlan& plan, FileOp op, std::string_view file) {
    std::optional<FaultPlan::Fault> f = plan.due(op, file);
    if (f && f->hang) plan.wait();
    return f;
}

class FaultyRead final : public ReadStream {
public:
    FaultyRead(std::unique_ptr<ReadStream> inner, FaultPlan& plan, std::string file)
        : inner_(std::move(inner)), plan_(plan), file_(std::move(file)) {}
    Status read(std::span<char> into, std::size_t& got) override {
        if (auto e = meet(plan_, FileOp::read, file_)) return e->error;
        return inner_->read(into, got);
    }
    const FileMeta& meta() const override { return inner_->meta(); }

private:
    std::unique_ptr<ReadStream> inner_;
    FaultPlan& plan_;
    std::string file_;
};

class FaultyWrite final : public WriteStream {
public:
    FaultyWrite(std::unique_ptr<WriteStream> inner, FaultPlan& plan, std::string file)
        : inner_(std::move(inner)), plan_(plan), file_(std::move(file)) {}
    Status write(std::span<const char> bytes) override {
        if (auto f = meet(plan_, FileOp::write, file_)) {
            if (!f->corrupt || bytes.empty()) return f->error;
            std::string changed(bytes.begin(), bytes.end());
            changed[changed.size() / 2] ^= 0x20;
            return inner_->write(changed);
        }
        return inner_->write(bytes);
    }
    Status flush() override {
        if (auto e = meet(plan_, FileOp::flush, file_)) return e->error;
        return inner_->flush();
    }
    Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) override {
        if (auto e = meet(plan_, FileOp::read, file_)) return e->error;
        return inner_->readBack(offset, into, got);
    }
    // A close that fails has still let go of the file, as the system's do.
    Status close(const FileMeta* meta) override {
        if (auto e = meet(plan_, FileOp::close, file_)) {
            inner_.reset();
            return e->error;
        }
        return inner_->close(meta);
    }
    // Times and attributes: met as the close that gives them.
    Status finish(const FileMeta& meta) override {
        if (auto e = meet(plan_, FileOp::close, file_)) return e->error;
        return inner_->finish(meta);
    }
    // Met as a rename onto the target, as CopyIo::rename.
    Status placeOver(const std::string& to) override {
        if (auto e = meet(plan_, FileOp::rename, lastLevelOf(to))) return e->error;
        return inner_->placeOver(to);
    }

private:
    std::unique_ptr<WriteStream> inner_;
    FaultPlan& plan_;
    std::string file_;
};

class FaultyIo final : public ForwardingIo {
public:
    FaultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan) : ForwardingIo(std::move(inner)), plan_(plan) {}

    Status list(const std::string& f, std::vector<NamedNode>& out) override {
        if (auto e = meet(plan_, FileOp::list, lastLevelOf(f))) return e->error;
        return inner().list(f, out);
    }

    Status openRead(const std::string& p, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        const std::string file(lastLevelOf(p));
        {
            std::lock_guard lock(mutex_);
            reading_[std::this_thread::get_id()] = file;
        }
        if (auto e = meet(plan_, FileOp::open, file)) return e->error;
        const Status s = inner().openRead(p, out, withMeta);
        if (s == Status::ok) out = std::make_unique<FaultyRead>(std::move(out), plan_, file);
        return s;
    }
    Status createNew(const std::string& p, std::unique_ptr<WriteStream>& out) override {
        std::string file = owner(p);
        if (auto e = meet(plan_, FileOp::open, file)) return e->error;
        const Status s = inner().createNew(p, out);
        if (s == Status::ok) out = std::make_unique<FaultyWrite>(std::move(out), plan_, std::move(file));
        return s;
    }
    Status rename(const std::string& f, const std::string& t) override {
        if (auto e = meet(plan_, FileOp::rename, lastLevelOf(t))) return e->error;
        return inner().rename(f, t);
    }
    Status move(const std::string& f, const std::string& t) override {
        if (auto e = meet(plan_, FileOp::rename, lastLevelOf(t))) return e->error;
        return inner().move(f, t);
    }
    Status hardLink(const std::string& e, const std::string& l) override {
        if (auto f = meet(plan_, FileOp::hardLink, lastLevelOf(l))) return f->error;
        return inner().hardLink(e, l);
    }
    Status makeFolder(const std::string& p) override {
        if (auto e = meet(plan_, FileOp::makeFolder, lastLevelOf(p))) return e->error;
        return inner().makeFolder(p);
    }
    Status removeFile(const std::string& p) override {
        if (auto e = meet(plan_, FileOp::remove, owner(p))) return e->error;
        return inner().removeFile(p);
    }
    Status freeSpace(const std::string& p, std::uint64_t& bytes) override {
        if (auto e = meet(plan_, FileOp::freeSpace, {})) return e->error;
        const Status s = inner().freeSpace(p, bytes);
        if (s == Status::ok && plan_.freeLimit()) bytes = std::min(bytes, *plan_.freeLimit());
        return s;
    }
    Status sync(const std::string& p) override {
        if (auto e = meet(plan_, FileOp::sync, lastLevelOf(p))) return e->error;
        return inner().sync(p);
    }

private:
    // The file a call on `path` is made for: a copy's temporary belongs to
    // the file this thread last opened for reading.
    std::string owner(const std::string& path) {
        const std::string_view name = lastLevelOf(path);
        if (!isCopyTemporary(name)) return std::string(name);
        std::lock_guard lock(mutex_);
        const auto it = reading_.find(std::this_thread::get_id());
        return it == reading_.end() ? std::string() : it->second;
    }

    FaultPlan& plan_;
    std::mutex mutex_;
    std::unordered_map<std::thread::id, std::string> reading_;
};

}  // namespace

std::unique_ptr<CopyIo> faultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan) {
    return std::make_unique<FaultyIo>(std::move(inner), plan);
}

}  // namespace orr::platform
