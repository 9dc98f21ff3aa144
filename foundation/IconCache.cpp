// The process-wide icon caches: one list per kind of source, and the modules they load.
#include "foundation/IconCache.h"

#include "foundation/CharText.h"
#include "foundation/CommandLine.h"
#include "foundation/FileSystem.h"
#include "foundation/Handles.h"
#include "foundation/PathOperations.h"
#include "foundation/ProcessEntry.h"
#include "foundation/StringOperations.h"
#include "foundation/SystemText.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct TModuleIconEntry {
    THeapString path;
    int index;
    std::unique_ptr<TResourceIconSource> source;
};

struct TLoadedModule {
    THeapString path;
    HMODULE module; // owned; null when it could not be loaded (not tried again)
};

template <typename T> using TSourceList = std::vector<std::unique_ptr<T>>;

// Sources looked up by path, with an index by the path in lower case: a play list of ten
// thousand files asks for ten thousand file-type icons, and a walk through the list with
// lstrcmpiA for each of them took a minute.
template <typename T> struct TPathSources {
    TSourceList<T> list;
    std::unordered_map<std::string, T*> index; // borrowed: the list owns them

    void clear()
    {
        index.clear();
        list.clear();
    }
};

// The icon that every file of a type shares; none when the type's files show their own.
struct TTypeIcon {
    bool decided = false;
    std::unique_ptr<TFileTypeIconSource> source;
};

struct TIconCaches {
    TSourceList<TSystemIconSource> system;
    TSourceList<TResourceIconSource> program;
    TSourceList<TResourceIconSource> program2;
    TPathSources<TIconFileSource> files;
    std::vector<TModuleIconEntry> moduleIcons;
    TPathSources<TFileTypeIconSource> fileTypes;
    std::unordered_map<std::string, TTypeIcon> types; // by extension in lower case
    std::vector<TLoadedModule> modules;

    ~TIconCaches()
    {
        // The icons first: they may have been loaded from these modules.
        system.clear();
        program.clear();
        program2.clear();
        files.clear();
        moduleIcons.clear();
        fileTypes.clear();
        types.clear();
        for (const TLoadedModule& loaded : modules) {
            if (loaded.module) FreeLibrary(loaded.module);
        }
    }
};

TIconCaches* caches = nullptr; // owned; created on first request

TIconCaches& Caches()
{
    static bool teardownRegistered = false;
    if (!caches) {
        caches = new TIconCaches;
        if (!teardownRegistered) AtProcessTeardown(ReleaseIconCaches);
        teardownRegistered = true;
    }
    return *caches;
}

bool SamePath(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

TResourceIconSource* ProgramIcon(TSourceList<TResourceIconSource>& list, const char* resourceName)
{
    for (const auto& source : list) {
        if (source->Matches(resourceName)) return source.get();
    }
    list.push_back(std::make_unique<TResourceIconSource>(ProgramModule(), resourceName));
    return list.back().get();
}

// The key under which lstrcmpiA-equal paths meet; should two of them ever fold apart, the
// second only gets a source of its own, with the same icon.
std::string PathKey(const char* path)
{
    std::string key(path);
    if (!key.empty()) CharLowerBuffA(&key[0], static_cast<DWORD>(key.size()));
    return key;
}

template <typename T> T* SourceForPath(TPathSources<T>& sources, const char* path)
{
    T*& indexed = sources.index[PathKey(path)];
    if (!indexed) {
        sources.list.push_back(std::make_unique<T>(path));
        indexed = sources.list.back().get();
    }
    return indexed;
}

// Data files are enough for resources, and no module code runs on our behalf.
HMODULE LoadedModule(const char* path)
{
    std::vector<TLoadedModule>& modules = Caches().modules;
    for (const TLoadedModule& loaded : modules) {
        if (SamePath(loaded.path, path)) return loaded.module;
    }
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    modules.push_back(TLoadedModule{THeapString(path), module});
    return module;
}

struct TGroupSearch {
    int remaining; // groups still to pass before the one wanted
    TResourceKey found;
};

BOOL CALLBACK TakeIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR parameter)
{
    TGroupSearch& search = *reinterpret_cast<TGroupSearch*>(parameter);
    if (search.remaining-- > 0) return TRUE;
    search.found = TResourceKey(name); // the name is only valid during the call
    return FALSE;
}

// The icon group at an index in the order the module lists them; a negative index names
// the group by its identifier, as registered icon locations do.
TResourceKey IconGroupAt(HMODULE module, int index)
{
    if (!module) return TResourceKey();
    if (index < 0) {
        LPCSTR id = MAKEINTRESOURCEA(-index);
        return FindResourceA(module, id, RT_GROUP_ICON) ? TResourceKey(id) : TResourceKey();
    }
    TGroupSearch search{index, TResourceKey()};
    EnumResourceNamesA(module, RT_GROUP_ICON, TakeIconGroup, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

TResourceIconSource* ModuleIconSource(const char* modulePath, int index)
{
    std::vector<TModuleIconEntry>& list = Caches().moduleIcons;
    for (const TModuleIconEntry& entry : list) {
        if (entry.index == index && SamePath(entry.path, modulePath)) return entry.source.get();
    }
    HMODULE module = LoadedModule(modulePath);
    auto source = std::make_unique<TResourceIconSource>(module, IconGroupAt(module, index));
    list.push_back(TModuleIconEntry{THeapString(modulePath), index, std::move(source)});
    return list.back().source.get();
}

bool ModuleHasIcon(const char* modulePath, int index) { return ModuleIconSource(modulePath, index)->HasIcon(); }

// The default value of a key under HKEY_CLASSES_ROOT; empty when missing or not a text.
THeapString ClassesRootDefault(const char* subkey)
{
    HKEY opened;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return THeapString();
    TOwnedKey key(opened);
    char buffer[2 * MAX_PATH];
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return THeapString();
    buffer[size] = '\0';
    return THeapString(buffer);
}

THeapString DefaultIconOfType(const char* typeName)
{
    if (!typeName || !*typeName) return THeapString();
    return ClassesRootDefault(Concat(typeName, "\\DefaultIcon"));
}

// "file,index": the file part trimmed and unquoted; the index after the last comma (0 without).
void SplitIconLocation(const char* location, THeapString& file, int& index)
{
    int length = static_cast<int>(std::strlen(location));
    int comma = -1;
    for (int at = 0; at < length; at += CharLength(length - at, location + at)) {
        if (location[at] == ',') comma = at;
    }
    index = comma < 0 ? 0 : std::atoi(location + comma + 1);
    file = Unquoted(Trimmed(comma < 0 ? THeapString(location) : Left(location, comma)));
}

THeapString Expanded(const char* text)
{
    if (!std::strchr(text, '%')) return THeapString(text);
    char buffer[2 * MAX_PATH];
    DWORD length = ExpandEnvironmentStringsA(text, buffer, sizeof buffer);
    if (length == 0 || length > sizeof buffer) return THeapString(text);
    return THeapString(buffer);
}

// The file as found: as written, or a bare name along the search path; empty when absent.
THeapString ExistingFile(const char* file)
{
    if (!*file) return THeapString();
    if (FileExists(file)) return THeapString(file);
    if (std::strchr(file, '\\')) return THeapString();
    char found[MAX_PATH];
    DWORD length = SearchPathA(nullptr, file, nullptr, MAX_PATH, found, nullptr);
    return (length > 0 && length < MAX_PATH) ? THeapString(found) : THeapString();
}

bool IsExtension(const char* path, const char* extension) { return lstrcmpiA(ExtensionOf(path), extension) == 0; }

// The source for a registered icon location, or null when it names no icon that exists.
// "%1" stands for the file itself.
TIconSource* IconAtLocation(const char* location, const char* selfPath)
{
    if (!*location) return nullptr;
    THeapString file;
    int index = 0;
    SplitIconLocation(location, file, index);
    file = Expanded(file);
    if (file == "%1") file = selfPath ? selfPath : ""; // after expanding: the name may hold "%"
    file = ExistingFile(file);
    if (file.IsEmpty()) return nullptr;
    if (IsExtension(file, "ico")) return IconFromFile(file);
    return ModuleHasIcon(file, index) ? ModuleIcon(file, index) : nullptr;
}

// Programs, shortcuts and icon files show icons of their own, and so do the files of a type
// registered with "%1" (the file itself) or with an icon handler.
bool ShowsOwnIcons(const char* extension)
{
    for (const char* own : {"exe", "scr", "lnk", "pif", "url", "ico", "cur", "ani"})
        if (lstrcmpiA(extension, own) == 0) return true;
    const THeapString typeName = ClassesRootDefault(Concat(".", extension));
    if (typeName.IsEmpty()) return false;
    if (std::strstr(DefaultIconOfType(typeName), "%1")) return true;
    HKEY opened;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, Concat(typeName, "\\shellex\\IconHandler"), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS)
        return false;
    const TOwnedKey handler(opened); // only that it is there counts
    return true;
}

bool IsPlainFile(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The one source of the path's type when the shell gives every file of it the same icon: the
// shell is asked once per type instead of once per file (some 1.2 ms each under Wine), and
// ten thousand entries keep one pair of icons. A folder or a name that is no file is left to
// the shell as it stands.
TIconSource* SharedTypeIcon(const char* path)
{
    const THeapString extension = ExtensionOf(path);
    if (extension.IsEmpty()) return nullptr;
    TTypeIcon& type = Caches().types[PathKey(extension)];
    if (!type.decided) {
        type.decided = true;
        if (!ShowsOwnIcons(extension))
            type.source = std::make_unique<TFileTypeIconSource>(Concat("*.", extension), true);
    }
    return type.source && IsPlainFile(path) ? type.source.get() : nullptr;
}

bool IsFolderOrDrive(const char* path)
{
    THeapString last = LastChar(path);
    if (last == "\\" || last == "/") return true;
    if (std::strlen(path) == 2 && path[1] == ':') return true;
    return FolderExists(path);
}

} // namespace

TIconSource* LastResortIconSource() { return SystemIconSource(IDI_WINLOGO); }

TIconSource* SystemIconSource(LPCSTR id)
{
    TSourceList<TSystemIconSource>& list = Caches().system;
    for (const auto& source : list) {
        if (source->Matches(id)) return source.get();
    }
    list.push_back(std::make_unique<TSystemIconSource>(id));
    return list.back().get();
}

TIconSource* IconByName(const char* resourceName) { return ProgramIcon(Caches().program, resourceName); }

TIconSource* IconByName2(const char* resourceName) { return ProgramIcon(Caches().program2, resourceName); }

TIconSource* IconFromFile(const char* path) { return SourceForPath(Caches().files, path ? path : ""); }

TIconSource* ModuleIcon(const char* modulePath, int index) { return ModuleIconSource(modulePath ? modulePath : "", index); }

TIconSource* FileTypeIcon(const char* path)
{
    path = path ? path : "";
    if (TIconSource* shared = SharedTypeIcon(path)) return shared;
    return SourceForPath(Caches().fileTypes, path);
}

TIconSource* IconForFile(const char* path)
{
    if (!path || !*path) return LastResortIconSource();
    if (IsFolderOrDrive(path)) return FileTypeIcon(path);
    if (IsExtension(path, "exe")) return ModuleHasIcon(path, 0) ? ModuleIcon(path, 0) : SystemIconSource(IDI_APPLICATION);
    THeapString extension = ExtensionOf(path);
    THeapString typeName = extension.IsEmpty() ? THeapString() : ClassesRootDefault(Concat(".", extension));
    TIconSource* registered = IconAtLocation(DefaultIconOfType(typeName), path);
    return registered ? registered : FileTypeIcon(path);
}

TIconSource* IconForClass(const char* typeName)
{
    TIconSource* registered = IconAtLocation(DefaultIconOfType(typeName), nullptr);
    return registered ? registered : LastResortIconSource();
}

void ReleaseIconCaches()
{
    delete caches;
    caches = nullptr;
}
