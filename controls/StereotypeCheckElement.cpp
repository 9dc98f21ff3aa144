// TStereotypeCheckElement: reading the remembered answer, answering unseen, and storing the new one.
#include "controls/StereotypeCheckElement.h"

#include "foundation/GlobalStores.h"
#include "foundation/RegistrySection.h"
#include "foundation/SystemChecks.h"
#include "framework/Shape.h"

namespace {

const char answersSection[] = "WithoutStereotype";
const int cancelCommand = IDCANCEL;

// Only a push button ends the box; an answer that names its text or its check box would
// leave the box hidden and waiting for ever.
bool IsPushButton(HWND window)
{
    char name[32] = "";
    if (!window || GetClassNameA(window, name, sizeof name) == 0) return false;
    if (lstrcmpiA(name, "TransparentPushButton") == 0) return true;
    const LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

} // namespace

TStereotypeCheckElement::TStereotypeCheckElement(const char* messageKey)
    : TCheckBoxElement(DockBottom, "次回からこのメッセージを表示しない(&WITHOUTSTEREOTYPEMESSAGE&)", false),
      shiftDown(0), storedAnswer(0), answerStore(nullptr)
{
    alignment = AlignRightCentred;
    name = messageKey;
}

TStereotypeCheckElement::~TStereotypeCheckElement() = default;

void TStereotypeCheckElement::Save(TRegistryStore&) {}
void TStereotypeCheckElement::Load(TRegistryStore&) {}

const TRegistryStore& TStereotypeCheckElement::Answers() const
{
    return answerStore ? *answerStore : ApplicationStore();
}

void TStereotypeCheckElement::ReadStoredAnswer()
{
    TRegistrySection answers(Answers(), answersSection, OpenExisting);
    DWORD value = 0;
    storedAnswer = answers.Store().ReadDword(name, value) == ERROR_SUCCESS ? static_cast<int>(value) : 0;
}

SIZE TStereotypeCheckElement::Measure(TShape* shape, HDC dc)
{
    if (name.IsEmpty() && shape) name = shape->PlacementName();
    ReadStoredAnswer();
    checked = storedAnswer != 0;
    shiftDown = IsKeyDown(VK_SHIFT) ? 1 : 0;
    if (checked && !shiftDown && shape) shape->SetShowAtSetup(false);
    return TCheckBoxElement::Measure(shape, dc);
}

// A remembered answer presses its button while the shape is still hidden. An answer that no
// button of this box carries (a box whose buttons changed) would leave an invisible box
// waiting for ever, so the box is shown instead.
void TStereotypeCheckElement::Place(TShape* shape, int x, int y)
{
    TCheckBoxElement::Place(shape, x, y);
    if (control.hwnd) SetWindowContextHelpId(control.hwnd, HelpId);
    HWND button = storedAnswer != 0 ? GetDlgItem(shape->Handle(), storedAnswer) : nullptr;
    if (IsPushButton(button) && !shiftDown) {
        PostMessageA(shape->Handle(), WM_COMMAND, MAKEWPARAM(storedAnswer & 0xFFFF, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        return;
    }
    if (storedAnswer != 0 && !shiftDown) shape->SetShowAtSetup(true);
    if (shape) shape->RequestHelpMenu();
}

// Cancel is never remembered, and an answer already stored stays as it was.
void TStereotypeCheckElement::Ended(int resultCode)
{
    TCheckBoxElement::Ended(resultCode);
    if (name.IsEmpty()) return;
    if (checked && resultCode == cancelCommand) return;
    TRegistrySection answers(Answers(), answersSection);
    answers.Store().WriteDword(name, checked ? static_cast<DWORD>(resultCode) : 0);
}
