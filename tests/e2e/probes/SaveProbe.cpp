// Saves a play list through the main shape exactly as OK in the settings window does, so a
// test can kill a real process in the middle of a save. The list to save waits under the
// subkey that the first argument names.
#include "app/MainShape.h"
#include "foundation/CommandLine.h"
#include "foundation/GlobalStores.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\SaveProbe"); }

THeapString ApplicationDisplayName() { return THeapString("SaveProbe"); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TMainShape shape; // loads the stored list, as at every start
    {
        TRegistrySection next(ApplicationStore(), Argument(0), OpenExisting);
        shape.LoadValues(next.Store());
    }
    TRegistrySection application(ApplicationStore(), nullptr);
    shape.SaveValues(application.Store());
    return 0;
}
