// TVersionInfo: the version window's content, built once; the window shows it in a new shape.
#pragma once

#include <windows.h>

#include "controls/ButtonRowElement.h"
#include "controls/ElementGroup.h"
#include "controls/IconPictureElement.h"
#include "controls/MessageBox.h"
#include "controls/TextElement.h"

class TVersionInfo {
public:
    // Fills the process-wide slot that the version command reads; the destructor empties it.
    TVersionInfo();
    ~TVersionInfo();
    TVersionInfo(const TVersionInfo&) = delete;
    TVersionInfo& operator=(const TVersionInfo&) = delete;

    TElementGroup& Root() { return root; }

private:
    TButtonDescriptor ok;
    TButtonRowElement buttons;
    TMessageGroup application;
    TIconPictureElement creditIcon;
    TTextElement credit;
    TElementGroup creditGroup;
    TElementGroup frame;
    TElementGroup root;
};

extern const char VersionWindowTitle[]; // "Kelvane ﾊﾞｰｼﾞｮﾝ情報", also how an open one is found

// "Kelvane version 1.x", the build date and the build time, as the window shows them.
THeapString VersionText();
// The slot: the object while it exists, else null.
TVersionInfo* CurrentVersionInfo();
// Brings an open version window to the front, or runs a new one over `owner` until it closes.
void ShowVersionWindow(HWND owner);
