// The application's entry points that the library's process entry calls.
#include <memory>

#include "app/Commands.h"
#include "app/MainShape.h"
#include "app/ProgramInfo.h"
#include "app/VersionWindow.h"
#include "foundation/ProcessEntry.h"
#include "framework/ShapeLoops.h"

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\Kelvane\\1.x"); }

THeapString ApplicationDisplayName() { return THeapString(ProductName); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // One copy at a time: a second start opens the running copy's settings and leaves.
    // The window found may be one of its boxes, which share the title: the command goes to
    // the window that owns it all.
    if (HWND running = FindWindowA("ShapeClass", ProductName)) {
        PostMessageA(GetAncestor(running, GA_ROOTOWNER), WM_COMMAND, MAKEWPARAM(CommandSettings, 1), 0);
        return 0;
    }
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
