#include "pages/OptionsRules.h"

namespace klarvo {

char FilterHotKeyChar(char key)
{
    if (key == kBackspaceChar || key == kReturnChar) {
        return key;
    }
    if (key >= 'a' && key <= 'z') {
        return static_cast<char>(key - 'a' + 'A');
    }
    if (key >= 'A' && key <= 'Z') {
        return key;
    }
    return 0;
}

DefaultSoundChoice DefaultSoundFor(const std::string& exeDir,
                                   const std::function<bool(const std::string& path)>& fileExists)
{
    const std::string path = exeDir + kDefaultSoundName;
    if (fileExists && fileExists(path)) {
        return {true, path};
    }
    return {false, std::nullopt};
}

} // namespace klarvo
