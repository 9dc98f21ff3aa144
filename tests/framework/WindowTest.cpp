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
