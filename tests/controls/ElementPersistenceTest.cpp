// Save and load through a shape and its groups: named groups and shapes work in a subkey.
#include <gtest/gtest.h>

#include "foundation/RegistrySection.h"
#include "framework/TestElements.h"
#include "support/RegistryTestKey.h"

namespace {

// Writes its number under its name, and reads it back.
class TNumberElement : public TFixedElement {
public:
    TNumberElement(const char* valueName, DWORD number) : TFixedElement(10, 10), number(number)
    {
        name = valueName;
    }
    void Save(TRegistryStore& key) override { key.WriteDword(name, number); }
    void Load(TRegistryStore& key) override { key.ReadDword(name, number); }
    DWORD number;
};

} // namespace

TEST(ElementPersistenceTest, NamedShapesAndGroupsUseSubkeys)
{
    TRegistryTestKey testKey;
    TNumberElement outer("Outer", 1), inner("Inner", 2);
    TElementGroup group(&inner, nullptr);
    group.name = "Group";
    TShape shape(nullptr, "Values", &outer, &group, nullptr);
    shape.SetName("Dialog");
    {
        TRegistrySection root(testKey.Store(), "");
        shape.SaveValues(root.Store());
    }
    TRegistrySection dialog(testKey.Store(), "Dialog");
    DWORD value = 0;
    EXPECT_EQ(0, dialog.Store().ReadDword("Outer", value));
    EXPECT_EQ(1u, value);
    TRegistrySection groupKey(dialog, "Group");
    EXPECT_EQ(0, groupKey.Store().ReadDword("Inner", value));
    EXPECT_EQ(2u, value);
    EXPECT_NE(0, dialog.Store().ReadDword("Inner", value));

    outer.number = inner.number = 0;
    TRegistrySection root(testKey.Store(), "");
    shape.LoadValues(root.Store());
    EXPECT_EQ(1u, outer.number);
    EXPECT_EQ(2u, inner.number);
}
