#include <windows.h>

#include "resident/command/CommandLine.h"
#include "resident/command/CommandRun.h"
#include "resident/window/Resident.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The raw line: the program's name as the system gave it decides where
    // an unquoted path ends.
    const klarvo::resident::CommandLine line = klarvo::resident::ParseCommandLine(GetCommandLineA());
    if (line.invocation == klarvo::resident::Invocation::Resident) {
        return klarvo::resident::RunResident(instance);
    }
    return klarvo::resident::RunCommandLine(line);
}
