// General file-system toolkit: existence tests, attributes, sizes and dates,
// copying, moving and deleting files, folders, and path text functions.
// Holds no data of its own; any instance serves.
// (Windows headers define DeleteFile, CopyFile and MoveFile as macros: keep
// them out of any file that includes this one.)
#pragma once

#include "Variant.h"
#include "platform/services.h"

#include <functional>
#include <string>

namespace orr {

class clsFileSystem {
public:
    // Receives "Scanning Folder: <folder>" before each folder is listed.
    using StatusCallback = std::function<void(const std::string&)>;

    explicit clsFileSystem(platform::Services& services) : s_(services) {}

    bool FileExist(const std::string& strFile);
    void Save(const std::string& FileName);
    bool FileReal(const Variant& FileName);
    std::string GetFileSize(const Variant& FileName);
    std::string GetAttrib(const Variant& FileName);
    void SetHidden(const std::string& FileName);
    void SetReadOnly(const std::string& FileName);
    void SetSystem(const std::string& FileName);
    void SetNormal(const std::string& FileName);
    Variant GetFileExtension(const std::string& FileName);
    std::string GetFileDate(const std::string& FileName);
    void DeleteFile(const std::string& FileName);
    void CopyFile(const std::string& Source, const std::string& Destination);
    void MoveFile(const std::string& Source, const std::string& Destination);
    void MakeDIR(const std::string& Path);
    void RemoveDIR(const std::string& Path);
    void CloseAllFiles();
    std::string GetFileBaseName(const std::string& FileName, bool IncludePath = false);
    std::string GetFileName(const std::string& strPath);
    std::string GetPath(const std::string& PathFile);
    void CreateDirectoryStruct(const std::string& CreateThisPath);
    std::string sRemoveLastChar(const std::string& sPassString);
    Variant LastChar(const std::string& strText);
    std::string GetAllSubdirectories(std::string RootDir, bool Recurse,
                                     const StatusCallback& status = {});

private:
    platform::Services& s_;
};

}  // namespace orr
