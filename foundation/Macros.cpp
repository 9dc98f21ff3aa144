// Macros: the macro table and the expansion walk, free of any registry call of its own.
#include "foundation/Macros.h"

#include <cstring>
#include <string>

#include "foundation/CharText.h"

namespace {

// Where a value is read: a predefined root, a key path below it and a value name.
struct TMacroPlace {
    int root;
    const char* keyPath;
    const char* valueName;
};

// The table's place is the one older systems fill; on later ones the same fact lives
// elsewhere, which is read only when the first place yields nothing.
struct TMacro {
    const char* name;
    TMacroPlace place;
    TMacroPlace laterPlace; // keyPath null: there is no other place
};

const char versionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char ntVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char networkKey[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
const TMacroPlace nowhere = {MacroRootLocalMachine, nullptr, nullptr};

// Tried in this order, each compared over its own length.
const TMacro macros[] = {
    {"%iuser%", {MacroRootLocalMachine, versionKey, "RegisteredOwner"},
     {MacroRootLocalMachine, ntVersionKey, "RegisteredOwner"}},
    {"%iorg%", {MacroRootLocalMachine, versionKey, "RegisteredOrganization"},
     {MacroRootLocalMachine, ntVersionKey, "RegisteredOrganization"}},
    {"%iprdid%", {MacroRootLocalMachine, versionKey, "ProductId"}, {MacroRootLocalMachine, ntVersionKey, "ProductId"}},
    {"%iprdnm%", {MacroRootLocalMachine, versionKey, "ProductName"},
     {MacroRootLocalMachine, ntVersionKey, "ProductName"}},
    {"%iver%", {MacroRootLocalMachine, versionKey, "Version"}, nowhere},
    {"%ivern%", {MacroRootLocalMachine, versionKey, "VersionNumber"}, nowhere},
    {"%ivers%", {MacroRootLocalMachine, versionKey, "SubVersionNumber"}, nowhere},
    {"%nwkg%", {MacroRootLocalMachine, networkKey, "Workgroup"}, nowhere},
    {"%ncpu%", {MacroRootLocalMachine, networkKey, "ComputerName"},
     {MacroRootLocalMachine, "System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName"}},
    {"%ncpuc%", {MacroRootLocalMachine, networkKey, "Comment"},
     {MacroRootLocalMachine, "System\\CurrentControlSet\\Services\\LanmanServer\\Parameters", "srvcomment"}},
    {"%nuser%", {MacroRootLocalMachine, "Network\\Logon", "username"},
     {MacroRootCurrentUser, "Volatile Environment", "USERNAME"}},
};

const char percentMacro[] = "%%%";

const TMacro* FindMacro(const char* at)
{
    for (const TMacro& macro : macros) {
        if (std::strncmp(at, macro.name, std::strlen(macro.name)) == 0) return &macro;
    }
    return nullptr;
}

THeapString MacroValue(const TMacro& macro, TMacroSource& source)
{
    THeapString value = source.ReadText(macro.place.root, macro.place.keyPath, macro.place.valueName);
    if (value.IsEmpty() && macro.laterPlace.keyPath) {
        value = source.ReadText(macro.laterPlace.root, macro.laterPlace.keyPath, macro.laterPlace.valueName);
    }
    return value;
}

// Bytes from the "%" at `position` that are copied unchanged: up to and including the
// next "%", or the lone "%" when there is none.
int UnknownMacroLength(const char* text, int length, int position)
{
    for (int next = position + 1; next < length; next += CharLength(length - next, text + next)) {
        if (text[next] == '%') return next - position + 1;
    }
    return 1;
}

} // namespace

TMacroSource::~TMacroSource() = default;

THeapString ExpandMacros(const char* text, TMacroSource& source)
{
    const char* input = text ? text : "";
    const int length = static_cast<int>(std::strlen(input));
    std::string result;
    int literal = 0; // start of the literal text not yet copied
    int position = 0;
    while (position < length) {
        if (input[position] != '%') {
            position += CharLength(length - position, input + position);
            continue;
        }
        const TMacro* macro = FindMacro(input + position);
        const bool percent = !macro && std::strncmp(input + position, percentMacro, sizeof percentMacro - 1) == 0;
        if (!macro && !percent) {
            position += UnknownMacroLength(input, length, position); // copied with the literal text
            continue;
        }
        result.append(input + literal, static_cast<size_t>(position - literal));
        if (macro) {
            result += MacroValue(*macro, source).Text();
            position += static_cast<int>(std::strlen(macro->name));
        } else {
            result += '%';
            position += static_cast<int>(sizeof percentMacro - 1);
        }
        literal = position;
    }
    result.append(input + literal, static_cast<size_t>(length - literal));
    return THeapString(result.c_str());
}

THeapString ExpandAll(const char* text, const TDate& date, const TTime& time, TMacroSource& source)
{
    const THeapString timed = FormatTime(time, text, false);
    const THeapString dated = FormatDate(timed, date.year, date.month, date.day, false);
    return ExpandMacros(dated, source);
}
