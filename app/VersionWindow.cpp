// The version window: its content, its text from the program information, and opening it once.
#include "app/VersionWindow.h"

#include "app/ProgramInfo.h"
#include "foundation/IconCache.h"
#include "foundation/StringOperations.h"
#include "framework/Shape.h"

const char VersionWindowTitle[] = "Kelvane ﾊﾞｰｼﾞｮﾝ情報";

namespace {

const int spacing = 12;
const int largeIcon = 1;
const char creditText[] = "制作: Orvik ソフトウェア工房";

TVersionInfo* slot = nullptr;

} // namespace

THeapString VersionText()
{
    const TProgramInfo& info = ProgramInfo();
    THeapString text = Concat(Concat(info.productName, " version "), info.versionText);
    text = Concat(Concat(text, "\r\n作成日付\t"),
                  FormatDate("%元号%%g%年%m%月%d%日", info.buildDate.year, info.buildDate.month, info.buildDate.day, true));
    return Concat(Concat(text, "\r\n作成時刻\t"), FormatTime(info.buildTime, "%午%%h%時%m%分%s%秒", true));
}

TVersionInfo::TVersionInfo()
    : ok(IDOK, "OK", "OK_ICON"), buttons(DockBottom, &ok, nullptr), application(IconApplication, VersionText()),
      creditIcon(IconByName("CORLEN_ICON")->Get(largeIcon)), credit(creditText, DockLeft, AlignCentred),
      creditGroup(DockTop, AlignLeftCentred, spacing, spacing, &creditIcon, &credit, nullptr),
      frame(spacing, spacing, "ﾊﾞｰｼﾞｮﾝ情報", &application, &creditGroup, nullptr),
      root(spacing, spacing, &buttons, &frame, nullptr)
{
    slot = this;
}

TVersionInfo::~TVersionInfo()
{
    if (slot == this) slot = nullptr;
}

TVersionInfo* CurrentVersionInfo() { return slot; }

void ShowVersionWindow(HWND owner)
{
    if (HWND open = FindWindowA("ShapeClass", VersionWindowTitle)) {
        ShowWindow(open, SW_RESTORE);
        SetForegroundWindow(open);
        return;
    }
    if (!slot) return;
    TElement* elements[] = {&slot->Root(), nullptr};
    TShape::RunShape(owner, "VersionShape", VersionWindowTitle, elements);
}
