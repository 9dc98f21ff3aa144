// What the application supplies to the library, for a test program that has no application.
#include "foundation/ProcessEntry.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\FileLists"); }
THeapString ApplicationDisplayName() { return THeapString("Kelvane"); }
int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
