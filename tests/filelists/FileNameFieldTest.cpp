// The file-name field: the shared recent-file history, browsing, the icon and the layout.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "filelists/FileNameField.h"
#include "foundation/IconCache.h"
#include "foundation/RegistrySection.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"
#include "framework/TestElements.h"
#include "support/DialogAnswerer.h"
#include "support/RegistryTestKey.h"
#include "support/TempFolder.h"
#include "support/Wait.h"
#include "support/WindowTexts.h"

namespace {

const char filter[] = "Bitmap\0*.bmp\0JPEG\0*.jpg;*.JPEG\0All files\0*.*\0";

class FileNameFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.BMP", "b.bmp", "c.jpg", "d.jpg"}) temp.File(name, "");
        store = history.Store();
        first.SetHistoryStore(&store);
        second.SetHistoryStore(&store);
    }
    void TearDown() override { CloseShape(shape); }
    std::string File(const char* name) const { return temp.Path(name); }
    void Show()
    {
        shape.ShowModeless(0);
        PumpPending();
    }
    // The value names and data of one extension's subkey.
    std::vector<std::pair<std::string, std::string>> Values(const char* subkey) const
    {
        return history.Values(std::string("MRU\\") + subkey);
    }
    void SetValue(const char* subkey, const char* name, const std::string& data)
    {
        history.SetRaw(std::string("MRU\\") + subkey, name, REG_SZ, data.c_str(), data.size() + 1);
    }
    std::vector<std::string> OurHistory(TFileNameElement& field) const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < field.History().Count(); ++i) entries.push_back(field.History().Item(i).operator const char*());
        return entries;
    }
    void Confirm(TFileNameElement& field, const std::string& file)
    {
        field.SetText(file.c_str());
        TRegistryStore values = settings.Store();
        values.CreateKeys();
        field.Save(values);
        values.CloseKeys();
    }

    TRegistryTestKey history;
    TRegistryTestKey settings;
    TRegistryStore store;
    TTempFolder temp;
    TFileNameElement first{"", filter, "bmp", "Browse test"};
    TFileNameElement second{"", filter, "bmp", "Browse test"};
    TShape shape{nullptr, "FileNameTest", &first, &second, nullptr};
};

TEST_F(FileNameFieldTest, FilterGivesTheHistoryExtensionsAndTheStampName)
{
    const THeapStringList& extensions = first.FilterExtensions();
    ASSERT_EQ(3, extensions.Count());
    EXPECT_STREQ("bmp", extensions.Item(0));
    EXPECT_STREQ("jpg", extensions.Item(1));
    EXPECT_STREQ("jpeg", extensions.Item(2));

    const std::string stamp(TFileNameElement::StampName(reinterpret_cast<void*>(0xAB12)));
    ASSERT_EQ(25u, stamp.size());
    EXPECT_EQ(std::string::npos, stamp.substr(0, 17).find_first_not_of("0123456789"));
    EXPECT_EQ("0000AB12", stamp.substr(17));
}

TEST_F(FileNameFieldTest, ConfirmingAFileMovesItsOneValueToANewStamp)
{
    const std::string file = File("a.BMP");
    Confirm(first, file);
    auto values = Values(".bmp");
    ASSERT_EQ(1u, values.size());
    EXPECT_EQ(file, values[0].second);
    ASSERT_GE(first.History().Count(), 1);
    EXPECT_EQ(file, std::string(first.History().Item(0)));

    // Another field confirming the same file: a new stamp (its own address), the old one gone,
    // confirmed once the clock has moved on from the first stamp.
    ASSERT_TRUE(WaitUntil(
        [&] { return std::string(TFileNameElement::StampName(nullptr)).substr(0, 17) > values[0].first.substr(0, 17); },
        1000,
        "the clock passing the first stamp"));
    Confirm(second, file);
    auto moved = Values(".bmp");
    ASSERT_EQ(1u, moved.size());
    EXPECT_NE(values[0].first, moved[0].first);
    EXPECT_GT(moved[0].first, values[0].first);

    // The same field again: already first in its history, nothing is written.
    Confirm(second, file);
    EXPECT_EQ(moved, Values(".bmp"));

    // An empty text remembers nothing.
    Confirm(first, "");
    EXPECT_EQ(moved, Values(".bmp"));
    EXPECT_TRUE(Values(".").empty());
}

TEST_F(FileNameFieldTest, AFieldWithAHistoryNameKeepsItsOwnHistory)
{
    first.name = "FileName";
    first.SetHistoryName("Recent");
    for (int i = 0; i < 25; ++i) first.History().Append(("old" + std::to_string(i)).c_str());
    Confirm(first, File("a.BMP"));
    EXPECT_EQ(TFileNameElement::MaxShared, first.History().Count());
    EXPECT_EQ(File("a.BMP"), std::string(first.History().Item(0)));
    TRawValue value;
    ASSERT_TRUE(settings.Get("Recent", "000000", value));
    EXPECT_EQ(File("a.BMP"), std::string(value.bytes.c_str()));
    EXPECT_FALSE(settings.Get("Recent", "000020", value));
    ASSERT_TRUE(settings.Get("", "FileName", value));
    EXPECT_TRUE(Values(".bmp").empty()); // the shared history stays untouched
}

TEST_F(FileNameFieldTest, RebuildCutsToTwentyInterleavesByTimeAndDropsStaleFiles)
{
    for (int i = 0; i < 23; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "20200101120000%03d0000AAAA", i);
        SetValue(".bmp", name, File("b.bmp"));
    }
    SetValue(".bmp", "20250101120000001FFFF0001", File("a.BMP"));
    SetValue(".jpg", "20250101120000002FFFF0001", File("c.jpg"));
    SetValue(".bmp", "20250101120000003FFFF0001", File("gone.bmp"));
    SetValue(".jpg", "20250101120000004FFFF0001", File("d.jpg"));
    SetValue(".jpg", "20250101120000005FFFF0001", "\\\\nosuchserver\\share\\far.jpg");

    first.RebuildShared();
    std::vector<std::string> expected = {"\\\\nosuchserver\\share\\far.jpg", File("d.jpg"), File("c.jpg"),
                                         File("a.BMP"), File("b.bmp")};
    EXPECT_EQ(expected, OurHistory(first));

    auto bitmaps = Values(".bmp");
    EXPECT_EQ(19u, bitmaps.size()); // 25 cut to 20, then the missing file removed
    for (const auto& value : bitmaps) {
        EXPECT_NE("20200101120000000", value.first.substr(0, 17));
        EXPECT_NE("20200101120000004", value.first.substr(0, 17));
        EXPECT_NE(File("gone.bmp"), value.second);
    }
    EXPECT_EQ(3u, Values(".jpg").size()); // the network file is kept without a look
}

TEST_F(FileNameFieldTest, TwoFieldsShareTheHistoryThroughTheStore)
{
    Show();
    Confirm(first, File("c.jpg"));
    Confirm(first, File("a.BMP"));
    TRegistryStore values = settings.Store();
    second.Load(values);
    const std::vector<std::string> expected = {File("a.BMP"), File("c.jpg")};
    EXPECT_EQ(expected, OurHistory(second));
    EXPECT_EQ(2, SendMessageA(second.ListWindow(), LB_GETCOUNT, 0, 0));
    // The window follows the data after the save.
    EXPECT_EQ(File("a.BMP"), WindowText(first.EditWindow()));
}

TEST_F(FileNameFieldTest, LayoutLimitAndAButtonThatIsNeverTheDefault)
{
    Show();
    HWND button = first.ReferenceButton();
    ASSERT_NE(nullptr, button);
    EXPECT_FALSE(IsTransparentDefaultButton(button));
    RECT frame, buttonRect;
    GetWindowRect(first.Frame(), &frame);
    GetWindowRect(button, &buttonRect);
    EXPECT_EQ(frame.right + 6, buttonRect.left);
    EXPECT_EQ(TFileNameElement::ComboWidth, frame.right - frame.left);
    EXPECT_EQ(260, SendMessageA(first.EditWindow(), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(FileNameFieldTest, TheReferenceButtonOpensTheDialogAndTakesTheChosenFile)
{
    Show();
    HWND button = first.ReferenceButton();
    ASSERT_NE(nullptr, button);
    const std::string chosen = File("c.jpg");
    TDialogAnswerer answer(chosen.c_str());
    SendMessageA(shape.Handle(), WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    answer.Wait();
    PumpPending();
    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(IsWindow(shape.Handle())); // the button does not end the shape
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), first.Text()));
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), WindowText(first.EditWindow()).c_str()));
    EXPECT_TRUE(first.IconBelongsToText());
    EXPECT_EQ(IconForFile(first.Text()), first.CurrentIcon());

    // Cancel leaves the field as it was.
    TDialogAnswerer cancel(nullptr);
    EXPECT_FALSE(first.Browse());
    cancel.Wait();
    EXPECT_EQ(0, lstrcmpiA(chosen.c_str(), first.Text()));
}

TEST_F(FileNameFieldTest, TheIconFollowsTheTypedNameWhenTheEditLosesTheFocus)
{
    Show();
    EXPECT_EQ(SystemIconSource(IDI_WINLOGO), first.CurrentIcon());
    SetForegroundWindow(shape.Handle());
    SetFocus(first.EditWindow());
    SetWindowTextA(first.EditWindow(), File("b.bmp").c_str());
    EXPECT_FALSE(first.IconBelongsToText());
    SetFocus(second.EditWindow());
    EXPECT_TRUE(WaitUntil([&] { return first.IconBelongsToText(); }, 2000, "the icon following the typed name",
                          &PumpPending));
    EXPECT_EQ(IconForFile(File("b.bmp").c_str()), first.CurrentIcon());
    EXPECT_EQ(File("b.bmp"), std::string(first.Text()));
}

} // namespace
