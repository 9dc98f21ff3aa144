// TTempFolder: a fresh folder under the temporary directory for the files and folders a test
// makes, removed with everything in it at the end.
#pragma once

#include <windows.h>

#include <string>

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder itself, without a trailing backslash.
    const std::string& Path() const { return root; }
    // The full path of a relative one ("a\\b.wav").
    std::string Path(const std::string& relative) const { return root + "\\" + relative; }
    // Makes a subfolder and gives its path.
    std::string Folder(const std::string& relative) const;
    // Writes a file with these bytes and gives its path.
    std::string File(const std::string& relative, const std::string& bytes = "x",
                     DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;

    // Writes a file whose name may lie outside the code page and gives its UTF-16 path.
    std::wstring WideFile(const std::wstring& relative, const std::string& bytes = "x") const;

    // Writes a file anywhere; false when it cannot be written.
    static bool Write(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
    // A file's bytes; empty when it cannot be read.
    static std::string Read(const std::string& path);

private:
    static void RemoveTree(const std::string& folder);
    static void RemoveWideTree(const std::wstring& folder);

    std::string root;
};
