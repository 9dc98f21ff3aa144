// TButtonRowElement: measuring, creating the push buttons, the default button, help and ending the box.
#include "controls/ButtonRowElement.h"

#include <algorithm>
#include <cstdarg>

#include "foundation/CommandLine.h"
#include "foundation/DisplayText.h"
#include "foundation/IconCache.h"
#include "foundation/ProgramHelp.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/TransparentButton.h"

namespace {

THelpOpener helpOpener = OpenHelp;

const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

bool IsClass(HWND window, const char* className)
{
    char name[32];
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, className) == 0;
}

} // namespace

TButtonDescriptor::TButtonDescriptor(int id, const char* captionText, const char* iconName, int helpId, bool enabled)
    : id(id), caption(DisplayText(captionText ? captionText : "")),
      icon(iconName ? IconByName(iconName)->Get(0) : nullptr), control(), enabled(enabled ? 1 : 0), helpId(helpId)
{
}

TOkCancelButtons::TOkCancelButtons() : ok(IDOK, "OK", "OK_ICON"), cancel(IDCANCEL, "ｷｬﾝｾﾙ", "CANCEL_ICON")
{
}

TButtonRowElement::TButtonRowElement(int dock, TButtonDescriptor* const* descriptors)
{
    Init(dock);
    for (; descriptors && *descriptors; ++descriptors) buttons.push_back(*descriptors);
}

TButtonRowElement::TButtonRowElement(int dock, TButtonDescriptor* first, ...)
{
    Init(dock);
    va_list rest;
    va_start(rest, first);
    for (TButtonDescriptor* button = first; button; button = va_arg(rest, TButtonDescriptor*))
        buttons.push_back(button);
    va_end(rest);
}

TButtonRowElement::~TButtonRowElement() = default;

void TButtonRowElement::Init(int dockSide)
{
    dock = dockSide;
    alignment = dockSide == DockRight ? AlignTopCentred : AlignCentred;
    mayMarkDefault = 1;
    defaultIndex = 0;
}

// Every button takes the size of the widest caption, and at least the row's own size. Room
// for an icon is left in every button: some get theirs only once they are shown.
SIZE TButtonRowElement::Measure(TShape* shape, HDC dc)
{
    buttonSize = Scaled(SIZE{ButtonWidth, ButtonHeight});
    for (TButtonDescriptor* each : buttons) {
        // The captions take part in the shape's access keys.
        if (shape) shape->RegisterCaption(&each->caption);
        const SIZE text = MeasureCaption(shape, dc, each->caption);
        buttonSize.cx = std::max<LONG>(buttonSize.cx, PushButtonWidthFor(text.cx, true));
        buttonSize.cy = std::max<LONG>(buttonSize.cy, text.cy + 2 * TTransparentButton::PushFrame);
    }
    const int count = Count();
    if (count == 0) return SIZE{0, 0};
    const int gap = Scaled(Gap);
    if (IsRow()) return SIZE{count * (buttonSize.cx + gap) - gap, buttonSize.cy};
    return SIZE{buttonSize.cx, count * (buttonSize.cy + gap) - gap};
}

void TButtonRowElement::Place(TShape* shape, int x, int y)
{
    SetTransparentPushButtonSize(buttonSize.cx, buttonSize.cy);
    RegisterTransparentClasses();
    const bool markDefault = mayMarkDefault && !ShapeHasDefaultButton(shape->Handle());
    // A question closed by its close button or Escape must not read as consent: with a
    // Cancel button, closing without a button answers Cancel.
    if (Find(IDCANCEL, nullptr)) shape->SetResultCode(IDCANCEL);
    const int gap = Scaled(Gap);
    for (int i = 0; i < Count(); ++i) {
        const int step = i * (IsRow() ? buttonSize.cx + gap : buttonSize.cy + gap);
        CreateButton(shape, *buttons[i], IsRow() ? x + step : x, IsRow() ? y : y + step,
                     markDefault && i == defaultIndex);
    }
}

void TButtonRowElement::CreateButton(TShape* shape, TButtonDescriptor& button, int x, int y, bool isDefault)
{
    button.control.isDefault = isDefault;
    HWND window = CreateWindowExA(0, "TransparentPushButton", button.caption, buttonStyle, x, y, buttonSize.cx,
                                  buttonSize.cy, shape->Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)),
                                  TWindow::ModuleInstance(), nullptr);
    button.control.hwnd = window;
    if (!window) return;
    BindTransparentControl(window, &button.control);
    if (button.icon) SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(button.icon));
    if (button.id != HelpCommand && button.helpId != -1) {
        SetWindowContextHelpId(window, static_cast<DWORD>(button.helpId));
        if (shape) shape->RequestHelpMenu();
    }
    if (!button.enabled) EnableWindow(window, FALSE);
}

TButtonDescriptor* TButtonRowElement::Find(int id, HWND window) const
{
    for (TButtonDescriptor* button : buttons) {
        if (window ? button->control.hwnd == window : button->id == id) return button;
    }
    return nullptr;
}

// Help keeps the box open; every other button ends it with its identifier.
bool TButtonRowElement::Command(int id, HWND window, int)
{
    TButtonDescriptor* button = Find(id, window);
    if (!button || !button->control.hwnd) return false;
    if (button->id == HelpCommand) {
        MessageBeep(MB_ICONASTERISK);
        helpOpener(GetParent(button->control.hwnd), HelpFilePath(), HELP_CONTEXT,
                   static_cast<ULONG_PTR>(static_cast<LONG_PTR>(button->helpId)));
        return true;
    }
    if (TShape* shape = ShapeOfWindow(button->control.hwnd)) shape->EndShape(button->id);
    return true;
}

void TButtonRowElement::Enable(bool enabled)
{
    for (TButtonDescriptor* button : buttons)
        if (button->control.hwnd) EnableWindow(button->control.hwnd, enabled);
}

bool ShapeHasDefaultButton(HWND shape)
{
    for (HWND child = GetWindow(shape, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsTransparentDefaultButton(child)) return true;
        if (IsClass(child, "Button") && (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return true;
    }
    return false;
}

THelpOpener ReplaceHelpOpener(THelpOpener opener)
{
    THelpOpener previous = helpOpener;
    helpOpener = opener ? opener : OpenHelp;
    return previous;
}
