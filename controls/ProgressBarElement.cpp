// TProgressBarElement: the "VantryProgressBar" class, the incremental hatch and the full repaint.
#include "controls/ProgressBarElement.h"

#include "foundation/Handles.h"
#include "foundation/ScreenScale.h"
#include "framework/Shape.h"
#include "framework/WindowBinding.h"

namespace {

const char progressClassName[] = "VantryProgressBar";

void RegisterProgressClass()
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    description.lpfnWndProc = &TProgressBarElement::PreWndProc;
    description.hIcon = nullptr;
    description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    description.cbWndExtra = sizeof(LONG_PTR);
    description.lpszClassName = progressClassName;
    TWindow::RegisterWindowClass(description);
}

} // namespace

TProgressBarElement::TProgressBarElement(int dock, int alignment, int width, int height)
    : TElement(dock, alignment), width(width), height(height), range(100), current(0), drawn(0),
      suppressErase(0), window(nullptr)
{
}

TProgressBarElement::~TProgressBarElement() { TBinding::Unbind(*this); }

SIZE TProgressBarElement::Measure(TShape*, HDC) { return Scaled(SIZE{width, height}); }

void TProgressBarElement::Place(TShape* shape, int x, int y)
{
    RegisterProgressClass();
    drawn = 0;
    const SIZE size = Scaled(SIZE{width, height});
    CreateWindowExA(0, progressClassName, "", WS_CHILD | WS_VISIBLE, x, y, size.cx, size.cy, shape->Handle(),
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(shape->NextControlId())),
                    TWindow::ModuleInstance(), this);
}

void TProgressBarElement::Enable(bool enabled)
{
    if (window) EnableWindow(window, enabled);
}

void TProgressBarElement::RefreshFromData() { Update(true); }

bool TProgressBarElement::Update(bool full)
{
    if (!window) return false;
    // A slice narrower than a pixel paints nothing, so it needs no DC: adding ten thousand
    // files updates the bar twenty thousand times, and each DC costs Wine a round trip.
    if (!full) {
        RECT inner;
        int from = 0, to = 0;
        SliceColumns(inner, from, to);
        if (to <= from) {
            drawn = current;
            return false;
        }
    }
    TWindowDC dc(window);
    Draw(dc, full);
    return true;
}

void TProgressBarElement::SliceColumns(RECT& inner, int& from, int& to) const
{
    RECT client;
    GetClientRect(window, &client);
    const int inset = Scaled(2);
    inner = RECT{client.left + inset, client.top + inset, client.right - inset, client.bottom - Scaled(3)};
    const int span = inner.right - inner.left;
    const int safeRange = range > 0 ? range : 1;
    from = inner.left + static_cast<int>(static_cast<long long>(drawn) * span / safeRange);
    to = inner.left + static_cast<int>(static_cast<long long>(current) * span / safeRange);
}

void TProgressBarElement::Draw(HDC dc, bool full)
{
    if (full) {
        RECT client;
        GetClientRect(window, &client);
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
        drawn = 0;
    }
    RECT inner;
    int from = 0, to = 0;
    SliceColumns(inner, from, to);
    DrawProgressHatch(dc, from, to, inner.top, inner.bottom, GetSysColor(COLOR_HIGHLIGHT));
    drawn = current;
}

LRESULT TProgressBarElement::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        TPaintDC dc(hwnd);
        Draw(dc, true);
        return 0;
    }
    case WM_ERASEBKGND:
        if (suppressErase) return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TProgressBarElement::PreWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return TBinding::Route(hwnd, message, wParam, lParam,
                                      [hwnd](TProgressBarElement& element, UINT message, WPARAM wParam, LPARAM lParam) {
                                          return element.WindowProc(hwnd, message, wParam, lParam);
                                      });
}

void DrawProgressHatch(HDC dc, int from, int to, int top, int bottom, COLORREF colour)
{
    if (to <= from || bottom <= top) return;
    TOwnedPen pen(CreatePen(PS_SOLID, 1, colour));
    TSelection selection(dc, pen);
    // Every diagonal x + y = s with an even s, clipped to the slice.
    int first = from + top;
    if (first & 1) ++first;
    for (int s = first; s <= (to - 1) + (bottom - 1); s += 2) {
        const int right = s - top < to - 1 ? s - top : to - 1;
        const int left = s - (bottom - 1) > from ? s - (bottom - 1) : from;
        if (left > right) continue;
        MoveToEx(dc, right, s - right, nullptr);
        LineTo(dc, left - 1, s - left + 1); // the end point is not drawn
    }
}
