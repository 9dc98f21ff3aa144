// Icon sources: loading icons of one size from the system, modules, icon files and the shell.
#include "foundation/IconSource.h"

#include "foundation/IconCache.h"
#include "foundation/ScreenScale.h"

#include <shellapi.h>

namespace {

// Zero width or height asks for the system's default icon size.
UINT SizeFlags(int width, int height) { return (width == 0 || height == 0) ? LR_DEFAULTSIZE : 0; }

} // namespace

int IconSizeOfKind(int sizeKind)
{
    switch (sizeKind) {
    case 0: return Scaled(16);
    case 1: return Scaled(32);
    default: return 0;
    }
}

TIconSource::TIconSource()
{
    for (bool& attempt : tried) attempt = false;
}

TIconSource::~TIconSource() = default;

HICON TIconSource::Get(int sizeKind, TIconSource* fallback)
{
    if (sizeKind < 0 || sizeKind >= iconSizeKinds) return nullptr;
    if (!tried[sizeKind]) {
        tried[sizeKind] = true;
        int size = IconSizeOfKind(sizeKind);
        icons[sizeKind].Reset(Get(size, size));
    }
    if (icons[sizeKind]) return icons[sizeKind];
    if (!fallback) fallback = LastResortIconSource();
    return (fallback && fallback != this) ? fallback->Get(sizeKind) : nullptr;
}

TResourceKey::TResourceKey(LPCSTR key) : id(0)
{
    if (IS_INTRESOURCE(key)) id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(key));
    else name = key;
}

LPCSTR TResourceKey::Pointer() const { return name.IsEmpty() ? MAKEINTRESOURCEA(id) : name.Text(); }

bool TResourceKey::Matches(LPCSTR key) const
{
    if (IS_INTRESOURCE(key)) return name.IsEmpty() && id == static_cast<WORD>(reinterpret_cast<ULONG_PTR>(key));
    // Resource names are compared without regard to case, as FindResource does.
    return !name.IsEmpty() && lstrcmpiA(name, key) == 0;
}

HICON TSystemIconSource::Get(int width, int height)
{
    HICON shared = LoadIconA(nullptr, key.Pointer()); // shared: never destroyed
    if (!shared) return nullptr;
    UINT flags = SizeFlags(width, height);
    // From the resource when possible, so a small icon is the drawn one and not a shrunk copy.
    HANDLE copy = CopyImage(shared, IMAGE_ICON, width, height, flags | LR_COPYFROMRESOURCE);
    if (!copy) copy = CopyImage(shared, IMAGE_ICON, width, height, flags);
    return static_cast<HICON>(copy);
}

HICON TResourceIconSource::Get(int width, int height)
{
    if (!HasIcon()) return nullptr;
    return static_cast<HICON>(LoadImageA(module, key.Pointer(), IMAGE_ICON, width, height, SizeFlags(width, height)));
}

HICON TIconFileSource::Get(int width, int height)
{
    return static_cast<HICON>(
        LoadImageA(nullptr, path, IMAGE_ICON, width, height, LR_LOADFROMFILE | SizeFlags(width, height)));
}

HICON TFileTypeIconSource::Get(int width, int height)
{
    // The shell has two sizes; anything else is scaled from the nearer one.
    const int smallSize = GetSystemMetrics(SM_CXSMICON);
    bool small = width > 0 && width <= smallSize && height > 0 && height <= smallSize;
    SHFILEINFOA info = {};
    UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON) | (byTypeOnly ? SHGFI_USEFILEATTRIBUTES : 0);
    const DWORD attributes = byTypeOnly ? FILE_ATTRIBUTE_NORMAL : 0;
    if (!SHGetFileInfoA(path, attributes, &info, sizeof info, flags) || !info.hIcon) return nullptr;
    if (width == 0 || height == 0) return info.hIcon;
    HANDLE sized = CopyImage(info.hIcon, IMAGE_ICON, width, height, LR_COPYDELETEORG);
    if (!sized) return info.hIcon;
    return static_cast<HICON>(sized);
}
