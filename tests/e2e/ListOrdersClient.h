// Orders posted to a running kelvane.exe's file list from inside its process, where a drop's
// HDROP has to live: the test library list_orders.dll is loaded there and posts them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One order of ListDrop or ListKey, in the library's line format.
std::vector<std::string> ListDrop(const std::vector<std::string>& paths);
std::vector<std::string> ListKey(int virtualKey);

// Posts the orders, in their order, to the program's file list; true once they are posted.
bool PostListOrders(HWND list, const std::vector<std::string>& orders);
