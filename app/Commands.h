// The command identifiers of the main window: its buttons, the tray menus and the tray clicks.
#pragma once

enum TCommand {
    CommandOk = 1,
    CommandCancel = 2,
    CommandHelp = 9,
    CommandHelpAlso = 901, // accepted as Help; nothing in the program sends it
    CommandExit = 199,
    CommandSettings = 201,
    CommandPlay = 202,
    CommandPause = 203,    // accepted; no menu carries it
    CommandStop = 204,
    CommandPlayOrStop = 205, // what a left click on the tray icon posts
    CommandVersion = 905
};
