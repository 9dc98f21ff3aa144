// StartupShortcut: the path, writing and deleting the shortcut, and the two notices.
#include "app/StartupShortcut.h"

#include <shlobj.h>

#include "controls/MessageBox.h"
#include "foundation/CommandLine.h"
#include "foundation/ShellFolders.h"
#include "foundation/ShellLink.h"
#include "foundation/StringOperations.h"

const char ShortcutFileName[] = "Kelvane(システムトレイに常駐).lnk";
const char RestoreSwitch[] = "/restore";

namespace {

const char registerText[] = "ｼｽﾃﾑ起動時にKelvaneを起動する設定を行いました。\r\n"
                            "（解除するにはﾀｽｸﾄﾚｲ上のこのｱﾌﾟﾘｹｰｼｮﾝのｱｲｺﾝをｸﾘｯｸして現れる\r\n"
                            "　ﾎﾟｯﾌﾟｱｯﾌﾟﾒﾆｭｰの「終了」を選択してください。）";

// The user cannot cancel either action, so each notice has only OK.
void ShowNotice(HWND owner, const char* key, const char* text)
{
    TButtonDescriptor ok(IDOK, "OK", "OK_ICON");
    TButtonDescriptor* buttons[] = {&ok, nullptr};
    RunMessageBox(owner, key, nullptr, IconAsterisk, text, buttons, true);
}

THeapString UnregisterText()
{
    THeapString text = Concat("ｼｽﾃﾑ起動時にKelvaneを起動する設定を解除します。\r\n（再び \"", ProgramPath());
    return Concat(text, "\" を実行すれば再設定されます。）");
}

} // namespace

THeapString StartupShortcutPath()
{
    THeapString folder = SpecialFolderPath(CSIDL_STARTUP);
    return folder.IsEmpty() ? folder : Concat(folder, ShortcutFileName);
}

void RegisterAtLogon(HWND owner, const char* shortcutPath)
{
    if (shortcutPath && *shortcutPath) CreateShortcut(shortcutPath, ProgramPath(), RestoreSwitch, nullptr, 0);
    ShowNotice(owner, "Register", registerText);
}

void UnregisterAtLogon(HWND owner, const char* shortcutPath)
{
    ShowNotice(owner, "Unregister", UnregisterText());
    if (shortcutPath && *shortcutPath) DeleteFileA(shortcutPath);
}
