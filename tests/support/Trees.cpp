#include "support/Trees.h"

#include <windows.h>

namespace klarvo::test {

std::string MakeTree(const TempDir& under, const std::string& name)
{
    const std::string root = under.File(name);
    CreateDirectoryA(root.c_str(), nullptr);
    WriteText(root + "\\top.tmp", "x");
    CreateDirectoryA((root + "\\sub").c_str(), nullptr);
    WriteText(root + "\\sub\\inner.tmp", "x");
    return root;
}

void MakeWideTree(const std::string& root, int directories, int files)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int d = 0; d < directories; ++d) {
        const std::string dir = root + "\\dir" + std::to_string(d);
        CreateDirectoryA(dir.c_str(), nullptr);
        for (int f = 0; f < files; ++f) {
            WriteText(dir + "\\file" + std::to_string(f) + ".tmp", "small file");
        }
    }
}

} // namespace klarvo::test
