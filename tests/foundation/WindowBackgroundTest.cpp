// The window background: poster placement and colours, wallpaper layouts, clipping, GDI hygiene.
#include "foundation/WindowBackground.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/Surface.h"
#include "support/TempFolder.h"

namespace {

// Tile pixel (u, v) of the test wallpaper: every pixel its own colour.
COLORREF TileColor(int u, int v) { return RGB(u * 30, v * 40, 100); }

const int tileWidth = 8;
const int tileHeight = 6;

// Writes an 8 x 6, 24-bit wallpaper file and returns its path.
std::string WriteTileFile(const TTempFolder& folder)
{
    const int stride = (tileWidth * 3 + 3) / 4 * 4;
    std::string bits(static_cast<size_t>(stride) * tileHeight, '\0');
    for (int v = 0; v < tileHeight; ++v) {
        char* row = &bits[(tileHeight - 1 - v) * stride];
        for (int u = 0; u < tileWidth; ++u) {
            const COLORREF c = TileColor(u, v);
            row[u * 3] = static_cast<char>(GetBValue(c));
            row[u * 3 + 1] = static_cast<char>(GetGValue(c));
            row[u * 3 + 2] = static_cast<char>(GetRValue(c));
        }
    }
    BITMAPINFOHEADER info = {sizeof info, tileWidth, tileHeight, 1, 24, BI_RGB, static_cast<DWORD>(bits.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info + bits.size()), 0, 0,
                             static_cast<DWORD>(sizeof file + sizeof info)};
    return folder.File("tile.bmp", std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                                       std::string(reinterpret_cast<const char*>(&info), sizeof info) + bits);
}

TBackgroundSettings WallPaperOnly(const std::string& path, int style)
{
    TBackgroundSettings settings;
    settings.withWallPaper = true;
    settings.wallPaperFileName = path.c_str();
    settings.wallStyle = style;
    settings.withPoster = false;
    return settings;
}

} // namespace

TEST(WindowBackground, PosterOffsetsAlongAnAxis)
{
    EXPECT_EQ(0, TWindowBackground::PosterOffset(0, 100));
    EXPECT_EQ(25, TWindowBackground::PosterOffset(1, 100));
    EXPECT_EQ(50, TWindowBackground::PosterOffset(2, 101));
    EXPECT_EQ(75, TWindowBackground::PosterOffset(3, 100));
    EXPECT_EQ(100, TWindowBackground::PosterOffset(4, 100));
    // A poster larger than the area is centred at 1 and 3, not shifted by a quarter.
    EXPECT_EQ(-20, TWindowBackground::PosterOffset(1, -40));
    EXPECT_EQ(-20, TWindowBackground::PosterOffset(3, -40));
    EXPECT_EQ(-40, TWindowBackground::PosterOffset(4, -40));
    EXPECT_EQ(0, TWindowBackground::PosterOffset(7, 100));
    EXPECT_EQ(0, TWindowBackground::PosterOffset(-1, 100));
}

TEST(WindowBackground, LogoSitsBottomRightInFaceAndHalfHighlight)
{
    TWindowBackground background(backgroundForShapes);
    background.LoadBackground();
    ASSERT_TRUE(background.HasPoster()) << "the logo resource is linked into the test program";
    EXPECT_FALSE(background.HasWallPaper());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF half = RGB((GetRValue(face) + GetRValue(highlight)) / 2, (GetGValue(face) + GetGValue(highlight)) / 2,
                              (GetBValue(face) + GetBValue(highlight)) / 2);
    EXPECT_EQ(half, background.HalfHighlightColor());

    TSurface surface(400, 300);
    background.PaintBackground(surface.Dc(), surface.All());
    // Everything left of and above the logo keeps what was there.
    EXPECT_EQ(TSurface::Untouched, surface.At(0, 0));
    EXPECT_EQ(TSurface::Untouched, surface.At(399, 0));
    EXPECT_EQ(TSurface::Untouched, surface.At(0, 299));
    EXPECT_EQ(TSurface::Untouched, surface.At(200, 200));
    // The logo fills the corner up to the last pixel, in the two colours only.
    int faceCount = 0, halfCount = 0, other = 0;
    for (int y = 260; y < 300; ++y) {
        for (int x = 260; x < 400; ++x) {
            const COLORREF pixel = surface.At(x, y);
            if (pixel == face) ++faceCount;
            else if (pixel == half) ++halfCount;
            else ++other;
        }
    }
    EXPECT_EQ(0, other);
    EXPECT_GT(halfCount, 200);
    EXPECT_GT(faceCount, halfCount);
    EXPECT_EQ(face, surface.At(399, 299));
}

TEST(WindowBackground, MenuPosterFollowsTheMenuColour)
{
    TWindowBackground background(backgroundForMenus);
    background.LoadBackground();
    ASSERT_TRUE(background.HasPoster());
    EXPECT_EQ(GetSysColor(COLOR_MENU), background.FaceColor());
    TSurface surface(300, 100);
    background.PaintBackground(surface.Dc(), surface.All());
    EXPECT_EQ(GetSysColor(COLOR_MENU), surface.At(299, 99));
}

TEST(WindowBackground, PaintsOnlyInsideTheClip)
{
    TWindowBackground background;
    background.LoadBackground();
    TSurface surface(400, 300);
    const RECT clip = {350, 250, 380, 280};
    background.PaintBackground(surface.Dc(), surface.All(), clip);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), surface.At(379, 256)); // the logo's empty top rows
    EXPECT_EQ(TSurface::Untouched, surface.At(379, 252));                  // above the logo, inside the clip
    EXPECT_EQ(TSurface::Untouched, surface.At(385, 285));
    EXPECT_EQ(TSurface::Untouched, surface.At(345, 290));
}

TEST(WindowBackground, WallPaperLayoutsAroundTheCentredTile)
{
    TTempFolder folder;
    const std::string path = WriteTileFile(folder);
    // Area 50 x 30: the reference tile sits at (21, 12). Each pixel: where, and which tile pixel.
    struct TTilePixel {
        int x, y, u, v;
    };
    const struct {
        int style;
        const char* what;
        std::vector<TTilePixel> pixels;
    } layouts[] = {
        {2, "tiled", {{21, 12, 0, 0}, {13, 6, 0, 0}, {0, 0, 3, 0}, {49, 29, 4, 5}}}, // 49 = 45 + 4, 29 = 24 + 5
        // The rows above and below are shifted left by half a tile.
        {3, "bricks", {{21, 12, 0, 0}, {17, 6, 0, 0}, {17, 18, 0, 0}, {0, 6, 7, 0}, {0, 12, 3, 0}}},
        // The columns to the left and right are shifted up by half.
        {4, "hexagons", {{21, 12, 0, 0}, {13, 9, 0, 0}, {29, 9, 0, 0}, {13, 0, 0, 3}, {21, 0, 0, 0}}},
        {1, "stretched", {{0, 0, 0, 0}, {49, 29, 7, 5}}},
    };
    TWindowBackground background;
    for (const auto& layout : layouts) {
        TSurface surface(50, 30);
        background.ApplySettings(WallPaperOnly(path, layout.style));
        ASSERT_TRUE(background.HasWallPaper()) << layout.what;
        EXPECT_FALSE(background.HasPoster()) << layout.what;
        background.PaintBackground(surface.Dc(), surface.All());
        for (const TTilePixel& pixel : layout.pixels)
            EXPECT_EQ(TileColor(pixel.u, pixel.v), surface.At(pixel.x, pixel.y))
                << layout.what << " at " << pixel.x << "," << pixel.y;
    }
}

TEST(WindowBackground, BrokenFilesAreNotLoaded)
{
    TBackgroundDib dib;
    EXPECT_FALSE(dib.LoadFile("C:\\no\\such\\file.bmp"));
    BITMAPINFOHEADER header = {sizeof header, 100, 100, 1, 8, BI_RGB, 0, 0, 0, 0, 0};
    // The header promises 100 rows of bits that are not there.
    EXPECT_FALSE(dib.LoadPacked(&header, sizeof header));
    EXPECT_FALSE(dib.IsLoaded());
    header.biClrUsed = 1000; // more colours than 8 bits can index
    std::vector<unsigned char> big(sizeof header + 1000 * 4 + 100 * 100);
    std::memcpy(big.data(), &header, sizeof header);
    EXPECT_FALSE(dib.LoadPacked(big.data(), big.size()));
    header.biClrUsed = 0;
    header.biCompression = BI_RLE8;
    std::memcpy(big.data(), &header, sizeof header);
    EXPECT_FALSE(dib.LoadPacked(big.data(), big.size()));

    TWindowBackground background;
    TBackgroundSettings settings;
    settings.withPoster = true;
    settings.posterFileName = "C:\\no\\such\\poster.bmp";
    background.ApplySettings(settings);
    EXPECT_FALSE(background.HasPoster());
    TSurface surface(50, 50);
    background.PaintBackground(surface.Dc(), surface.All());
    EXPECT_EQ(TSurface::Untouched, surface.At(49, 49));
}

TEST(WindowBackground, PaintingLeavesNoGdiObjectBehind)
{
    TWindowBackground background;
    background.LoadBackground();
    TSurface surface(300, 200);
    background.PaintBackground(surface.Dc(), surface.All()); // first use may allocate caches
    // Wine answers 0 here; on Windows the count is real.
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const HGDIOBJ bitmap = GetCurrentObject(surface.Dc(), OBJ_BITMAP);
    const HGDIOBJ palette = GetCurrentObject(surface.Dc(), OBJ_PAL);
    for (int i = 0; i < 50; ++i) background.PaintBackground(surface.Dc(), surface.All());
    background.LoadBackground(); // reloading replaces, not adds
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_EQ(before, after);
    // The target DC is handed back as it came.
    EXPECT_EQ(bitmap, GetCurrentObject(surface.Dc(), OBJ_BITMAP));
    EXPECT_EQ(palette, GetCurrentObject(surface.Dc(), OBJ_PAL));
    POINT origin = {1, 1};
    GetViewportOrgEx(surface.Dc(), &origin);
    EXPECT_EQ(0, origin.x);
    EXPECT_EQ(0, origin.y);
}

TEST(WindowBackground, SharedPaintersLiveUntilDeleted)
{
    DeleteSharedBackgrounds();
    EXPECT_EQ(nullptr, ClientBackground());
    TWindowBackground* client = EnsureClientBackground();
    ASSERT_NE(nullptr, client);
    EXPECT_EQ(client, ClientBackground());
    EXPECT_EQ(client, EnsureClientBackground());
    EXPECT_TRUE(client->HasPoster());
    TWindowBackground* menu = EnsureMenuBackground();
    EXPECT_EQ(backgroundForMenus, menu->Kind());
    EXPECT_NE(client, menu);
    ReloadSharedBackgrounds();
    EXPECT_TRUE(ClientBackground()->HasPoster());
    DeleteSharedBackgrounds();
    EXPECT_EQ(nullptr, ClientBackground());
    EXPECT_EQ(nullptr, MenuBackground());
}

// The program's resources, linked into this test program from the same script.
TEST(ProgramResources, IconsMenuAndVersion)
{
    HMODULE module = GetModuleHandleA(nullptr);
    const char* icons[] = {"0_APPLICATION_ICON", "APPLICATION_ICON", "KELVANE_PLAY_ICON", "KELVANE_PAUSE_ICON",
                           "PLAY_ICON", "PAUSE_ICON", "STOP_ICON", "CLOSE_ICON", "OK_ICON", "CANCEL_ICON", "YES_ICON",
                           "NO_ICON", "NEWFILE_ICON", "DELETE_ICON", "OPENFILE_ICON", "EDITFILE_ICON", "COPY_ICON",
                           "SELECT_ICON", "BLUEWAVE_ICON", "CORLEN_ICON", "WINDOWRESTORE_ICON", "WINDOWMOVE_ICON",
                           "WINDOWRESIZE_ICON", "WINDOWICON_ICON", "WINDOWZOOM_ICON", "WINDOWTOPMOST_ICON",
                           "WINDOWPOSITION_ICON", "WINDOWCENTERPOS_ICON", "WINDOWMOUSEPOS_ICON",
                           "WINDOWSERIALPOS_ICON", "WINDOWTRANSPARENT_ICON", "WINDOWCLOSE_ICON", "ORVIK_ICON"};
    for (const char* name : icons) {
        HRSRC group = FindResourceA(module, name, MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
        ASSERT_NE(nullptr, group) << name;
        const WORD* directory = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
        const bool largeOnly = std::string(name) == "ORVIK_ICON";
        EXPECT_EQ(largeOnly ? 1 : 2, directory[2]) << name; // images of 16 x 16 and 32 x 32
        HICON icon = static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, 32, 32, 0));
        EXPECT_NE(nullptr, icon) << name;
        if (icon) DestroyIcon(icon);
    }

    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(2, GetMenuItemCount(menu));
    HMENU tray = GetSubMenu(menu, 0);
    HMENU context = GetSubMenu(menu, 1);
    EXPECT_EQ(9, GetMenuItemCount(tray));
    EXPECT_EQ(5, GetMenuItemCount(context));
    const UINT trayIds[] = {201, 0, 202, 204, 0, 9, 905, 0, 199};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(trayIds[i], GetMenuItemID(tray, i)) << i;
    char caption[64];
    GetMenuStringA(tray, 201, caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ("設定(&C)...", caption);
    GetMenuStringA(context, 905, caption, sizeof caption, MF_BYCOMMAND);
    EXPECT_STREQ("ﾊﾞｰｼﾞｮﾝ情報(&A)", caption);
    EXPECT_TRUE(GetMenuState(tray, 204, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(context, 204, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(context, 202, MF_BYCOMMAND) & MF_GRAYED);
    DestroyMenu(menu);

    char path[MAX_PATH];
    GetModuleFileNameA(module, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> copy(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, copy.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\041104B0\\ProductVersion", &value, &length));
    EXPECT_STREQ("1.x", static_cast<const char*>(value));
    ASSERT_TRUE(VerQueryValueA(copy.data(), "\\StringFileInfo\\041104B0\\ProductName", &value, &length));
    EXPECT_STREQ("Kelvane", static_cast<const char*>(value));
}
