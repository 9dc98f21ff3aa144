// The application's entry points that the library's process entry calls.
#include "foundation/ProcessEntry.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\Kelvane\\1.x"); }

THeapString ApplicationDisplayName() { return THeapString("Kelvane"); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
