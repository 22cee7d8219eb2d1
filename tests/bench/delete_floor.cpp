// The floor for deleting a tree: the ANSI calls with no checks at all, as
// the simplest program would make them. Timed by its own clock, from the
// first listing to the last removal; the seconds go to the file named
// second, so that starting the program costs nothing of the figure.
// Usage: delete_floor.exe <tree> <result file>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void DeleteTree(const std::string& directory)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = directory + '\\' + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    DeleteTree(argv[1]);
    QueryPerformanceCounter(&end);
    FILE* result = std::fopen(argv[2], "w");
    if (!result) {
        return 1;
    }
    std::fprintf(result, "%.6f\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    std::fclose(result);
    return 0;
}
