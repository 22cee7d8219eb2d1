#pragma once

// Reading the registry: the values both programs take from it, and what
// each turned out to be.

#include <windows.h>

#include <string>

namespace klarvo {

// Explorer's names of a person's folders, Windows 95 on: the expanded
// paths, and (newer shells, the NT line) the paths as the person set them,
// which may hold variables.
inline constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// What a registry value turned out to be. Callers differ in what they make
// of each, but none may mistake an unreadable value for a missing one.
enum class RegistryRead {
    Missing,    // no such key or value
    Text,       // REG_SZ, or REG_EXPAND_SZ with its variables expanded
    NotText,    // there, but of another type
    Unreadable, // there, but the system would not hand it over or expand it
};

struct RegistryString {
    RegistryRead state = RegistryRead::Missing;
    std::string text; // Text only: cut at its first NUL
    LONG error = 0;   // Unreadable: the system's error code
};

RegistryString ReadRegistryString(HKEY key, const char* name);
// Opens `keyName` under `root` for the one value; a missing key is a
// missing value.
RegistryString ReadRegistryString(HKEY root, const char* keyName, const char* name);

} // namespace klarvo
