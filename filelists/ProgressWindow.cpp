// TProgressWindow: the progress windows' elements, the scan's Pause/Resume/Stop and closing.
#include "filelists/ProgressWindow.h"

#include "controls/ButtonRowElement.h"
#include "controls/ElementGroup.h"
#include "controls/IconPictureElement.h"
#include "controls/ProgressBarElement.h"
#include "controls/TextElement.h"
#include "foundation/IconCache.h"
#include "foundation/ShellFolders.h"
#include "foundation/StringOperations.h"
#include "framework/Shape.h"
#include "framework/ShapeLoops.h"

namespace {

const int largeIcon = 1;
const int barWidth = 288;
const int barHeight = 18;
const int messageSpacing = 12;
const int searchIconId = 134; // the shell's "searching" picture

// The scan's button column: Pause and Resume swap without ending the window; Stop ends it.
class TScanButtons : public TButtonRowElement {
public:
    TScanButtons(TShape& shape, TButtonDescriptor* const* buttons) : TButtonRowElement(DockRight, buttons), shape(shape) {}

    bool Command(int id, HWND window, int code) override
    {
        switch (id) {
        case TProgressWindow::PauseId:
            Swap(TProgressWindow::ResumeId, TProgressWindow::PauseId);
            return true;
        case TProgressWindow::ResumeId:
            Swap(TProgressWindow::PauseId, TProgressWindow::ResumeId);
            return true;
        case TProgressWindow::StopId:
            // The caller may have disabled its window for the scan; it must be usable once we go.
            if (shape.owner && IsWindow(shape.owner)) EnableWindow(shape.owner, TRUE);
            return TButtonRowElement::Command(id, window, code);
        default:
            return TButtonRowElement::Command(id, window, code);
        }
    }

private:
    void Swap(int enabledId, int disabledId)
    {
        HWND enabled = GetDlgItem(shape.Handle(), enabledId);
        HWND disabled = GetDlgItem(shape.Handle(), disabledId);
        if (enabled) EnableWindow(enabled, TRUE);
        if (enabled) SetFocus(enabled);
        if (disabled) EnableWindow(disabled, FALSE);
    }

    TShape& shape; // borrowed: the window's shape
};

HICON KindIcon(TProgressKind kind)
{
    if (kind == TProgressKind::FolderScan)
        return ModuleIcon(Concat(SystemDirectory(), "SHELL32.DLL"), -searchIconId)->Get(largeIcon);
    return IconByName("APPLICATION_ICON")->Get(largeIcon);
}

const char* KindText(TProgressKind kind)
{
    return kind == TProgressKind::FolderScan ? "ファイル探査中・・・" : "ファイルリスト追加中・・・";
}

} // namespace

struct TProgressWindow::TParts {
    TParts(HWND owner, TProgressKind kind, int range)
        : kind(kind), resume(ResumeId, "再開(&RETRY&)", "PLAY_ICON", -1, false),
          pause(PauseId, "一時停止(&PAUSE&)", "PAUSE_ICON"), stop(StopId, "中断(&STOP&)", "STOP_ICON"),
          buttonList{&resume, &pause, &stop, nullptr}, buttons(shape, buttonList), icon(KindIcon(kind)),
          text(KindText(kind), DockLeft, AlignCentred),
          message(DockTop, AlignLeftCentred, messageSpacing, messageSpacing, static_cast<TElement* const*>(nullptr)),
          bar(DockBottom, AlignCentred, barWidth, barHeight), shape(owner, static_cast<const char*>(nullptr))
    {
        message.Append(&icon);
        message.Append(&text);
        bar.range = range > 0 ? range : 1;
        bar.suppressErase = 1;
        shape.SetPlacement(nullptr, "ProgressShape");
        if (kind == TProgressKind::FolderScan) shape.RootGroup().Append(&buttons);
        else shape.SetClosable(false);
        shape.RootGroup().Append(&message);
        shape.RootGroup().Append(&bar);
    }

    TProgressKind kind;
    TButtonDescriptor resume;
    TButtonDescriptor pause;
    TButtonDescriptor stop;
    TButtonDescriptor* buttonList[4];
    TScanButtons buttons;
    TIconPictureElement icon;
    TTextElement text;
    TElementGroup message;
    TProgressBarElement bar;
    TShape shape; // last, so its window goes before the elements it shows
};

TProgressWindow::TProgressWindow(HWND owner, TProgressKind kind, int range)
    : parts(std::make_unique<TParts>(owner, kind, range))
{
}

TProgressWindow::~TProgressWindow() = default;

void TProgressWindow::Show() { parts->shape.ShowModeless(NotificationCommand); }

void TProgressWindow::Close()
{
    TShape& shape = parts->shape;
    if (IsOpen()) {
        shape.EndShape(1);
        // A window that refuses to close within a few seconds is taken down all the same.
        for (int round = 0; IsOpen() && round < 100; ++round) {
            PumpPending();
            if (IsOpen()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        if (IsOpen()) DestroyWindow(shape.Handle());
    }
    // The window is gone; tear the shape down now rather than on some later message.
    if (shape.hwnd) {
        ForgetModelessShape(&shape);
        HWND former = shape.hwnd;
        shape.hwnd = nullptr;
        shape.Teardown(former);
    }
}

bool TProgressWindow::IsOpen() const
{
    const HWND window = parts->shape.Handle();
    return window && IsWindow(window);
}

bool TProgressWindow::IsPaused() const
{
    if (!IsOpen()) return false;
    HWND resume = GetDlgItem(parts->shape.Handle(), ResumeId);
    return resume && IsWindowEnabled(resume);
}

bool TProgressWindow::SetRange(int range)
{
    parts->bar.range = range > 0 ? range : 1;
    return parts->bar.Window() && parts->bar.Update(true);
}

int TProgressWindow::Range() const { return parts->bar.range; }

int TProgressWindow::Position() const { return parts->bar.current; }

bool TProgressWindow::Advance(int steps) { return SetPosition(parts->bar.current + steps); }

bool TProgressWindow::SetPosition(int position)
{
    parts->bar.current = position;
    return parts->bar.Window() && parts->bar.Update(false);
}

HWND TProgressWindow::Handle() const { return parts->shape.Handle(); }

TShape& TProgressWindow::Shape() { return parts->shape; }
