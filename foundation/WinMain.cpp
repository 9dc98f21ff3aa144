// The Windows entry point of every program built on the library.
#include "foundation/ProcessEntry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    return RunProcess(instance, previous, commandLine, showCommand);
}
