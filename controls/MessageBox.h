// Message boxes: the message group and one call that builds and runs a box with remembered answers.
#pragma once

#include <windows.h>

#include "controls/ButtonRowElement.h"
#include "controls/ElementGroup.h"
#include "controls/SystemIconElement.h"
#include "controls/TextElement.h"

// The icon of a kind and the message text side by side, docked at the top of the box.
class TMessageGroup : public TElementGroup {
public:
    TMessageGroup(int iconKind, const char* text);
    ~TMessageGroup() override;

    TTextElement& Text() { return text; }

private:
    TTextElement text;
};

// Runs a modal box over `owner` and returns the identifier of the button that ended it (or
// that a remembered answer pressed). `key` names the box's placement and its remembered
// answer; a null title is the application's name; `buttons` is null-terminated; without
// `withCheck` the box offers no "do not show again".
int RunMessageBox(HWND owner, const char* key, const char* title, int iconKind, const char* text,
                  TButtonDescriptor* const* buttons, bool withCheck);
// The same with the answers kept in another store's "WithoutStereotype" section (borrowed).
int RunMessageBox(HWND owner, const char* key, const char* title, int iconKind, const char* text,
                  TButtonDescriptor* const* buttons, bool withCheck, const TRegistryStore* answerStore);

// An information notice with one OK button ("OK_ICON"); the identifier of the answer.
int ShowNotice(HWND owner, const char* key, const char* text, bool withCheck);

// The "Can_not_open_logfile" box of the execution log: OK goes on, Cancel stops.
bool ReportCannotOpenLogBox(const char* path);
