// TWindow and TShape binding: class registration, window-long binding, window services.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Shape.h"
#include "framework/ShapeLoops.h"

namespace {

LRESULT CALLBACK OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Records every message that reaches the object.
class TRecordingShape : public TShape {
public:
    TRecordingShape() : TShape(nullptr, "Recording") {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return TShape::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> seen;
};

// A shape on the dialog road that ends itself once the icons the road gives its window are there.
class TDialogHostedShape : public TShape {
public:
    TDialogHostedShape() : TShape(nullptr, "Hosted") {}
    void OnSetupDone() override { PostMessageA(hwnd, WM_APP, 0, 0); } // after the posted WM_SETICONs
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_APP) return TShape::DialogProc(message, wParam, lParam);
        smallIcon = reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
        EndShape(IDOK);
        return TRUE;
    }
    HICON smallIcon = nullptr;
};

bool IconAlive(HICON icon)
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

} // namespace

TEST(WindowTest, SecondRegistrationOfANameChangesNothing)
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    EXPECT_EQ(CS_HREDRAW | CS_VREDRAW, static_cast<int>(description.style));
    EXPECT_EQ(static_cast<int>(sizeof(LONG_PTR)), description.cbWndExtra);
    EXPECT_STREQ("VantryWindowClass", description.lpszClassName);
    EXPECT_EQ(nullptr, description.hIcon); // the program has no icon 32512

    description.lpszClassName = "CoreTestWindowClass";
    TWindow::RegisterWindowClass(description);
    description.lpfnWndProc = &OtherProc;
    TWindow::RegisterWindowClass(description);

    WNDCLASSA known;
    ASSERT_TRUE(GetClassInfoA(description.hInstance, "CoreTestWindowClass", &known));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(&TWindow::PreWndProc), known.lpfnWndProc);
}

TEST(WindowTest, WindowLongBindsAtCreateAndServicesAnswer)
{
    WNDCLASSA description;
    TWindow::FillClassDefaults(description);
    TWindow::RegisterWindowClass(description);
    TWindow object(nullptr);
    HWND window = object.CreateNativeWindow("VantryWindowClass", "Caption text", WS_OVERLAPPEDWINDOW, 0, 0,
                                            200, 100, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, object.hwnd);
    EXPECT_EQ(&object, TWindow::BoundObject(window));

    THeapString text;
    EXPECT_EQ(12, TWindow::WindowTextOf(window, text));
    EXPECT_STREQ("Caption text", text);
    EXPECT_STREQ("VantryWindowClass", TWindow::ClassNameOf(window));

    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    HWND grandChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, child, nullptr, nullptr, nullptr);
    EXPECT_EQ(window, TWindow::TopLevelAncestor(grandChild));
    EXPECT_EQ(window, TWindow::TopLevelAncestor(window));
    EXPECT_EQ(nullptr, TWindow::TopLevelAncestor(nullptr));
    DestroyWindow(window);

    EXPECT_EQ(-1, TWindow::WindowTextOf(window, text));
    EXPECT_STREQ("", text);
}

// The icons the dialog road gives the hosting window are the shape's, and go with it.
TEST(WindowTest, ADialogHostedShapeReleasesTheIconsItGaveItsWindow)
{
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } hosting = {{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, 120, 40}, 0, 0, 0};
    HICON smallIcon = nullptr;
    {
        TDialogHostedShape shape;
        EXPECT_EQ(IDOK, DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &hosting.dialog, nullptr,
                                                &TShape::PreDlgProc, reinterpret_cast<LPARAM>(&shape)));
        smallIcon = shape.smallIcon;
        ASSERT_TRUE(IconAlive(smallIcon));
    }
    EXPECT_FALSE(IconAlive(smallIcon));
}

TEST(WindowTest, MessagesBeforeCreateNeverReachTheShape)
{
    TRecordingShape shape;
    shape.ShowModeless(0);
    ASSERT_NE(nullptr, shape.Handle());
    ASSERT_FALSE(shape.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_CREATE), shape.seen.front());
    for (UINT message : shape.seen) EXPECT_NE(static_cast<UINT>(WM_NCCREATE), message);
    EXPECT_EQ(&shape, TWindow::BoundObject(shape.Handle()));
    EXPECT_EQ(&shape, ShapeOfWindow(shape.Handle()));
    EXPECT_STREQ("ShapeClass", TWindow::ClassNameOf(shape.Handle()));
    DestroyWindow(shape.Handle());
    PumpPending();
}
