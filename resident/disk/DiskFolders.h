#pragma once

// The directories a clearing walks, and the one way it reaches what is in
// them: on the NT line through the directory's own handle, each entry
// opened relative to it, never through a link, and deleted through its own
// handle; on Windows 9x, which opens no directory and has no links of its
// own, by name.

#include <memory>
#include <string>
#include <vector>

#include "resident/disk/DiskEntries.h"
#include "resident/disk/DiskFunctions.h"
#include "resident/disk/DiskIdentity.h"

namespace klarvo::resident {

class Folder {
public:
    Folder(std::string path, WalkMode mode) : path_(std::move(path)), mode_(mode) {}
    virtual ~Folder() = default;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    // The path the walk names it by, in the code page, for reports and for
    // the longest path the ANSI functions reach.
    const std::string& Path() const { return path_; }
    // In a preview, DeleteFile and Remove check and open all they would
    // delete, delete nothing and answer as if they had.
    WalkMode Mode() const { return mode_; }

    virtual Listing List(std::vector<Entry>& entries) = 0;
    // A listed file, looked at again as it is now, then deleted.
    virtual DeleteOutcome DeleteFile(const Entry& entry) = 0;
    // A listed subdirectory, opened for its own visit; null, with why, when
    // it is no longer a directory that may be entered.
    virtual std::unique_ptr<Folder> Enter(const Entry& entry, DeleteOutcome& why) = 0;
    // This folder itself, once emptied.
    virtual DeleteOutcome Remove() = 0;

private:
    std::string path_;
    WalkMode mode_;
};

// The NT line: the walk's root is the judged directory's own handle.
std::unique_ptr<Folder> HandleFolder(std::string path, OpenedDirectory&& opened, const DiskFunctions& functions,
                                     WalkMode mode);

// Windows 9x.
std::unique_ptr<Folder> NamedFolder(std::string path, WalkMode mode);

} // namespace klarvo::resident
