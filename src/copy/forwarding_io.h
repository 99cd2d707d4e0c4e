// A CopyIo that passes every call on to another: the base of the layers put
// in front of this OS's own operations (the fault seam, the retries), each
// of which overrides only the calls it changes.
#pragma once

#include "platform/copy_io.h"

#include <memory>
#include <utility>

namespace orr::platform {

class ForwardingIo : public CopyIo {
public:
    explicit ForwardingIo(std::unique_ptr<CopyIo> inner) : inner_(std::move(inner)) {}

    Status native(std::string_view w, std::string& out) override { return inner_->native(w, out); }
    std::string join(const std::string& f, std::string_view n) override { return inner_->join(f, n); }
    std::string parent(const std::string& p) override { return inner_->parent(p); }
    Status realPath(const std::string& p, std::string& out) override { return inner_->realPath(p, out); }
    bool samePath(std::string_view a, std::string_view b) override { return inner_->samePath(a, b); }
    Status stat(const std::string& p, NodeInfo& i) override { return inner_->stat(p, i); }
    Status identity(const std::string& p, NodeInfo& i) override { return inner_->identity(p, i); }
    Status list(const std::string& f, std::vector<NamedNode>& out) override { return inner_->list(f, out); }
    Status openRead(const std::string& p, std::unique_ptr<ReadStream>& out, bool withMeta) override {
        return inner_->openRead(p, out, withMeta);
    }
    Status createNew(const std::string& p, std::unique_ptr<WriteStream>& out) override {
        return inner_->createNew(p, out);
    }
    Status copyFolderAttributes(const std::string& f, const std::string& t) override {
        return inner_->copyFolderAttributes(f, t);
    }
    Status copyLink(const std::string& f, const std::string& t) override { return inner_->copyLink(f, t); }
    Status rename(const std::string& f, const std::string& t) override { return inner_->rename(f, t); }
    Status move(const std::string& f, const std::string& t) override { return inner_->move(f, t); }
    Status hardLink(const std::string& e, const std::string& l) override { return inner_->hardLink(e, l); }
    Status makeFolder(const std::string& p) override { return inner_->makeFolder(p); }
    Status removeFile(const std::string& p) override { return inner_->removeFile(p); }
    Status freeSpace(const std::string& p, std::uint64_t& bytes) override { return inner_->freeSpace(p, bytes); }
    Status sync(const std::string& p) override { return inner_->sync(p); }

protected:
    CopyIo& inner() { return *inner_; }

private:
    std::unique_ptr<CopyIo> inner_;
};

}  // namespace orr::platform
