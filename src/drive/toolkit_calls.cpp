// `call` routes for clsFileSystem, MIni and clsFile. Each makes its own
// instance, as the program's callers do.
#include "Calls.h"
#include "Script.h"
#include "toolkit/MIni.h"
#include "toolkit/clsFile.h"
#include "toolkit/clsFileSystem.h"

namespace orr::drive {
namespace {

using S = platform::Services;

std::string text(const Args& a, std::size_t i) { return asText(argAt(a, i)); }
Variant variant(const Args& a, std::size_t i) { return asVariant(argAt(a, i)); }

void addFileSystem(CallTable& t) {
    using FS = clsFileSystem;
    auto fn = [&t](const std::string& name, auto body) {
        t.add("clsFileSystem." + name, [body](S& s, const Args& a) -> Result {
            FS fs(s);
            return body(fs, a);
        });
    };
    fn("FileExist", [](FS& fs, const Args& a) -> Result { return fs.FileExist(text(a, 0)); });
    fn("Save", [](FS& fs, const Args& a) -> Result { fs.Save(text(a, 0)); return {}; });
    fn("FileReal", [](FS& fs, const Args& a) -> Result { return fs.FileReal(variant(a, 0)); });
    fn("GetFileSize", [](FS& fs, const Args& a) -> Result { return fs.GetFileSize(variant(a, 0)); });
    fn("GetAttrib", [](FS& fs, const Args& a) -> Result { return fs.GetAttrib(variant(a, 0)); });
    fn("SetHidden", [](FS& fs, const Args& a) -> Result { fs.SetHidden(text(a, 0)); return {}; });
    fn("SetReadOnly", [](FS& fs, const Args& a) -> Result { fs.SetReadOnly(text(a, 0)); return {}; });
    fn("SetSystem", [](FS& fs, const Args& a) -> Result { fs.SetSystem(text(a, 0)); return {}; });
    fn("SetNormal", [](FS& fs, const Args& a) -> Result { fs.SetNormal(text(a, 0)); return {}; });
    fn("GetFileExtension", [](FS& fs, const Args& a) -> Result {
        return fromVariant(fs.GetFileExtension(text(a, 0)));
    });
    fn("GetFileDate", [](FS& fs, const Args& a) -> Result { return fs.GetFileDate(text(a, 0)); });
    fn("DeleteFile", [](FS& fs, const Args& a) -> Result { fs.DeleteFile(text(a, 0)); return {}; });
    fn("CopyFile", [](FS& fs, const Args& a) -> Result {
        fs.CopyFile(text(a, 0), text(a, 1));
        return {};
    });
    fn("MoveFile", [](FS& fs, const Args& a) -> Result {
        fs.MoveFile(text(a, 0), text(a, 1));
        return {};
    });
    fn("MakeDIR", [](FS& fs, const Args& a) -> Result { fs.MakeDIR(text(a, 0)); return {}; });
    fn("RemoveDIR", [](FS& fs, const Args& a) -> Result { fs.RemoveDIR(text(a, 0)); return {}; });
    fn("CloseAllFiles", [](FS& fs, const Args&) -> Result { fs.CloseAllFiles(); return {}; });
    fn("GetFileBaseName", [](FS& fs, const Args& a) -> Result {
        bool includePath = a.size() > 1 && asBool(a[1]);
        return fs.GetFileBaseName(text(a, 0), includePath);
    });
    fn("GetFileName", [](FS& fs, const Args& a) -> Result { return fs.GetFileName(text(a, 0)); });
    fn("GetPath", [](FS& fs, const Args& a) -> Result { return fs.GetPath(text(a, 0)); });
    fn("CreateDirectoryStruct", [](FS& fs, const Args& a) -> Result {
        fs.CreateDirectoryStruct(text(a, 0));
        return {};
    });
    fn("sRemoveLastChar", [](FS& fs, const Args& a) -> Result { return fs.sRemoveLastChar(text(a, 0)); });
    fn("LastChar", [](FS& fs, const Args& a) -> Result { return fromVariant(fs.LastChar(text(a, 0))); });
    fn("GetAllSubdirectories", [](FS& fs, const Args& a) -> Result {
        bool recurse = a.size() > 1 && asBool(a[1]);
        return fs.GetAllSubdirectories(text(a, 0), recurse);
    });
}

void addIni(CallTable& t) {
    t.add("MIni.WriteIni", [](S& s, const Args& a) -> Result {
        MIni::WriteIni(s, text(a, 0), text(a, 1), text(a, 2), text(a, 3));
        return {};
    });
    t.add("MIni.ReadIni", [](S& s, const Args& a) -> Result {
        return MIni::ReadIni(s, text(a, 0), text(a, 1), text(a, 2));
    });
}

void addFile(CallTable& t) {
    t.add("clsFile.FileWrite", [](S& s, const Args& a) -> Result {
        clsFile(s).FileWrite(text(a, 0), text(a, 1));
        return {};
    });
    t.add("clsFile.sRemoveLastChar", [](S& s, const Args& a) -> Result {
        return clsFile(s).sRemoveLastChar(text(a, 0));
    });
    t.add("clsFile.LastChar", [](S& s, const Args& a) -> Result {
        return fromVariant(clsFile(s).LastChar(text(a, 0)));
    });
}

}  // namespace

void addToolkitCalls(CallTable& table) {
    addFileSystem(table);
    addIni(table);
    addFile(table);
}

}  // namespace orr::drive
