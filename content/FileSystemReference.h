// A place in the file system by path, through which the per-user data
// folders (the named settings of each effect) are found and made. Paths
// separate folders with backslashes; the platform layer maps them when the
// file system is asked (platform/LocalPath.h).
#pragma once

#include <string>

#include "base/ResultCode.h"

class IFileSystemReference {
public:
    virtual ~IFileSystemReference() = default;

    // True when there is a file or folder at the path.
    virtual bool exists() const = 0;
    // Makes the folder at the path (its parent must exist); success also
    // when the folder was there already, -1 when it cannot be made.
    virtual ResultCode createDirectory() const = 0;
    // Sets `other` to this path + "\" + `name`. -1, leaving `other` as it
    // was, when `other` is not of this reference's kind.
    virtual ResultCode child(const std::string& name, IFileSystemReference& other) const = 0;
    // The same, for a folder below this one.
    virtual ResultCode childFolder(const std::string& name, IFileSystemReference& other) const = 0;
    // The path.
    virtual std::string name() const = 0;

protected:
    IFileSystemReference() = default;
    IFileSystemReference(const IFileSystemReference&) = default;
    IFileSystemReference& operator=(const IFileSystemReference&) = default;
};

class WinFileSystemReference : public IFileSystemReference {
public:
    explicit WinFileSystemReference(std::string path = std::string()) : path_(std::move(path)) {}

    bool exists() const override;
    ResultCode createDirectory() const override;
    ResultCode child(const std::string& name, IFileSystemReference& other) const override;
    ResultCode childFolder(const std::string& name, IFileSystemReference& other) const override;
    std::string name() const override { return path_; }

private:
    std::string path_;
};

// The user's data folder (platform/UserDataFolder.h) as a reference, made
// with every missing folder above it. -1 when it cannot be found or made.
ResultCode userDataFolder(WinFileSystemReference& folder);
