// TWindow: class defaults, registration, creation and window services.
#include "framework/Window.h"

#include "foundation/ProcessEntry.h"

namespace {

const char defaultClassName[] = "VantryWindowClass";
const UINT textTimeout = 100;
const UINT textFlags = SMTO_ABORTIFHUNG | SMTO_BLOCK;

} // namespace

TWindow::TWindow(HWND owner) : hwnd(nullptr), owner(owner)
{
}

// A window that outlives its object must not lead to freed memory.
TWindow::~TWindow() { TWindowLongBinding::Unbind(*this); }

HINSTANCE TWindow::ModuleInstance()
{
    // Test programs run without the process entry, which is where the instance is kept.
    HINSTANCE instance = ProgramInstance();
    return instance ? instance : GetModuleHandleA(nullptr);
}

void TWindow::FillClassDefaults(WNDCLASSA& description)
{
    description.style = CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = &TWindow::PreWndProc;
    description.cbClsExtra = 0;
    description.cbWndExtra = sizeof(LONG_PTR);
    description.hInstance = ModuleInstance();
    description.hIcon = LoadIconA(description.hInstance, MAKEINTRESOURCEA(32512));
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    description.lpszMenuName = nullptr;
    description.lpszClassName = defaultClassName;
}

void TWindow::RegisterWindowClass(const WNDCLASSA& description)
{
    WNDCLASSA known;
    if (GetClassInfoA(description.hInstance, description.lpszClassName, &known)) return;
    if (!RegisterClassA(&description)) ExitProcess(0);
}

HWND TWindow::CreateNativeWindow(const char* className, const char* title, DWORD style, int x,
                                 int y, int width, int height, HWND parent, HMENU menuOrId)
{
    return CreateNativeWindow(0, className, title, style, x, y, width, height, parent, menuOrId);
}

HWND TWindow::CreateNativeWindow(DWORD exStyle, const char* className, const char* title,
                                 DWORD style, int x, int y, int width, int height, HWND parent,
                                 HMENU menuOrId)
{
    return CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           ModuleInstance(), this);
}

LRESULT TWindow::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

THeapString TWindow::ClassNameOf(HWND window)
{
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return THeapString(name, length > 0 ? length : 0);
}

int TWindow::WindowTextOf(HWND window, THeapString& text)
{
    text = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, textFlags, textTimeout, &length))
        return -1;
    int capacity = static_cast<int>(length) + 16;
    char* buffer = text.Reserve(capacity);
    buffer[0] = '\0';
    DWORD_PTR copied = 0;
    BOOL answered = SendMessageTimeoutA(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer),
                                       textFlags, textTimeout, &copied);
    if (!answered) buffer[0] = '\0';
    buffer[capacity] = '\0';
    text.Release();
    return answered ? static_cast<int>(copied) : -1;
}

HWND TWindow::TopLevelAncestor(HWND window)
{
    while (window && IsWindow(window) && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

TWindow* TWindow::BoundObject(HWND window) { return static_cast<TWindow*>(WindowBindingSlots::LongZero(window)); }

// A bare TWindow handles nothing itself.
LRESULT CALLBACK TWindow::PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TWindowLongBinding::Route(window, message, wParam, lParam,
                                     [](TWindow& object, UINT message, WPARAM wParam, LPARAM lParam) {
                                         return object.DefaultProcessing(message, wParam, lParam);
                                     });
}
