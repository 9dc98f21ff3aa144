// Translucency from the window menu with the library's "View" settings, read back from the window.
#include <gtest/gtest.h>

#include "foundation/GlobalStores.h"
#include "foundation/RegistrySection.h"
#include "framework/ShapeLoops.h"
#include "framework/SystemMenu.h"
#include "framework/TestElements.h"
#include "framework/Translucency.h"
#include "support/Seam.h"

namespace {

struct TLayeredCall {
    int calls;
    BYTE alpha;
    DWORD flags;
    bool wasLayered;
} recorded;

BOOL WINAPI RecordLayeredCall(HWND window, COLORREF, BYTE alpha, DWORD flags)
{
    ++recorded.calls;
    recorded.alpha = alpha;
    recorded.flags = flags;
    recorded.wasLayered = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    return SetLayeredWindowAttributes(window, 0, alpha, flags);
}

const char* const viewValues[] = {"TransparentStyle", "TransparentAlphaLevel", "TransparentColor"};

// A shape with the "View" section of the library store emptied before and after.
class TTranslucencyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        madeStores = LibraryStore().Count() == 0;
        if (madeStores) CreateGlobalStores("Software\\Orvik\\KelvaneTest\\Translucency");
        ClearView();
        shape.ShowModeless(0);
    }
    void TearDown() override
    {
        DestroyWindow(shape.Handle());
        PumpPending();
        ClearView();
        if (madeStores) DestroyGlobalStores();
    }
    void ClearView()
    {
        TRegistrySection view(LibraryStore(), "View");
        for (const char* name : viewValues) view.Store().DeleteValue(name);
    }
    void Store(const char* name, DWORD value)
    {
        TRegistrySection view(LibraryStore(), "View");
        ASSERT_EQ(ERROR_SUCCESS, view.Store().WriteDword(name, value));
    }
    void Toggle() { SendMessageA(shape.Handle(), WM_SYSCOMMAND, TranslucencyCommand, 0); }
    bool Layered() const { return (GetWindowLongPtrA(shape.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
    bool Checked() const
    {
        return GetMenuState(GetSystemMenu(shape.Handle(), FALSE), TranslucencyCommand, MF_BYCOMMAND) & MF_CHECKED;
    }
    struct TLayering {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
    };
    TLayering Read() const
    {
        TLayering layering;
        EXPECT_TRUE(GetLayeredWindowAttributes(shape.Handle(), &layering.key, &layering.alpha, &layering.flags));
        return layering;
    }

    bool madeStores = false;
    TFixedElement element{120, 60};
    TShape shape{nullptr, "Translucent", &element, nullptr};
};

} // namespace

TEST_F(TTranslucencyTest, DefaultsGiveAlpha180AndSwitchingOffLeavesAnOpaqueWindow)
{
    ASSERT_TRUE(LayeredAvailable());
    Toggle();
    EXPECT_TRUE(Layered());
    EXPECT_TRUE(Checked());
    TLayering read = Read();
    EXPECT_EQ(180, read.alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), read.flags);

    // Full opacity is set while the window is still layered, and only then the style goes.
    recorded = {};
    {
        TSeam layered([] { UseLayeredFunction(&RecordLayeredCall); }, ForgetLayeredFunction);
        Toggle();
    }
    EXPECT_EQ(1, recorded.calls);
    EXPECT_EQ(255, recorded.alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), recorded.flags);
    EXPECT_TRUE(recorded.wasLayered);
    EXPECT_FALSE(Layered());
    EXPECT_FALSE(Checked());
}

TEST_F(TTranslucencyTest, OnlyTheLowByteOfTheLevelCounts)
{
    Store("TransparentAlphaLevel", 300);
    Toggle();
    const TLayering read = Read();
    EXPECT_EQ(44, read.alpha);
}

TEST_F(TTranslucencyTest, OtherStylesUseAColourKeyOfTheButtonFaceOrTheStoredColour)
{
    Store("TransparentStyle", 1);
    Toggle();
    TLayering read = Read();
    EXPECT_EQ(static_cast<DWORD>(LWA_COLORKEY), read.flags);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), read.key);
    EXPECT_TRUE(Checked());
    Toggle();
    EXPECT_FALSE(Layered());

    Store("TransparentColor", RGB(0x12, 0x34, 0x56));
    SetTranslucent(&shape, true);
    read = Read();
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), read.key);
    SetAlpha(&shape, 99);
    read = Read();
    EXPECT_EQ(99, read.alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), read.flags);
}
