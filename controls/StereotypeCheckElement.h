// TStereotypeCheckElement: "do not show this message again", remembered per message key.
#pragma once

#include "controls/CheckBoxElement.h"

// The answers live in the section "WithoutStereotype" of the application store, one REG_DWORD
// per message key: 0 or none shows the box, any other value answers it unseen.
class TStereotypeCheckElement : public TCheckBoxElement {
public:
    // Docked at the bottom, right edge of its strip; the name is the message key (empty: the
    // shape's placement name, which is the same key).
    explicit TStereotypeCheckElement(const char* messageKey = nullptr);
    ~TStereotypeCheckElement() override;

    // The store whose "WithoutStereotype" section holds the answers (borrowed; null: the
    // application store).
    void SetAnswerStore(const TRegistryStore* store) { answerStore = store; }
    int StoredAnswer() const { return storedAnswer; }
    bool ShiftWasDown() const { return shiftDown != 0; }

    // The answers are not values of the shape's key.
    void Save(TRegistryStore& key) override;
    void Load(TRegistryStore& key) override;
    SIZE Measure(TShape* shape, HDC dc) override;
    void Place(TShape* shape, int x, int y) override;
    void Ended(int resultCode) override;

    static const int HelpId = 1001;

private:
    const TRegistryStore& Answers() const;
    void ReadStoredAnswer();

    unsigned char shiftDown;
    int storedAnswer; // 0 when nothing is stored
    const TRegistryStore* answerStore; // borrowed
};
