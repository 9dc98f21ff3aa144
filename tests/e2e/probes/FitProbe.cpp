// Opens the program's windows at the screen's DPI and measures every text against the control
// that shows it: the settings window with the paths given as arguments (captions, button texts,
// list lines), its window menu, the message boxes and the version window. It writes the DPI,
// how many texts it measured and a description of each text that does not fit into its own
// application key, so that a test can run it once per DPI.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/MainShape.h"
#include "app/MciPlayback.h"
#include "app/StartupShortcut.h"
#include "app/VersionWindow.h"
#include "controls/MessageBox.h"
#include "filelists/ComboListItem.h"
#include "foundation/GlobalStores.h"
#include "foundation/Handles.h"
#include "foundation/IconSource.h"
#include "foundation/ProcessEntry.h"
#include "foundation/RegistrySection.h"
#include "foundation/ScreenScale.h"
#include "framework/DropFiles.h"
#include "framework/OwnerDrawnItem.h"
#include "framework/Shape.h"
#include "framework/TransparentButton.h"

namespace {

struct TFindings {
    int measured = 0;
    std::vector<std::string> misfits;

    void Check(bool fits, const std::string& where, const char* text, SIZE needs, SIZE has)
    {
        ++measured;
        if (fits) return;
        char sizes[96];
        std::snprintf(sizes, sizeof sizes, " needs %ldx%ld, has %ldx%ld", needs.cx, needs.cy, has.cx, has.cy);
        misfits.push_back(where + " \"" + text + "\"" + sizes);
    }
};

TFindings findings;

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The text's extent in the font the control draws it in.
SIZE Extent(HWND control, const char* text, UINT format)
{
    TWindowFontDC dc(control);
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | format);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

SIZE SizeOf(const RECT& area) { return SIZE{area.right - area.left, area.bottom - area.top}; }

bool Inside(const RECT& part, const RECT& area)
{
    return part.left >= area.left && part.top >= area.top && part.right <= area.right && part.bottom <= area.bottom;
}

// Push buttons, check boxes and group frames: the caption (and the icon) where the button draws them.
void CheckButton(HWND button, const std::string& where)
{
    const std::string text = TextOf(button);
    if (text.empty()) return;
    RECT client;
    GetClientRect(button, &client);
    const LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    const SIZE extent = Extent(button, text.c_str(), DT_SINGLELINE);
    const bool hasIcon = SendMessageA(button, WM_GETICON, ICON_SMALL, 0) != 0;
    const TButtonLayout layout = LayOutButton(type, client, extent, hasIcon, false);
    const RECT caption{layout.text.x, layout.text.y, layout.text.x + extent.cx, layout.text.y + extent.cy};
    RECT room = client;
    if (type == BS_GROUPBOX) {
        room.right -= layout.text.x; // the caption's indent on both sides
    } else if (type == BS_OWNERDRAW || type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
        InflateRect(&room, -TTransparentButton::PushFrame, -TTransparentButton::PushFrame);
    }
    // The icon keeps clear of the frame's sides and of the caption; it may touch the frame's
    // top and bottom lines, as it always has in a button 21 pixels high.
    const RECT& icon = layout.icon;
    const bool iconFits = !hasIcon || (icon.left >= room.left && icon.right <= caption.left && icon.top >= client.top &&
                                       icon.bottom <= client.bottom);
    const SIZE needs{caption.right - (hasIcon ? icon.left : caption.left), caption.bottom - caption.top};
    findings.Check(Inside(caption, room) && iconFits, where + " button", text.c_str(), needs, SizeOf(room));
}

// A message text: its lines in the edit's formatting rectangle.
void CheckEdit(HWND edit, const std::string& where)
{
    const std::string text = TextOf(edit);
    RECT format{};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const SIZE extent = Extent(edit, text.c_str(), DT_NOPREFIX | DT_EXPANDTABS);
    const SIZE room = SizeOf(format);
    findings.Check(extent.cx <= room.cx && extent.cy <= room.cy, where + " text", text.c_str(), extent, room);
}

// Every line of a file list: the text as the line shows it, the icon in its column, the height.
void CheckListLines(HWND list, const std::string& where)
{
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
        const auto* item = reinterpret_cast<const TComboListItem*>(SendMessageA(list, LB_GETITEMDATA, line, 0));
        RECT area{};
        SendMessageA(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&area));
        const int width = area.right - area.left, height = area.bottom - area.top;
        THeapString shown;
        {
            TWindowFontDC dc(list);
            shown = item->ShownText(dc, width);
        }
        const SIZE extent = Extent(list, shown, DT_SINGLELINE);
        const int icon = IconSizeOfKind(item->largeIcon ? 1 : 0);
        const bool fits = item->TextLeft() + extent.cx <= width && extent.cy <= height && icon <= height &&
                          1 + icon <= item->TextLeft();
        findings.Check(fits, where + " list line", shown, SIZE{item->TextLeft() + extent.cx, extent.cy},
                       SIZE{width, height});
    }
}

void CheckShape(HWND shape, const std::string& where)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassOf(child);
        if (kind == "TransparentPushButton" || kind == "TransparentButton") CheckButton(child, where);
        else if (kind == "TransparentEdit") CheckEdit(child, where);
        else if (kind == "FileList") CheckListLines(child, where);
    }
}

// Every item of an open owner-drawn menu: icon, label and accelerator text inside the item.
void CheckOpenMenu(HMENU menu, const std::string& where)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    TOwnedFont menuFont(CreateFontIndirectA(&metrics.lfMenuFont));
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelection selection(dc, menuFont);
    auto width = [&](const char* text) {
        RECT bounds{0, 0, 0, 0};
        DrawTextA(dc, text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
        return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
    };
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        const TOwnerDrawnItem* item = OwnerDrawnItemAt(menu, position);
        RECT area{};
        if (!item || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &area)) continue;
        const SIZE label = width(item->Label()), accelerator = width(item->Accelerator());
        const int icon = IconSizeOfKind(item->Large() ? 1 : 0);
        const int labelEnd = item->LabelLeft(area) + label.cx;
        const int end = item->HasAccelerator() ? item->AcceleratorLeft(area) : area.right;
        bool fits = labelEnd <= end && label.cy <= area.bottom - area.top && icon <= area.bottom - area.top &&
                    area.left + 1 + icon <= item->LabelLeft(area);
        if (item->HasAccelerator()) fits = fits && item->AcceleratorLeft(area) + accelerator.cx <= area.right;
        findings.Check(fits, where + " menu item", item->Text(), SIZE{labelEnd - area.left, label.cy},
                       SizeOf(area));
    }
}

// Runs `open` (which returns when what it opened is closed again); while it runs, `check` is
// called once the window or menu it waits for is there, and closes it.
std::function<bool()> pendingCheck;
void CALLBACK CheckWhenThere(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (pendingCheck && pendingCheck()) {
        KillTimer(nullptr, timer);
        pendingCheck = nullptr;
    }
}

void WhileOpen(const std::string& where, const std::function<void()>& open, const std::function<bool()>& check)
{
    pendingCheck = check;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &CheckWhenThere);
    open();
    KillTimer(nullptr, timer);
    if (pendingCheck) findings.misfits.push_back(where + " never opened");
    pendingCheck = nullptr;
}

// A visible shape owned by `owner`, once one is painted.
HWND OwnedShape(HWND owner)
{
    for (HWND each = FindWindowExA(nullptr, nullptr, "ShapeClass", nullptr); each;
         each = FindWindowExA(nullptr, each, "ShapeClass", nullptr))
        if (GetWindow(each, GW_OWNER) == owner && IsWindowVisible(each)) return each;
    return nullptr;
}

void CheckModalShape(HWND owner, const std::string& where, const std::function<void()>& open)
{
    WhileOpen(where, open, [owner, where] {
        HWND box = OwnedShape(owner);
        if (!box) return false;
        CheckShape(box, where);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return true;
    });
}

void CheckMenu(HWND owner, HMENU menu, const std::string& where)
{
    WhileOpen(where, [owner, menu] { TrackPopupMenu(menu, TPM_RIGHTBUTTON, 40, 40, 0, owner, nullptr); },
              [menu, where] {
                  RECT first{};
                  if (!GetMenuItemRect(nullptr, menu, 0, &first)) return false;
                  CheckOpenMenu(menu, where);
                  EndMenu();
                  return true;
              });
}

void WriteFindings()
{
    TRegistrySection section(ApplicationStore(), "");
    section.Store().WriteDword("Dpi", static_cast<DWORD>(ScreenDpi()));
    section.Store().WriteDword("Measured", static_cast<DWORD>(findings.measured));
    TRegistrySection misfits(ApplicationStore(), "Misfits");
    for (size_t i = 0; i < findings.misfits.size(); ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%03u", static_cast<unsigned>(i));
        misfits.Store().WriteString(name, findings.misfits[i].c_str());
    }
}

} // namespace

THeapString ApplicationKeyPath() { return THeapString("Software\\Orvik\\KelvaneTest\\FitProbe"); }

THeapString ApplicationDisplayName() { return THeapString("Kelvane"); }

int ApplicationMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TVersionInfo versionInfo;
    TMainShape settings; // the arguments are its play list, as in a manual start
    settings.ShowModeless(0);
    HWND window = settings.Handle();
    CheckShape(window, "settings window");
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    CheckMenu(window, systemMenu, "window menu");
    for (int position = 0; position < GetMenuItemCount(systemMenu); ++position)
        if (HMENU submenu = GetSubMenu(systemMenu, position)) CheckMenu(window, submenu, "window menu's submenu");

    CheckModalShape(window, "notice", [window] {
        ShowNotice(window, "FaildToAddFolder_NoFile", "該当するファイルをひとつも発見できませんでした。", true);
    });
    CheckModalShape(window, "notice", [window] { NoticeFolderScanFailed(window); });
    CheckModalShape(window, "notice", [window] { RegisterAtLogon(window, ""); });
    CheckModalShape(window, "notice", [window] { UnregisterAtLogon(window, ""); });
    CheckModalShape(window, "error box", [window] { ReportMciError(window, MCIERR_FILE_NOT_FOUND, true); });
    CheckModalShape(window, "version window", [window] { ShowVersionWindow(window); });

    WriteFindings();
    DestroyWindow(window);
    return 0;
}
