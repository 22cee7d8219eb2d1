#include <windows.h>

#include "resident/Resident.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return klarvo::resident::RunResident(instance);
}
