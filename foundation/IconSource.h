// Icon sources: where an icon comes from, and the icons of the three size kinds it keeps.
#pragma once

#include "foundation/Handles.h"
#include "foundation/HeapString.h"

#include <windows.h>

// Size kinds: 0 small (16 x 16 at 96 DPI), 1 large (32 x 32 at 96 DPI), 2 the system's default
// icon size. Small and large follow the screen's DPI, taken from the icon's best image.
const int iconSizeKinds = 3;

class TIconSource {
public:
    TIconSource();
    virtual ~TIconSource(); // destroys the icons it keeps
    // The icon of a size kind, loaded on first use and owned by the source. When it cannot
    // be loaded, the fallback's icon (or, without one, the system's IDI_WINLOGO).
    virtual HICON Get(int sizeKind, TIconSource* fallback = nullptr);
    // A newly loaded icon of this size (0 x 0: the default size) that the caller destroys;
    // null when there is none. Get(kind, 0) lands here: write nullptr for "no fallback".
    virtual HICON Get(int width, int height) = 0;

    TIconSource(const TIconSource&) = delete;
    TIconSource& operator=(const TIconSource&) = delete;

private:
    TOwnedIcon icons[iconSizeKinds];
    bool tried[iconSizeKinds];  // a failed load is not repeated
};

// A resource name or a MAKEINTRESOURCE identifier, kept so it can be passed on and compared.
class TResourceKey {
public:
    explicit TResourceKey(LPCSTR key = nullptr);
    LPCSTR Pointer() const;
    bool Matches(LPCSTR key) const;
    bool IsEmpty() const { return id == 0 && name.IsEmpty(); }

private:
    WORD id;          // when not named
    THeapString name; // empty for an identifier
};

// A system icon (IDI_...), copied to the wanted size.
class TSystemIconSource : public TIconSource {
public:
    explicit TSystemIconSource(LPCSTR id) : key(id) {}
    using TIconSource::Get;
    HICON Get(int width, int height) override;
    bool Matches(LPCSTR id) const { return key.Matches(id); }

private:
    TResourceKey key;
};

// An icon resource of a module: the program's own, or one of a loaded module. Without a
// module or a name it has no icon and always answers with its fallback.
class TResourceIconSource : public TIconSource {
public:
    TResourceIconSource(HMODULE module, LPCSTR name) : module(module), key(name) {}
    TResourceIconSource(HMODULE module, const TResourceKey& name) : module(module), key(name) {}
    using TIconSource::Get;
    HICON Get(int width, int height) override;
    bool Matches(LPCSTR name) const { return key.Matches(name); }
    bool HasIcon() const { return module != nullptr && !key.IsEmpty(); }

private:
    HMODULE module; // borrowed: the program, or a module the module cache keeps loaded
    TResourceKey key;
};

// An icon file (".ico").
class TIconFileSource : public TIconSource {
public:
    explicit TIconFileSource(const char* path) : path(path) {}
    using TIconSource::Get;
    HICON Get(int width, int height) override;
    const THeapString& Path() const { return path; }

private:
    THeapString path;
};

// The icon the shell shows for a file, folder or drive; with `byTypeOnly`, the icon of the
// type that the name's extension names, without touching the file system.
class TFileTypeIconSource : public TIconSource {
public:
    explicit TFileTypeIconSource(const char* path, bool byTypeOnly = false) : path(path), byTypeOnly(byTypeOnly) {}
    using TIconSource::Get;
    HICON Get(int width, int height) override;
    const THeapString& Path() const { return path; }

private:
    THeapString path;
    bool byTypeOnly;
};

// Width and height of a size kind in pixels (0 x 0 for the default size).
int IconSizeOfKind(int sizeKind);

