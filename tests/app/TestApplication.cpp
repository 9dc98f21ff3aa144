// What the application supplies to the library, for the application's unit tests.
#include "foundation/ProcessEntry.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\App"); }
THeapString ApplicationDisplayName() { return THeapString("Kelvane"); }
int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
