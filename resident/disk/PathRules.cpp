#include "resident/disk/PathRules.h"

#include <algorithm>

namespace klarvo::resident {
namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Characters that no file or directory name may hold. A '*' or '?' would
// also turn the cleaner's own search pattern into a different one.
bool IsForbidden(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32) {
        return true;
    }
    switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
        return true;
    default:
        return false;
    }
}

bool IsBlank(const std::string& text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

} // namespace

const char* VerdictText(PathVerdict verdict)
{
    switch (verdict) {
    case PathVerdict::Accepted:
        return "accepted";
    case PathVerdict::Empty:
        return "no directory configured";
    case PathVerdict::NotAbsolute:
        return "not a full path on a drive";
    case PathVerdict::BadCharacters:
        return "characters no directory name holds";
    case PathVerdict::DotComponent:
        return "'.' or '..' in the path";
    case PathVerdict::DriveRoot:
        return "a drive root";
    case PathVerdict::Protected:
        return "a protected directory";
    case PathVerdict::HoldsProtected:
        return "holds a protected directory";
    case PathVerdict::InsideProtected:
        return "inside a protected directory";
    case PathVerdict::Link:
        return "a link or lies under one";
    case PathVerdict::Missing:
        return "no such directory";
    case PathVerdict::Unverifiable:
        return "where it leads cannot be established on this system";
    case PathVerdict::UnknownProtected:
        return "a protected place could not be read, so none is known to be safe";
    case PathVerdict::NotSystemPlace:
        return "not the place this system keeps for it";
    case PathVerdict::NetworkDrive:
        return "a network drive, and where it leads cannot be established on this system";
    case PathVerdict::NoMarker:
        return "no trial file could be made in it to establish where it leads";
    }
    return "?";
}

NormalisedPath NormaliseDirectory(const std::string& text)
{
    if (IsBlank(text)) {
        return {PathVerdict::Empty, {}};
    }
    std::string path = text;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    // "X:\" and nothing else: no UNC share, no device namespace, no
    // drive-relative "X:name", no path relative to the current directory.
    if (path.size() < 3 || !IsLetter(path[0]) || path[1] != ':' || path[2] != '\\') {
        return {PathVerdict::NotAbsolute, {}};
    }

    std::string result = path.substr(0, 2);
    std::size_t components = 0;
    std::size_t pos = 3;
    while (pos <= path.size()) {
        std::size_t end = path.find('\\', pos);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string name = path.substr(pos, end - pos);
        pos = end + 1;
        if (name.empty()) {
            continue;
        }
        for (char c : name) {
            if (IsForbidden(c)) {
                return {PathVerdict::BadCharacters, {}};
            }
        }
        // Windows drops trailing dots and blanks from names, so "..." and
        // ". ." would open the parent: any name of dots and blanks only is
        // refused along with "." and "..".
        if (name.find_first_not_of(". ") == std::string::npos) {
            return {PathVerdict::DotComponent, {}};
        }
        // Windows drops them from any name, so "C:\WINDOWS." opens the
        // Windows directory while comparing unlike it.
        if (name.back() == '.' || name.back() == ' ') {
            return {PathVerdict::BadCharacters, {}};
        }
        result += '\\';
        result += name;
        ++components;
    }
    if (components == 0) {
        return {PathVerdict::DriveRoot, result + '\\'};
    }
    return {PathVerdict::Accepted, result};
}

bool IsSameOrInside(const std::string& inner, const std::string& outer)
{
    if (outer.empty() || inner.size() < outer.size()) {
        return false;
    }
    if (inner.compare(0, outer.size(), outer) != 0) {
        return false;
    }
    return inner.size() == outer.size() || inner[outer.size()] == '\\' || outer.back() == '\\';
}

bool IsDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (char& c : base) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CLOCK$" || base == "CONIN$" ||
        base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

bool IsOddName(const std::string& name)
{
    return !name.empty() &&
           (name.find_first_not_of(". ") == std::string::npos || name.back() == '.' || name.back() == ' ');
}

bool HoldsSeparator(const std::string& name)
{
    return name.find_first_of("\\/:") != std::string::npos;
}

PlaceChain SpellingChain(const std::string& folded)
{
    PlaceChain chain;
    if (folded.size() < 3) {
        return chain;
    }
    chain.push_back(folded);
    for (std::size_t slash = folded.rfind('\\'); slash != std::string::npos && slash >= 2;
         slash = folded.rfind('\\', slash - 1)) {
        const std::string above = folded.substr(0, slash == 2 ? 3 : slash);
        if (above != chain.back()) {
            chain.push_back(above);
        }
        if (slash == 2) {
            break;
        }
    }
    return chain;
}

namespace {

bool Holds(const PlaceChain& chain, const std::string& key, std::size_t from)
{
    for (std::size_t i = from; i < chain.size(); ++i) {
        if (chain[i] == key) {
            return true;
        }
    }
    return false;
}

bool IsInside(const PlaceChain& candidate, const GuardedPlace& place)
{
    if (Holds(candidate, place.chain[0], 1)) {
        return true;
    }
    if (place.inside) {
        for (const std::string& key : candidate) {
            if (std::binary_search(place.inside->begin(), place.inside->end(), key)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

PathVerdict JudgeChain(const PlaceChain& candidate, const std::vector<GuardedPlace>& places,
                       const std::vector<PlaceChain>& cleanables)
{
    if (candidate.empty()) {
        return PathVerdict::Accepted;
    }
    // A cleanable place counts only strictly inside the tree: one that is
    // the Windows directory itself waives nothing.
    auto waived = [&](const GuardedPlace& place) {
        if (!place.allowsCleanables) {
            return false;
        }
        for (const PlaceChain& cleanable : cleanables) {
            if (!cleanable.empty() && Holds(cleanable, place.chain[0], 1) && Holds(candidate, cleanable[0], 0)) {
                return true;
            }
        }
        return false;
    };
    // The most telling verdict first: the system directory is itself
    // protected, not merely inside the Windows directory.
    for (const GuardedPlace& place : places) {
        if (!place.chain.empty() && candidate[0] == place.chain[0]) {
            return PathVerdict::Protected;
        }
    }
    for (const GuardedPlace& place : places) {
        if (Holds(place.chain, candidate[0], 1)) {
            return PathVerdict::HoldsProtected;
        }
    }
    for (const GuardedPlace& place : places) {
        if (!place.chain.empty() && place.wholeSubtree && IsInside(candidate, place) && !waived(place)) {
            return PathVerdict::InsideProtected;
        }
    }
    return PathVerdict::Accepted;
}

PathVerdict JudgeAgainst(const std::string& folded, const std::vector<ProtectedPlace>& places,
                         const std::vector<std::string>& cleanables)
{
    std::vector<GuardedPlace> guarded;
    for (const ProtectedPlace& place : places) {
        if (!place.path.empty()) {
            guarded.push_back({SpellingChain(place.path), place.wholeSubtree, place.allowsCleanables});
        }
    }
    std::vector<PlaceChain> chains;
    for (const std::string& cleanable : cleanables) {
        chains.push_back(SpellingChain(cleanable));
    }
    return JudgeChain(SpellingChain(folded), guarded, chains);
}

} // namespace klarvo::resident
