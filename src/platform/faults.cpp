#include "faults.h"

#include <algorithm>
#include <string>
#include <utility>

namespace orr::platform {

std::optional<FileOp> fileOpNamed(std::string_view word) {
    constexpr std::pair<std::string_view, FileOp> names[] = {
        {"open", FileOp::open},   {"read", FileOp::read},     {"write", FileOp::write},
        {"flush", FileOp::flush}, {"rename", FileOp::rename}, {"mkdir", FileOp::makeFolder},
        {"free", FileOp::freeSpace}, {"list", FileOp::list}, {"link", FileOp::hardLink}};
    for (const auto& [name, op] : names)
        if (name == word) return op;
    return std::nullopt;
}

void FaultPlan::failNth(FileOp op, int n, Status error) {
    rules_.push_back({op, calls_[static_cast<std::size_t>(op)] + n, {error, false}});
}

void FaultPlan::corruptNthWrite(int n) {
    rules_.push_back({FileOp::write, calls_[static_cast<std::size_t>(FileOp::write)] + n, {Status::ok, true}});
}

std::optional<FaultPlan::Fault> FaultPlan::due(FileOp op) {
    const int call = ++calls_[static_cast<std::size_t>(op)];
    const auto it = std::find_if(rules_.begin(), rules_.end(),
                                 [&](const Rule& r) { return r.op == op && r.n == call; });
    if (it == rules_.end()) return std::nullopt;
    const Fault fault = it->fault;
    rules_.erase(it);
    return fault;
}

namespace {

class FaultyRead final : public ReadStream {
public:
    FaultyRead(std::unique_ptr<ReadStream> inner, FaultPlan& plan) : inner_(std::move(inner)), plan_(plan) {}
    Status read(std::span<char> into, std::size_t& got) override {
        if (auto e = plan_.due(FileOp::read)) return e->error;
        return inner_->read(into, got);
    }
    const FileMeta& meta() const override { return inner_->meta(); }

private:
    std::unique_ptr<ReadStream> inner_;
    FaultPlan& plan_;
};

class FaultyWrite final : public WriteStream {
public:
    FaultyWrite(std::unique_ptr<WriteStream> inner, FaultPlan& plan) : inner_(std::move(inner)), plan_(plan) {}
    Status write(std::span<const char> bytes) override {
        if (auto f = plan_.due(FileOp::write)) {
            if (!f->corrupt || bytes.empty()) return f->error;
            std::string changed(bytes.begin(), bytes.end());
            changed[changed.size() / 2] ^= 0x20;
            return inner_->write(changed);
        }
        return inner_->write(bytes);
    }
    Status flush() override {
        if (auto e = plan_.due(FileOp::flush)) return e->error;
        return inner_->flush();
    }
    Status readBack(std::uint64_t offset, std::span<char> into, std::size_t& got) override {
        if (auto e = plan_.due(FileOp::read)) return e->error;
        return inner_->readBack(offset, into, got);
    }
    Status close(const FileMeta* meta) override { return inner_->close(meta); }

private:
    std::unique_ptr<WriteStream> inner_;
    FaultPlan& plan_;
};

class FaultyIo final : public CopyIo {
public:
    FaultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan) : inner_(std::move(inner)), plan_(plan) {}

    Status native(std::string_view w, std::string& out) override { return inner_->native(w, out); }
    std::string join(const std::string& f, std::string_view n) override { return inner_->join(f, n); }
    std::string parent(const std::string& p) override { return inner_->parent(p); }
    Status realPath(const std::string& p, std::string& out) override { return inner_->realPath(p, out); }
    bool samePath(std::string_view a, std::string_view b) override { return inner_->samePath(a, b); }
    Status stat(const std::string& p, NodeInfo& i) override { return inner_->stat(p, i); }
    Status identity(const std::string& p, NodeInfo& i) override { return inner_->identity(p, i); }
    Status list(const std::string& f, std::vector<NamedNode>& out) override {
        if (auto e = plan_.due(FileOp::list)) return e->error;
        return inner_->list(f, out);
    }

    Status openRead(const std::string& p, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        if (auto e = plan_.due(FileOp::open)) return e->error;
        const Status s = inner_->openRead(p, out, withMeta);
        if (s == Status::ok) out = std::make_unique<FaultyRead>(std::move(out), plan_);
        return s;
    }
    Status createNew(const std::string& p, std::unique_ptr<WriteStream>& out) override {
        if (auto e = plan_.due(FileOp::open)) return e->error;
        const Status s = inner_->createNew(p, out);
        if (s == Status::ok) out = std::make_unique<FaultyWrite>(std::move(out), plan_);
        return s;
    }
    Status copyFolderAttributes(const std::string& f, const std::string& t) override {
        return inner_->copyFolderAttributes(f, t);
    }
    Status copyLink(const std::string& f, const std::string& t) override { return inner_->copyLink(f, t); }
    Status rename(const std::string& f, const std::string& t) override {
        if (auto e = plan_.due(FileOp::rename)) return e->error;
        return inner_->rename(f, t);
    }
    Status move(const std::string& f, const std::string& t) override {
        if (auto e = plan_.due(FileOp::rename)) return e->error;
        return inner_->move(f, t);
    }
    Status hardLink(const std::string& e, const std::string& l) override {
        if (auto f = plan_.due(FileOp::hardLink)) return f->error;
        return inner_->hardLink(e, l);
    }
    Status makeFolder(const std::string& p) override {
        if (auto e = plan_.due(FileOp::makeFolder)) return e->error;
        return inner_->makeFolder(p);
    }
    Status removeFile(const std::string& p) override { return inner_->removeFile(p); }
    Status freeSpace(const std::string& p, std::uint64_t& bytes) override {
        if (auto e = plan_.due(FileOp::freeSpace)) return e->error;
        const Status s = inner_->freeSpace(p, bytes);
        if (s == Status::ok && plan_.freeLimit()) bytes = std::min(bytes, *plan_.freeLimit());
        return s;
    }
    Status sync(const std::string& p) override { return inner_->sync(p); }

private:
    std::unique_ptr<CopyIo> inner_;
    FaultPlan& plan_;
};

}  // namespace

std::unique_ptr<CopyIo> faultyIo(std::unique_ptr<CopyIo> inner, FaultPlan& plan) {
    return std::make_unique<FaultyIo>(std::move(inner), plan);
}

}  // namespace orr::platform
