// TFileNameElement: a file-name combo with a browse button and the recent-file history shared in the library key.
#pragma once

#include <vector>

#include "controls/ButtonRowElement.h"
#include "filelists/ComboboxElement.h"
#include "foundation/HeapString.h"
#include "foundation/HeapStringList.h"
#include "framework/TransparentControls.h"

// Without a history name, the history is shared by every field of every program: the
// library key's "MRU" holds one subkey per extension ("." + lower-case extension) whose
// values are named by time stamp and field address and hold the confirmed file names.
class TFileNameElement : public TOwnerDrawComboboxElement {
public:
    // `filter`: the open-file dialog's block (description and pattern pairs, ending in an
    // empty string); it is copied.
    TFileNameElement(const char* fileName, const char* filter, const char* defaultExtension, const char* title);
    ~TFileNameElement() override;

    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    bool Command(int id, HWND window, int code) override;
    void Enable(bool enabled) override;
    void RefreshFromData() override;

    // Hides the combo's own: the field needs to know whether the history is its own.
    void SetHistoryName(const char* subkey)
    {
        TOwnerDrawComboboxElement::SetHistoryName(subkey);
        ownHistory = subkey && *subkey;
    }
    // The store whose key holds "MRU"; null (the default) is the library store.
    void SetHistoryStore(const TRegistryStore* store) { historyStore = store; }
    // Opens the open-file dialog; true when a file was chosen.
    bool Browse();
    // Remembers the current text in the shared history, then rebuilds it.
    void RememberShared();
    // Refills the history from the recent documents and the shared history of the filter's types.
    void RebuildShared();

    HWND ReferenceButton() const { return browse.control.hwnd; }
    const THeapStringList& FilterExtensions() const { return extensions; }

    static constexpr int MaxShared = 20;
    static constexpr int ComboWidth = 288;
    static constexpr int TextLimit = 260;

    // "bmp;jpg" style extensions of every pattern of a filter block, lower case, without
    // duplicates and without the all-files "*".
    static void ExtensionsOfFilter(const std::vector<char>& filter, THeapStringList& out);
    // The value name of a remembered file: local date, time with milliseconds, field address.
    static THeapString StampName(const void* field);

private:
    // The caption left of the combo, a transparent static.
    class TCaptionLabel : public TElement {
    public:
        TCaptionLabel();
        SIZE Measure(TShape* shape, HDC dc) override;
        void Place(TShape* shape, int x, int y) override;
        void Enable(bool enabled) override;

    private:
        THeapString caption;        // display text
        TTransparentControl record; // bound to the window; `record.hwnd` is a child of the shape
    };

    void IconFollowUp();
    const TRegistryStore& HistoryStore() const;

    TCaptionLabel label;
    std::vector<char> filter; // the copied filter block, double-NUL-terminated
    THeapStringList extensions;
    THeapString defaultExtension;
    THeapString title;
    TButtonDescriptor browse;
    TButtonRowElement buttonRow;
    bool ownHistory = false;     // a history name is set: the combo's own history
    unsigned char longNames = 0; // names are taken in their long form first (not for this field)
    const TRegistryStore* historyStore = nullptr; // borrowed; null: the library store
    SIZE comboSize{0, 0};
    SIZE rowSize{0, 0};
};
