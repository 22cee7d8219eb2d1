// A program whose imports the release check must refuse: one the table
// lacks (GetTickCount64 needs Vista), one the table says is looked up at
// run time (_TrackMouseEvent) and one wide stub of Windows 9x.
#include <windows.h>
#include <commctrl.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int main()
{
    TRACKMOUSEEVENT track{};
    _TrackMouseEvent(&track);
    return static_cast<int>(GetTickCount64() & 1) + (GetModuleHandleW(nullptr) ? 0 : 1);
}
