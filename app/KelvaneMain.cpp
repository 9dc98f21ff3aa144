// The application's entry points that the library's process entry calls.
#include <memory>

#include "app/MainShape.h"
#include "app/ProgramInfo.h"
#include "app/RunningCopy.h"
#include "app/StartLock.h"
#include "app/VersionWindow.h"
#include "controls/MessageBox.h"
#include "foundation/ProcessEntry.h"
#include "foundation/ProcessLog.h"
#include "framework/ShapeLoops.h"

namespace {

const DWORD startWaitMs = 20000;

} // namespace

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\Kelvane\\1.x"); }

THeapString ApplicationDisplayName() { return THeapString(ProductName); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The log sits below the message boxes; it asks through the box the program gives it.
    SetCannotOpenLogReport(&ReportCannotOpenLogBox);
    // One copy at a time: a second start opens the running copy's settings and leaves.
    if (HandToRunningCopy()) return 0;
    TStartLock lock;
    if (!lock.Acquire(&HandToRunningCopy, startWaitMs)) return 0;

    auto versionInfo = std::make_unique<TVersionInfo>();
    auto mainShape = std::make_unique<TMainShape>();
    TShape::SetApplicationMainShape(mainShape.get());
    mainShape->ShowModal();
    TShape::SetApplicationMainShape(nullptr);
    mainShape.reset();
    versionInfo.reset();
    DestroyAllShapes();
    return 0;
}
