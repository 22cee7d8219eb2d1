#pragma once

#include <string>

#include "resident/DiskFunctions.h"
#include "resident/PathRules.h"

namespace klarvo::resident {

// What a directory is, whatever drive letter, share or link leads to it:
// the NT line opens it and names it by volume serial number and file
// index. Itself first, then each directory above it up to the root of its
// drive or share; empty when any of them cannot be opened or named.
PlaceChain IdentityChain(const std::string& path, const DiskFunctions& functions);

// Windows 9x opens no directory, but a file made in one shows wherever
// that directory is reached. A marker of a unique name is made in the
// candidate directory; a place is the candidate's j-th directory above
// exactly when the marker shows under it at the same depth. Keys of that
// kind ("D0" the candidate, "D1" its parent...) compare with the
// candidate's own chain as identity keys do. The marker goes as the object
// ends.
class Marker {
public:
    // `directory` normalised, "X:\...".
    explicit Marker(const std::string& directory);
    ~Marker();
    Marker(const Marker&) = delete;
    Marker& operator=(const Marker&) = delete;

    // False when the directory took no file: nothing can be established.
    bool Made() const { return made_; }
    PlaceChain Candidate() const;
    // A place's spelling chain in the candidate's keys where the marker
    // shows them to be the same; elsewhere its spelling stays its key.
    PlaceChain Translate(const PlaceChain& spelling) const;

private:
    PlaceChain directory_; // spelling chain of the candidate
    std::string name_;
    bool made_ = false;
};

} // namespace klarvo::resident
