// Message boxes: the message group, running a box, and the execution log's report through one.
#include "controls/MessageBox.h"

#include "controls/StereotypeCheckElement.h"
#include "foundation/StringOperations.h"
#include "framework/Shape.h"

namespace {

const int messageSpacing = 12;

} // namespace

TMessageGroup::TMessageGroup(int iconKind, const char* message)
    : TElementGroup(DockTop, AlignLeftCentred, messageSpacing, messageSpacing,
                    static_cast<TElement* const*>(nullptr)),
      text(message, DockLeft, AlignCentred)
{
    Append(&SystemIconElement(iconKind));
    Append(&text);
}

TMessageGroup::~TMessageGroup() = default;

int RunMessageBox(HWND owner, const char* key, const char* title, int iconKind, const char* text,
                  TButtonDescriptor* const* buttons, bool withCheck)
{
    return RunMessageBox(owner, key, title, iconKind, text, buttons, withCheck, nullptr);
}

int RunMessageBox(HWND owner, const char* key, const char* title, int iconKind, const char* text,
                  TButtonDescriptor* const* buttons, bool withCheck, const TRegistryStore* answerStore)
{
    TButtonRowElement row(DockBottom, buttons);
    TMessageGroup message(iconKind, text);
    TStereotypeCheckElement check(key);
    check.SetAnswerStore(answerStore);
    TElement* elements[] = {&row, &message, withCheck ? &check : nullptr, nullptr};
    return TShape::RunShape(owner, key, title, elements);
}

int ShowNotice(HWND owner, const char* key, const char* text, bool withCheck)
{
    TButtonDescriptor ok(IDOK, "OK", "OK_ICON");
    TButtonDescriptor* buttons[] = {&ok, nullptr};
    return RunMessageBox(owner, key, nullptr, IconAsterisk, text, buttons, withCheck);
}

bool ReportCannotOpenLogBox(const char* path)
{
    const THeapString text =
        Concat(Concat("ログファイル\r\n", path), "\r\n\r\nを開けませんでしたが、処理を続行します。");
    TOkCancelButtons choice;
    TButtonDescriptor* buttons[] = {&choice.ok, &choice.cancel, nullptr};
    return RunMessageBox(nullptr, "Can_not_open_logfile", nullptr, IconHand, text, buttons, false) != IDCANCEL;
}
