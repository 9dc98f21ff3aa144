// Tests of the icon caches with real system icons, modules, icon files and registered types.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/IconCache.h"
#include "support/RegistryValues.h"
#include "support/TempFolder.h"

namespace {

SIZE IconSize(HICON icon)
{
    SIZE size = {0, 0};
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return size;
    BITMAP bitmap = {};
    if (info.hbmColor) {
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        size = {bitmap.bmWidth, bitmap.bmHeight};
    } else if (GetObjectA(info.hbmMask, sizeof bitmap, &bitmap)) {
        size = {bitmap.bmWidth, bitmap.bmHeight / 2}; // monochrome: mask and image stacked
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

std::string SystemFile(const char* name)
{
    char folder[MAX_PATH];
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

void Put16(std::vector<unsigned char>& bytes, unsigned value)
{
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void Put32(std::vector<unsigned char>& bytes, unsigned value)
{
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

// An icon file with a 16 x 16 and a 32 x 32 image of 32 bits per pixel.
void WriteIconFile(const std::string& path)
{
    const int sizes[2] = {16, 32};
    std::vector<unsigned char> bytes;
    Put16(bytes, 0);
    Put16(bytes, 1);
    Put16(bytes, 2);
    unsigned offset = 6 + 2 * 16;
    std::vector<unsigned char> images;
    for (int size : sizes) {
        unsigned maskRow = (size + 31) / 32 * 4;
        unsigned imageBytes = 40 + size * size * 4 + maskRow * size;
        bytes.push_back(static_cast<unsigned char>(size));
        bytes.push_back(static_cast<unsigned char>(size));
        bytes.push_back(0);
        bytes.push_back(0);
        Put16(bytes, 1);
        Put16(bytes, 32);
        Put32(bytes, imageBytes);
        Put32(bytes, offset);
        offset += imageBytes;
        Put32(images, 40);
        Put32(images, size);
        Put32(images, 2 * size);
        Put16(images, 1);
        Put16(images, 32);
        for (int i = 0; i < 6; ++i) Put32(images, 0);
        for (int pixel = 0; pixel < size * size; ++pixel) Put32(images, 0xFF2080C0);
        images.insert(images.end(), maskRow * size, 0);
    }
    bytes.insert(bytes.end(), images.begin(), images.end());
    ASSERT_TRUE(TTempFolder::Write(path, std::string(bytes.begin(), bytes.end())));
}

// A file type registered under HKEY_CLASSES_ROOT for the length of a test.
class TTestFileType {
public:
    TTestFileType(const char* extension, const char* typeName, const std::string& defaultIcon)
        : extension(extension), typeName(typeName)
    {
        EXPECT_EQ(ERROR_SUCCESS, SetRawValue(extension, "", REG_SZ, Sz(typeName), HKEY_CLASSES_ROOT));
        EXPECT_EQ(ERROR_SUCCESS,
                  SetRawValue(this->typeName + "\\DefaultIcon", "", REG_SZ, Sz(defaultIcon), HKEY_CLASSES_ROOT));
    }
    ~TTestFileType()
    {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, extension.c_str());
        SHDeleteKeyA(HKEY_CLASSES_ROOT, typeName.c_str());
    }

private:
    std::string extension;
    std::string typeName;
};

HICON WinLogo(int kind) { return SystemIconSource(IDI_WINLOGO)->Get(kind); }

TEST(IconCache, SameSourceAndKindGiveTheSameCachedIcon)
{
    TIconSource* question = SystemIconSource(IDI_QUESTION);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(question, SystemIconSource(IDI_QUESTION));
    EXPECT_NE(question, SystemIconSource(IDI_HAND));

    HICON small = question->Get(0);
    ASSERT_NE(nullptr, small);
    EXPECT_EQ(small, question->Get(0));
    EXPECT_NE(small, question->Get(1));
    EXPECT_EQ(nullptr, question->Get(3)); // no such size kind

    std::string shell32 = SystemFile("shell32.dll");
    EXPECT_EQ(ModuleIcon(shell32.c_str(), 3), ModuleIcon(shell32.c_str(), 3));
    EXPECT_NE(ModuleIcon(shell32.c_str(), 3), ModuleIcon(shell32.c_str(), 4));
    EXPECT_EQ(IconByName("OK_ICON"), IconByName("ok_icon")); // resource names ignore case
    EXPECT_NE(IconByName("OK_ICON"), IconByName2("OK_ICON")); // the two lists are apart
    // Paths are looked up through an index: letter case still does not count, the path does.
    EXPECT_EQ(FileTypeIcon("C:\\Music\\a.wav"), FileTypeIcon("c:\\MUSIC\\A.WAV"));
    EXPECT_NE(FileTypeIcon("C:\\Music\\a.wav"), FileTypeIcon("C:\\Music\\b.wav"));
    EXPECT_EQ(IconFromFile("C:\\Icons\\x.ico"), IconFromFile("c:\\icons\\X.ICO"));
}

TEST(IconCache, SizeKindsGiveSmallLargeAndDefaultSizes)
{
    TIconSource* hand = SystemIconSource(IDI_HAND);
    SIZE small = IconSize(hand->Get(0));
    SIZE large = IconSize(hand->Get(1));
    SIZE standard = IconSize(hand->Get(2));
    EXPECT_EQ(16, small.cx);
    EXPECT_EQ(16, small.cy);
    EXPECT_EQ(32, large.cx);
    EXPECT_EQ(32, large.cy);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), standard.cx);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), standard.cy);

    // An exact size is a new icon the caller owns.
    HICON big = hand->Get(48, 48);
    ASSERT_NE(nullptr, big);
    EXPECT_EQ(48, IconSize(big).cx);
    EXPECT_NE(big, hand->Get(1));
    EXPECT_TRUE(DestroyIcon(big));

    TIconSource* module = ModuleIcon(SystemFile("shell32.dll").c_str(), 3);
    EXPECT_EQ(16, IconSize(module->Get(0)).cx);
    EXPECT_EQ(32, IconSize(module->Get(1)).cy);
}

TEST(IconCache, ProgramIconsLoadByNameWhenTheProgramCarriesThem)
{
    // Linked with the program's resources or not, a name either loads or falls back.
    TIconSource* ok = IconByName("OK_ICON");
    if (FindResourceA(GetModuleHandleA(nullptr), "OK_ICON", RT_GROUP_ICON)) {
        EXPECT_NE(WinLogo(0), ok->Get(0));
        EXPECT_EQ(16, IconSize(ok->Get(0)).cx);
        EXPECT_EQ(32, IconSize(ok->Get(1)).cx);
        EXPECT_NE(ok->Get(0), IconByName2("OK_ICON")->Get(0)); // each list keeps its own icons
    } else {
        EXPECT_EQ(WinLogo(0), ok->Get(0));
    }
}

TEST(IconCache, MissingIconsFallBack)
{
    ASSERT_NE(nullptr, WinLogo(1));
    EXPECT_EQ(WinLogo(0), IconByName("NO_SUCH_ICON")->Get(0));
    EXPECT_EQ(WinLogo(1), IconByName2("NO_SUCH_ICON")->Get(1));
    HICON hand = SystemIconSource(IDI_HAND)->Get(1);
    EXPECT_EQ(hand, IconByName("NO_SUCH_ICON")->Get(1, SystemIconSource(IDI_HAND)));

    std::string shell32 = SystemFile("shell32.dll");
    HICON shellIcon = ModuleIcon(shell32.c_str(), 3)->Get(1);
    EXPECT_NE(nullptr, shellIcon);
    EXPECT_NE(WinLogo(1), shellIcon);
    EXPECT_EQ(WinLogo(1), ModuleIcon(shell32.c_str(), 100000)->Get(1));
    EXPECT_EQ(WinLogo(1), ModuleIcon("C:\\no\\such\\module.dll", 0)->Get(1));
    EXPECT_EQ(WinLogo(0), IconFromFile("C:\\no\\such\\picture.ico")->Get(0));
}

TEST(IconCache, IconFilesGiveTheirImages)
{
    TTempFolder folder;
    const std::string path = folder.Path("kelvane_icon_test.ico");
    WriteIconFile(path);
    TIconSource* file = IconFromFile(path.c_str());
    HICON small = file->Get(0);
    EXPECT_NE(WinLogo(0), small);
    EXPECT_EQ(16, IconSize(small).cx);
    EXPECT_EQ(32, IconSize(file->Get(1)).cx);
    ReleaseIconCaches(); // lets the file go
}

TEST(IconCache, IconForFileFollowsTheRegisteredType)
{
    TTempFolder folder;
    const std::string iconPath = folder.Path("kelvane_type_test.ico");
    WriteIconFile(iconPath);
    {
        TTestFileType iconType(".kelvaneicontest", "KelvaneIconTestFile", "\"" + iconPath + "\",0");
        TTestFileType moduleType(".kelvanemoduletest", "KelvaneModuleTestFile", "shell32.dll,3");
        TTestFileType selfType(".kelvaneselftest", "KelvaneSelfTestFile", "%1");

        EXPECT_EQ(IconFromFile(iconPath.c_str()), IconForFile("C:\\music\\a.kelvaneicontest"));
        EXPECT_EQ(ModuleIcon(SystemFile("shell32.dll").c_str(), 3), IconForFile("C:\\music\\b.kelvanemoduletest"));
        EXPECT_EQ(ModuleIcon(SystemFile("shell32.dll").c_str(), 3), IconForClass("KelvaneModuleTestFile"));
        // "%1" names the file itself, which does not exist here.
        EXPECT_EQ(FileTypeIcon("C:\\music\\c.kelvaneselftest"), IconForFile("C:\\music\\c.kelvaneselftest"));
        EXPECT_EQ(SystemIconSource(IDI_WINLOGO), IconForClass("KelvaneSelfTestFile"));
    }
    ReleaseIconCaches(); // lets the file go
}

TEST(IconCache, IconForFileOfFoldersProgramsAndUnknownTypes)
{
    TTempFolder temp;
    const std::string folder = temp.Path() + "\\";
    EXPECT_EQ(FileTypeIcon(folder.c_str()), IconForFile(folder.c_str()));
    EXPECT_EQ(FileTypeIcon("C:"), IconForFile("C:"));
    EXPECT_NE(nullptr, IconForFile(folder.c_str())->Get(1));

    // A program file that is no module at all has no icon of its own.
    const std::string noIcon = temp.Path("kelvane_noicon.exe");
    ASSERT_TRUE(TTempFolder::Write(noIcon, ""));
    EXPECT_EQ(SystemIconSource(IDI_APPLICATION), IconForFile(noIcon.c_str()));
    EXPECT_EQ(SystemIconSource(IDI_APPLICATION), IconForFile("C:\\no\\such\\program.exe"));
    std::string notepad = SystemFile("notepad.exe");
    EXPECT_EQ(ModuleIcon(notepad.c_str(), 0), IconForFile(notepad.c_str()));
    EXPECT_NE(WinLogo(1), IconForFile(notepad.c_str())->Get(1));

    const std::string unknown = temp.Path("kelvane_unknown.zzqq");
    ASSERT_TRUE(TTempFolder::Write(unknown, ""));
    TIconSource* unknownSource = IconForFile(unknown.c_str());
    EXPECT_EQ(FileTypeIcon(unknown.c_str()), unknownSource);
    EXPECT_NE(nullptr, unknownSource->Get(0));
    EXPECT_EQ(16, IconSize(unknownSource->Get(0)).cx);
}

TEST(IconCache, IconForClassOfUnregisteredTypesIsTheWindowsLogo)
{
    // Wine registers "hlpfile" without an icon of its own.
    TIconSource* help = IconForClass("hlpfile");
    ASSERT_NE(nullptr, help);
    EXPECT_NE(nullptr, help->Get(1));
    EXPECT_EQ(SystemIconSource(IDI_WINLOGO), IconForClass("KelvaneNoSuchType"));
    EXPECT_EQ(SystemIconSource(IDI_WINLOGO), IconForClass(""));
}

TEST(IconCache, ReleaseDestroysEveryCachedIcon)
{
    HICON system = SystemIconSource(IDI_EXCLAMATION)->Get(1);
    HICON module = ModuleIcon(SystemFile("shell32.dll").c_str(), 4)->Get(0);
    ASSERT_NE(nullptr, system);
    ASSERT_NE(nullptr, module);
    ReleaseIconCaches();
    EXPECT_FALSE(DestroyIcon(system));
    EXPECT_FALSE(DestroyIcon(module));
    ReleaseIconCaches(); // nothing left: harmless
    EXPECT_NE(nullptr, SystemIconSource(IDI_EXCLAMATION)->Get(1)); // caches start again
}

} // namespace

namespace {

// An icon's colour and mask bits, to compare what two icons show.
std::vector<unsigned char> IconBits(HICON icon)
{
    std::vector<unsigned char> bits;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return bits;
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        if (!bitmap) continue;
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        GetDIBits(screen, bitmap, 0, 0, nullptr, &format, DIB_RGB_COLORS);
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        const int rows = std::abs(format.bmiHeader.biHeight);
        std::vector<unsigned char> part(static_cast<size_t>(format.bmiHeader.biWidth) * rows * 4);
        GetDIBits(screen, bitmap, 0, rows, part.data(), &format, DIB_RGB_COLORS);
        bits.insert(bits.end(), part.begin(), part.end());
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return bits;
}

// What the shell itself gives for the path.
std::vector<unsigned char> ShellIconBits(const std::string& path, UINT size)
{
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | size)) return {};
    std::vector<unsigned char> bits = IconBits(info.hIcon);
    DestroyIcon(info.hIcon);
    return bits;
}

} // namespace

// Files of a type that shows one icon for all share one source, which shows what the shell
// shows for each of them; programs, icon files, folders and names of no file keep their own.
TEST(IconCache, FilesOfATypeShareTheTypesIcon)
{
    const TTempFolder folder;
    const std::string a = folder.File("shared_a.wav"), b = folder.File("shared_B.WAV");
    const std::string program = folder.File("shared.exe"), picture = folder.File("shared.ico");
    const std::string named = folder.Folder("shared_folder.wav");

    TIconSource* shared = FileTypeIcon(a.c_str());
    EXPECT_EQ(shared, FileTypeIcon(b.c_str()));
    EXPECT_EQ(ShellIconBits(b, SHGFI_SMALLICON), IconBits(shared->Get(0)));
    EXPECT_EQ(ShellIconBits(b, SHGFI_LARGEICON), IconBits(shared->Get(1)));
    for (const std::string& own : {program, picture, named, folder.Path("missing.wav")})
        EXPECT_NE(shared, FileTypeIcon(own.c_str())) << own;
    EXPECT_EQ(ShellIconBits(named, SHGFI_SMALLICON), IconBits(FileTypeIcon(named.c_str())->Get(0)));
    ReleaseIconCaches();
}
