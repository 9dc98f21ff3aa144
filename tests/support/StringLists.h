// String lists of the library turned into vectors a test compares, and made from literals.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "foundation/HeapStringList.h"

using TNames = std::vector<std::string>;

inline TNames Names(const THeapStringList& list)
{
    TNames names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Item(i).Text());
    return names;
}

inline THeapStringList ListOf(const TNames& names)
{
    THeapStringList list;
    for (const std::string& name : names) list.Append(name.c_str());
    return list;
}
