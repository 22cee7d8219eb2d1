#include "resident/disk/DiskFolders.h"

#include <windows.h>

#include "resident/disk/NtFiles.h"

namespace klarvo::resident {
namespace {

DeleteOutcome OutcomeOf(NtStatus status)
{
    switch (status) {
    case nt_status::kSharingViolation:
        return DeleteOutcome::InUse;
    case nt_status::kNameNotFound:
    case nt_status::kPathNotFound:
    case nt_status::kDeletePending:
        return DeleteOutcome::Gone;
    case nt_status::kFileIsADirectory:
    case nt_status::kNotADirectory:
        return DeleteOutcome::Link; // swapped since the listing
    case nt_status::kDirectoryNotEmpty:
        return DeleteOutcome::NotEmpty;
    default:
        return status >= 0 ? DeleteOutcome::Deleted : DeleteOutcome::Failed;
    }
}

// The name an entry is reported by: its own where the code page spells it,
// else its short one; empty where neither reaches it.
std::string ReportedName(const NtEntry& entry)
{
    std::string name;
    if (!Narrowed(entry.name.c_str(), name) && (entry.shortName.empty() || !Narrowed(entry.shortName.c_str(), name))) {
        name.clear();
    }
    return name;
}

constexpr ULONG kItself = nt_open::kSynchronous | nt_open::kReparsePointItself;

class NtFolder final : public Folder {
public:
    NtFolder(std::string path, WalkMode mode, FileHandle handle, std::wstring name, bool removable,
             const DiskFunctions& functions)
        : Folder(std::move(path), mode), handle_(std::move(handle)), name_(std::move(name)), removable_(removable),
          functions_(functions)
    {
    }

    Listing List(std::vector<Entry>& entries) override
    {
        NtListing listing = ListEntries(functions_.nt, handle_.Get());
        for (NtEntry& found : listing.entries) {
            std::string name = ReportedName(found);
            entries.push_back({std::move(name), found.attributes, std::move(found.name), found.size});
        }
        if (listing.status == nt_status::kNoMoreFiles) {
            return Listing::Complete;
        }
        return entries.empty() ? Listing::Failed : Listing::Cut;
    }

    DeleteOutcome DeleteFile(const Entry& entry) override
    {
        // No sharing: a file some program holds open shows as in use.
        FileHandle file;
        const NtStatus status = OpenRelative(functions_.nt, handle_.Get(), entry.wide, DELETE | FILE_READ_ATTRIBUTES, 0,
                                             nt_open::kNotDirectory | kItself, file);
        if (status < 0) {
            return OutcomeOf(status);
        }
        if (const DeleteOutcome seen = Recheck(file.Get(), entry, false);
            seen != DeleteOutcome::Deleted || Mode() == WalkMode::Preview) {
            return seen;
        }
        return OutcomeOf(MarkForDeletion(functions_.nt, file.Get()));
    }

    std::unique_ptr<Folder> Enter(const Entry& entry, DeleteOutcome& why) override
    {
        constexpr ACCESS_MASK kListing = FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
        constexpr ULONG kOptions = nt_open::kDirectory | kItself;
        FileHandle directory;
        bool removable = true;
        NtStatus status =
            OpenRelative(functions_.nt, handle_.Get(), entry.wide, kListing | DELETE, kShareAll, kOptions, directory);
        if (status == nt_status::kSharingViolation) {
            // Some program works in it without letting it go: it is still
            // emptied, but stays.
            removable = false;
            status = OpenRelative(functions_.nt, handle_.Get(), entry.wide, kListing, kShareAll, kOptions, directory);
        }
        if (status < 0) {
            why = OutcomeOf(status);
            return nullptr;
        }
        if (why = Recheck(directory.Get(), entry, true); why != DeleteOutcome::Deleted) {
            return nullptr;
        }
        return std::make_unique<NtFolder>(Path() + '\\' + entry.name, Mode(), std::move(directory),
                                          ChildName(name_, entry.wide), removable, functions_);
    }

    DeleteOutcome Remove() override
    {
        if (!removable_) {
            return DeleteOutcome::InUse;
        }
        if (Mode() == WalkMode::Preview) {
            return DeleteOutcome::Deleted; // opened for deleting, so it could go
        }
        const DeleteOutcome outcome = OutcomeOf(MarkForDeletion(functions_.nt, handle_.Get()));
        handle_.Reset(); // it goes as its last handle closes
        return outcome;
    }

private:
    // What the entry opened is now: a link, or a file where a directory was
    // listed (or the other way round) was swapped in since the listing;
    // Wine follows a Unix link even so, and only the name the system gives
    // the handle shows where it led. Deleted means it may go.
    DeleteOutcome Recheck(HANDLE opened, const Entry& entry, bool directory) const
    {
        DWORD attributes = 0;
        std::wstring name;
        if (!QueryAttributesAndName(functions_.nt, opened, attributes, name)) {
            return DeleteOutcome::Failed;
        }
        if (IsLink(attributes) || IsDirectory(attributes) != directory ||
            !SameName(functions_.nt, name, ChildName(name_, entry.wide))) {
            return DeleteOutcome::Link;
        }
        if (!directory && IsMarkedToKeep(attributes)) {
            return DeleteOutcome::Marked;
        }
        return DeleteOutcome::Deleted;
    }

    FileHandle handle_;
    std::wstring name_;
    bool removable_;
    const DiskFunctions& functions_;
};

class ByNameFolder final : public Folder {
public:
    ByNameFolder(std::string path, WalkMode mode) : Folder(std::move(path), mode) {}

    Listing List(std::vector<Entry>& entries) override { return ListByName(Path(), entries); }

    DeleteOutcome DeleteFile(const Entry& entry) override
    {
        return DeleteEntry(Path() + '\\' + entry.name, false, Mode());
    }

    std::unique_ptr<Folder> Enter(const Entry& entry, DeleteOutcome& why) override
    {
        // Looked at again just before entering: it may have been replaced
        // since the listing.
        const std::string path = Path() + '\\' + entry.name;
        const DWORD now = GetFileAttributesA(path.c_str());
        if (now == INVALID_FILE_ATTRIBUTES) {
            why = DeleteOutcome::Gone;
            return nullptr;
        }
        if (!IsDirectory(now) || IsLink(now)) {
            why = DeleteOutcome::Link;
            return nullptr;
        }
        return std::make_unique<ByNameFolder>(path, Mode());
    }

    DeleteOutcome Remove() override { return DeleteEntry(Path(), true, Mode()); }
};

} // namespace

std::unique_ptr<Folder> HandleFolder(std::string path, OpenedDirectory&& opened, const DiskFunctions& functions,
                                     WalkMode mode)
{
    return std::make_unique<NtFolder>(std::move(path), mode, std::move(opened.handle), std::move(opened.name), false,
                                      functions);
}

std::unique_ptr<Folder> NamedFolder(std::string path, WalkMode mode)
{
    return std::make_unique<ByNameFolder>(std::move(path), mode);
}

} // namespace klarvo::resident
