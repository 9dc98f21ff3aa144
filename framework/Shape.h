// TShape: the dialog-like top-level window filled with layout elements.
//
// Its members are defined by role:
//   framework/Shape.cpp          construction, the base behaviour of the virtual operations,
//                                services for elements, process-wide settings, ShapeOfWindow
//   framework/ShapeSetup.cpp     the create sequence and the setup steps: status bar, measuring
//                                and placing, help menu, first position; the dialog road's window
//   framework/ShapeLoops.cpp     running: ShowModal, ShowModeless, RunShape, EndShape, the close
//                                handling and the teardown; the registry of modeless shapes
//   framework/ShapeMessages.cpp  the window procedures and the routing table of messages
// How a window finds its shape is framework/WindowBinding; the window menu, placement and
// position are framework/SystemMenu, SystemCommands, Placement and ShapePosition.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "controls/ElementGroup.h"
#include "foundation/Handles.h"
#include "foundation/HeapString.h"
#include "foundation/RegistryStore.h"
#include "framework/KeyboardTable.h"
#include "framework/ShapeStatusText.h"
#include "framework/SnapTracker.h"
#include "framework/Window.h"

class TSystemIconElement; // controls/SystemIconElement.h
struct TShapeMenus;       // framework/SystemMenu.h
struct TShapeMenusRelease {
    void operator()(TShapeMenus* menus) const;
};

class TShape : public TWindow {
public:
    // None of these creates a window. A null title is the application's name; elements
    // (a null-terminated array or argument list) go to the root group and stay the caller's.
    TShape(HWND owner, const char* title);
    TShape(HWND owner, const char* title, TElement* const* elements);
    TShape(HWND owner, const char* title, TElement* first, ...);
    TShape(HWND owner, TElement* const* elements);
    TShape(HWND owner, TElement* first, ...);
    ~TShape() override;

    static const char* const ClassName; // "ShapeClass"
    static const DWORD WindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
    static const int FirstAutomaticId = 5000;
    static const UINT HelpMenuCommand = 9999;

    // The virtual operations, in slot order.
    virtual HWND Create();
    virtual bool PreTranslate(MSG* message);
    virtual void OnBeforeCreate();
    virtual void OnSetupDone();
    virtual bool CanClose();
    virtual void OnClosing();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSysCommand(UINT command, int x, int y);
    virtual int OnCommand(int id, HWND control, int code); // 0 handled, -1 not
    virtual bool OnNotify(int id, NMHDR* header);
    virtual void Spare();
    virtual void SaveValues(TRegistryStore& store);
    virtual void LoadValues(TRegistryStore& store);

    static LRESULT CALLBACK PreWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PreDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Runs the shape until its window is gone; the result code.
    int ShowModal();
    int ShowModal(const char* title);
    int ShowModal(TElement* const* elements);
    int ShowModal(const char* title, TElement* const* elements);
    int ShowModal(TElement* first, ...);
    int ShowModal(const char* title, TElement* first, ...);
    // Shows the shape and returns at once; closing it posts `command` to the owner.
    void ShowModeless(int command);
    void ShowModeless(int command, TElement* const* elements);
    void ShowModeless(int command, TElement* first, ...);
    void EndShape(int resultCode);

    // One-shot modal shapes with the default title (or the given one).
    static int RunShape(HWND owner, const char* placementName, TElement* const* elements);
    static int RunShape(HWND owner, const char* placementName, TElement* first, ...);
    static int RunShape(HWND owner, const char* placementName, const char* title, TElement* const* elements);
    static int RunShape(HWND owner, const char* placementName, const char* title, TElement* first, ...);

    HWND Handle() const { return hwnd; }
    const THeapString& Title() const { return title; }
    void SetTitle(const char* text);
    int ResultCode() const { return resultCode; }
    void SetResultCode(int code) { resultCode = code; }
    const THeapString& Name() const { return name; }
    void SetName(const char* text) { name = text; }
    TElementGroup& RootGroup() { return rootGroup; }
    HWND StatusBar() const { return statusBar; }
    int StatusBarId() const { return statusBarId; }
    void SetStatusBarId(int id) { statusBarId = id; automaticStatusBarId = id == -1; }
    void SetMargins(int horizontal, int vertical) { marginX = horizontal; marginY = vertical; }
    bool Closable() const { return closable; }
    void SetClosable(bool flag) { closable = flag; }
    void SetShowAtSetup(bool flag) { showAtSetup = flag; }
    void SetStopSoundOnClose(bool flag) { stopSoundOnClose = flag; }
    bool StopSoundOnClose() const { return stopSoundOnClose; }
    void SetPalette(HPALETTE newPalette) { palette = newPalette; }
    HPALETTE Palette() const { return palette; }
    void SetMenu(HMENU newMenu) { menu = newMenu; }
    TKeyboardTable& Keys() { return keys; }
    const THeapString& PlacementName() const { return placementName; }
    TRegistryStore* PlacementStore() const { return placementStore; }
    void SetPlacement(TRegistryStore* store, const char* valueName);
    HMENU HelpMenu() const { return helpMenu; }
    // Elements that carry context help ask for the help menu while the shape places them.
    void RequestHelpMenu() { helpMenuWanted = true; }
    // The owner-drawn objects of the system and help menus; made by the setup.
    std::unique_ptr<TShapeMenus, TShapeMenusRelease>& Menus() { return menus; }
    int NotificationCommand() const { return notificationCommand; }
    TSnapTracker& SnapTracker() { return snapTracker; }

    // For elements while the shape measures and places them.
    int NextControlId() { return ++nextControlId; }
    void RegisterCaption(THeapString* caption);
    bool KeysAssigned() const { return keysAssigned; }
    void AddShowHideListener(TSystemIconElement* element);
    void RemoveShowHideListener(TSystemIconElement* element);
    void NotifyShowHide(bool shown);

    // Run after the window is gone (or forced, with the window still there); the result code.
    int Teardown(HWND formerWindow);
    // The close handling of WM_CLOSE; false when CanClose kept the window.
    bool HandleClose();
    // The child with that control id (null: none).
    HWND ControlOfId(int id);

    // The shape whose settings change reloads the shared painters (null: every shape does).
    static void SetApplicationMainShape(TShape* shape);
    static TShape* ApplicationMainShape();
    // A floating list that takes the commands of every shape while it is open.
    static void SetCommandReceiver(TElement* receiver);
    static TElement* CommandReceiver();

protected:
    bool helpMenuWanted; // set in OnBeforeCreate, or by elements through RequestHelpMenu

private:
    friend struct TShapeMessages;
    void InitShape(const char* titleText);
    static int RunShapeWith(HWND owner, const char* placementName, const char* titleText, TElement* first,
                            va_list rest);
    void BeforeCreate();
    void RunCreateSequence();
    void Setup();
    void CreateStatusBar();
    void MeasureAndPlace();
    void FitClientSize(int width, int height);
    void CreateHelpMenu();
    void BindHelpKey();
    void ChooseFirstPosition();
    void AdoptDialogWindow();
    void ShowAtFirstPosition();
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& notHandled);
    int RunModal();

    THeapString name;          // subkey of SaveValues/LoadValues when not empty
    TElementGroup rootGroup;   // its children are borrowed
    bool ownerWasEnabled;
    HFONT font;                // borrowed: stock object
    int statusBarId;           // 0 none, -1 the next automatic id
    bool automaticStatusBarId; // the id is taken again at every setup
    TShapeStatusText statusText;
    THeapString title;
    int resultCode;
    HMENU menu;                // borrowed: given to CreateWindowExA
    TOwnedMenu helpMenu;       // destroyed by the teardown
    HWND helpWindow;           // borrowed: the window under the cursor at the last help menu
    HWND statusBar;            // borrowed: a child, destroyed with the shape
    HWND measuredControl = nullptr; // borrowed: the child ControlOfId found last
    TKeyboardTable keys;
    HPALETTE palette;          // borrowed
    int marginX; // at 96 DPI, as every length of the layout
    int marginY;
    bool closable;
    bool showAtSetup;
    bool keysAssigned;
    std::vector<THeapString*> captions; // borrowed: the elements' captions
    int nextControlId;
    bool stopSoundOnClose;
    std::vector<TSystemIconElement*> showHideListeners; // borrowed
    TRegistryStore* placementStore;           // borrowed; null means the application's "Serialize"
    THeapString placementName;
    int notificationCommand;                  // posted to the owner when a modeless shape closes
    bool dialogHosted;                        // runs in a system dialog (PreDlgProc)
    TOwnedIcon dialogSmallIcon;               // given to the hosting dialog by WM_SETICON
    TOwnedIcon dialogLargeIcon;
    TSnapTracker snapTracker;                 // snaps the window while the user moves it
    std::unique_ptr<TShapeMenus, TShapeMenusRelease> menus; // owned
};

// The shape that owns a window: the window's own "TShapeDlg" property, else its parent's.
TShape* ShapeOfWindow(HWND anyChildOrShape);
