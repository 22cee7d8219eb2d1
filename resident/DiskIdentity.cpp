#include "resident/DiskIdentity.h"

#include <windows.h>

#include "win/Handles.h"

namespace klarvo::resident {
namespace {

// Serial number and file index; an index of zero is a file system that
// keeps none, where two directories could not be told apart.
std::string IdentityOf(const std::string& path, const DiskFunctions& functions)
{
    const FileHandle handle(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!handle || !functions.information(handle.Get(), &information)) {
        return {};
    }
    if (information.nFileIndexHigh == 0 && information.nFileIndexLow == 0) {
        return {};
    }
    char key[32];
    wsprintfA(key, "%08lX:%08lX%08lX", information.dwVolumeSerialNumber, information.nFileIndexHigh,
              information.nFileIndexLow);
    return key;
}

// Where the part above the directories begins: "X:\" or "\\server\share\".
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return 3;
    }
    if (path.rfind("\\\\", 0) != 0) {
        return std::string::npos;
    }
    const std::size_t server = path.find('\\', 2);
    if (server == std::string::npos) {
        return std::string::npos;
    }
    const std::size_t share = path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share + 1;
}

std::string DepthKey(std::size_t depth)
{
    return "D" + std::to_string(depth);
}

} // namespace

PlaceChain IdentityChain(const std::string& path, const DiskFunctions& functions)
{
    PlaceChain chain;
    if (!functions.HandlePath()) {
        return chain;
    }
    const std::size_t root = RootLength(path);
    if (root == std::string::npos) {
        return chain;
    }
    std::string current = path;
    while (current.size() > 1 && current.back() == '\\' && current.size() > root) {
        current.pop_back();
    }
    for (;;) {
        const std::string key = IdentityOf(current.size() < root ? current + '\\' : current, functions);
        if (key.empty()) {
            return {};
        }
        chain.push_back(key);
        if (current.size() <= root) {
            return chain;
        }
        const std::size_t slash = current.rfind('\\');
        current = slash + 1 <= root ? current.substr(0, root) : current.substr(0, slash);
    }
}

Marker::Marker(const std::string& directory) : directory_(SpellingChain(directory))
{
    char name[32];
    wsprintfA(name, "KLARVO~%08lX%04lX.MRK", GetTickCount(), GetCurrentProcessId() & 0xFFFF);
    name_ = name;
    const FileHandle file(CreateFileA((directory + '\\' + name_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_HIDDEN, nullptr));
    made_ = static_cast<bool>(file);
}

Marker::~Marker()
{
    if (made_) {
        DeleteFileA((directory_[0] + '\\' + name_).c_str());
    }
}

PlaceChain Marker::Candidate() const
{
    PlaceChain chain;
    for (std::size_t depth = 0; depth < directory_.size(); ++depth) {
        chain.push_back(DepthKey(depth));
    }
    return chain;
}

PlaceChain Marker::Translate(const PlaceChain& spelling) const
{
    PlaceChain translated;
    const std::string& candidate = directory_[0];
    for (const std::string& place : spelling) {
        std::string key = place;
        const std::string base = place.back() == '\\' ? place.substr(0, place.size() - 1) : place;
        for (std::size_t depth = 0; depth < directory_.size(); ++depth) {
            const std::string& above = directory_[depth];
            // What lies between the candidate's j-th directory above and
            // the candidate: "" for itself, "\\B" for its parent...
            const std::size_t cut = above.back() == '\\' ? above.size() - 1 : above.size();
            const std::string probe = base + candidate.substr(cut) + '\\' + name_;
            if (GetFileAttributesA(probe.c_str()) != INVALID_FILE_ATTRIBUTES) {
                key = DepthKey(depth);
                break;
            }
        }
        translated.push_back(key);
    }
    return translated;
}

} // namespace klarvo::resident
