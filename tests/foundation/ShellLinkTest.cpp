// Shell links, special folders and file-system checks on real files and shortcuts.
#include "foundation/FileSystem.h"
#include "foundation/ShellFolders.h"
#include "foundation/ShellLink.h"
#include "foundation/StringOperations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "support/StringLists.h"
#include "support/TempFolder.h"

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

namespace {

// A temporary folder as the shell helpers take it: heap strings, the folder with a trailing backslash.
struct TLinkFolder {
    THeapString File(const char* name) const { return temp.Path(name).c_str(); }
    THeapString Write(const char* name, const std::string& bytes) const { return temp.File(name, bytes).c_str(); }

    TTempFolder temp;
    const THeapString path = (temp.Path() + "\\").c_str();
};

// Tests run without the process entry, so COM is set up here.
class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }

    TLinkFolder folder;
};

bool SamePath(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

} // namespace

TEST_F(ShellLinkTest, CreatedShortcutReadsBack)
{
    THeapString target = folder.Write("tone.wav", "RIFF");
    THeapString icon = Concat(SystemDirectory(), "shell32.dll");
    THeapString link = folder.File("Kelvane(システムトレイに常駐).lnk");
    ASSERT_TRUE(CreateShortcut(link, target, "/restore", icon, 3));
    EXPECT_TRUE(FileExists(link));

    THeapString readTarget, readArguments, readIcon;
    int readIndex = -1;
    ASSERT_TRUE(ResolveShortcut(link, &readTarget, &readArguments, &readIcon, &readIndex));
    EXPECT_TRUE(SamePath(target, readTarget)) << readTarget.Text();
    EXPECT_STREQ("/restore", readArguments);
    EXPECT_TRUE(SamePath(icon, readIcon)) << readIcon.Text();
    EXPECT_EQ(3, readIndex);

    // Overwriting an existing shortcut, without an icon this time.
    ASSERT_TRUE(CreateShortcut(link, target, "/restore:2", nullptr, 0));
    THeapString untouched("untouched");
    ASSERT_TRUE(ResolveShortcut(link, nullptr, &readArguments, &untouched, nullptr));
    EXPECT_STREQ("/restore:2", readArguments);
    EXPECT_STREQ("untouched", untouched); // no index slot: the icon is not read
    ASSERT_TRUE(ResolveShortcut(link, &readTarget, nullptr, &readIcon, &readIndex));
    EXPECT_TRUE(SamePath(target, readTarget)) << readTarget.Text();
    EXPECT_STREQ("", readIcon);
}

TEST_F(ShellLinkTest, MissingOrDamagedShortcutsFailCleanly)
{
    THeapString target("kept");
    EXPECT_FALSE(ResolveShortcut(folder.File("missing.lnk"), &target, nullptr, nullptr, nullptr));
    EXPECT_STREQ("kept", target);

    THeapString damaged = folder.Write("damaged.lnk", std::string("L\0\0\0garbage, not a link", 24));
    EXPECT_FALSE(ResolveShortcut(damaged, &target, nullptr, nullptr, nullptr));
    EXPECT_STREQ("kept", target);
    EXPECT_FALSE(ResolveShortcut(nullptr, &target, nullptr, nullptr, nullptr));

    // A folder that does not exist cannot take the link.
    THeapString nowhere = folder.File("no such folder\\x.lnk");
    EXPECT_FALSE(CreateShortcut(nowhere, folder.File("a.wav"), "", nullptr, 0));
    EXPECT_FALSE(FileExists(nowhere));
    // Nor can a path too long for the link object.
    EXPECT_FALSE(CreateShortcut(Concat(folder.path, Repeat("x", 300)), folder.File("a.wav"), "", nullptr, 0));
}

TEST_F(ShellLinkTest, ShortcutTargetsAreFilteredByExtension)
{
    const char* names[] = {"a.wav", "b.MID", "c.txt"};
    TLinkFolder targets;
    for (const char* name : names) {
        THeapString target = targets.Write(name, "x");
        ASSERT_TRUE(CreateShortcut(folder.File(Concat(name, ".lnk")), target, "", nullptr, 0));
    }
    folder.Write("not a link.txt", "x");
    folder.Write("damaged.LNK", "garbage");
    CreateDirectoryA(folder.File("folder.lnk"), nullptr);

    THeapStringList found;
    found.Append("left over");
    THeapStringList wanted = ListOf({"WAV", "mid"});
    ShortcutTargetsIn(folder.path, found, &wanted);
    std::vector<std::string> expected = {targets.File("a.wav").Text(), targets.File("b.MID").Text()};
    EXPECT_THAT(Names(found), UnorderedElementsAre(expected[0], expected[1]));

    ShortcutTargetsIn(folder.path, found, nullptr);
    EXPECT_EQ(3, found.Count());
    THeapStringList none;
    ShortcutTargetsIn(folder.path, found, &none);
    EXPECT_EQ(3, found.Count());

    THeapStringList other = ListOf({"mp3"});
    ShortcutTargetsIn(folder.path, found, &other);
    EXPECT_EQ(0, found.Count());
    ShortcutTargetsIn(folder.File("missing"), found, nullptr);
    EXPECT_EQ(0, found.Count());
}

TEST_F(ShellLinkTest, RecentDocumentsListsTheRecentFolder)
{
    THeapString recent = SpecialFolderPath(CSIDL_RECENT);
    if (recent.IsEmpty() || !FolderExists(recent)) GTEST_SKIP() << "no recent-documents folder";
    // An extension of our own, so the user's recent documents do not get in the way.
    THeapString target = folder.Write("piece.kvrecent", "x");
    THeapString link = Concat(recent, "kelvane test piece.lnk");
    ASSERT_TRUE(CreateShortcut(link, target, "", nullptr, 0));
    THeapStringList found;
    THeapStringList wanted = ListOf({"KVRECENT"});
    RecentDocuments(found, &wanted);
    DeleteFileA(link);
    EXPECT_THAT(Names(found), ElementsAre(std::string(target.Text())));
}

TEST(ShellFolders, PathsEndInABackslashAndExist)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    THeapString startup = SpecialFolderPath(CSIDL_STARTUP);
    CoUninitialize();
    ASSERT_FALSE(startup.IsEmpty());
    EXPECT_EQ(LastChar(startup), "\\") << startup.Text();
    EXPECT_TRUE(FolderExists(startup)) << startup.Text();

    for (const THeapString& directory : {WindowsDirectory(), SystemDirectory(), CurrentDirectory()}) {
        ASSERT_FALSE(directory.IsEmpty());
        EXPECT_EQ(LastChar(directory), "\\") << directory.Text();
        EXPECT_TRUE(FolderExists(directory)) << directory.Text();
    }
}

TEST(FileSystem, FilesAndFoldersOnDisk)
{
    TLinkFolder folder;
    THeapString file = folder.Write("song.wav", "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder.File("missing.wav")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(nullptr));

    EXPECT_TRUE(FolderExists(folder.path));
    EXPECT_TRUE(FolderExists(Left(folder.path, folder.path.Length() - 1)));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_FALSE(FolderExists(folder.File("missing")));
    EXPECT_FALSE(FolderExists(""));

    EXPECT_EQ(UINT(DRIVE_FIXED), DriveType(file));
    EXPECT_TRUE(IsPathAvailable(file));
    EXPECT_FALSE(IsPathAvailable(folder.File("missing.wav")));
}

TEST(FileSystem, NetworkAndRemovablePathsCountAsAvailableUnseen)
{
    EXPECT_EQ(0x2222u, DriveType("\\\\nosuchserver\\share\\a.wav"));
    EXPECT_TRUE(IsPathAvailable("\\\\nosuchserver\\share\\a.wav"));
    // No floppy here: the drive is not a fixed disk, so the file is not looked for.
    UINT floppy = DriveType("A:\\x");
    EXPECT_NE(UINT(DRIVE_FIXED), floppy);
    EXPECT_NE(UINT(DRIVE_RAMDISK), floppy);
    EXPECT_TRUE(IsPathAvailable("A:\\x"));
}
