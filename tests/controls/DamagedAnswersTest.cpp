// Remembered answers that are damaged or name no button of the box: the box is shown and asks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxDriver.h"
#include "controls/MessageBox.h"
#include "support/RegistryTestKey.h"

namespace {

struct TStoredValue {
    const char* what;
    DWORD type;
    std::string bytes;
};

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

} // namespace

TEST(DamagedAnswersTest, AnAnswerThatIsNoButtonOfTheBoxNeverKeepsItHidden)
{
    const std::vector<TStoredValue> damaged = {
        {"text \"1\"", REG_SZ, std::string("1", 2)},
        {"binary 1", REG_BINARY, Dword(IDOK)},
        {"two-byte number", REG_DWORD, std::string("\x01\x00", 2)},
        {"empty number", REG_DWORD, ""},
        {"1,023 bytes", REG_DWORD, Dword(IDOK) + std::string(1019, '\x01')},
        {"1,024 bytes", REG_DWORD, Dword(IDOK) + std::string(1020, '\x01')},
        {"4,096 bytes", REG_BINARY, Dword(IDOK) + std::string(4092, '\x01')},
        {"Help", REG_DWORD, Dword(9)},
        {"-1", REG_DWORD, Dword(0xFFFFFFFF)},
        // The box's own controls that are no buttons get automatic identifiers from 5001 on.
        {"5001", REG_DWORD, Dword(5001)},
        {"5002", REG_DWORD, Dword(5002)},
        {"5003", REG_DWORD, Dword(5003)},
        {"65537", REG_DWORD, Dword(0x10001)},
    };
    for (const TStoredValue& value : damaged) {
        TRegistryTestKey testKey;
        testKey.SetRaw("WithoutStereotype", "Damaged", value.type, value.bytes.data(),
                       static_cast<DWORD>(value.bytes.size()));
        TRegistryStore answers = testKey.Store();
        TOkCancelButtons choice;
        TButtonDescriptor* buttons[] = {&choice.ok, &choice.cancel, nullptr};
        TBoxDriver driver("Damaged", {[](HWND box) { TBoxDriver::Press(box, IDCANCEL); }});
        EXPECT_EQ(IDCANCEL, RunMessageBox(nullptr, "Damaged", "Damaged", IconExclamation, "?", buttons, true, &answers))
            << value.what;
        EXPECT_EQ(1, driver.shownCount) << value.what;
        EXPECT_FALSE(driver.timedOut) << value.what;
    }
}
