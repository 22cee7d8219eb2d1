#pragma once

// Rules of the Options page that need no window: what a hot-key edit lets
// through, and which sound a first run chooses.

#include <functional>
#include <optional>
#include <string>

namespace klarvo {

inline constexpr char kBackspaceChar = 8;
inline constexpr char kReturnChar = 13;

// A typed character on its way into a hot-key edit: backspace and return
// pass as they are, a letter A-Z or a-z passes upper-cased, and anything
// else becomes 0, which the edit drops. An edit of one character thus holds
// nothing or one upper-case letter.
char FilterHotKeyChar(char key);

// The file beside the program that a first run plays after a cleaning.
inline constexpr char kDefaultSoundName[] = "default.wav";

struct DefaultSoundChoice {
    // Whether the sound is switched on.
    bool enabled = false;
    // The file name to put in the edit; nothing: leave the edit as it is.
    std::optional<std::string> fileName;
};

// The sound of "Default setting": exeDir + default.wav, switched on, when
// that file exists; otherwise switched off with the chosen name kept.
DefaultSoundChoice DefaultSoundFor(const std::string& exeDir,
                                   const std::function<bool(const std::string& path)>& fileExists);

} // namespace klarvo
