# The code that makes no Win32 call of its own: it also builds natively, for sanitized
# tests and fuzzing. Paths are relative to the source root.
set(VANTRY_PORTABLE_SOURCES
    foundation/HeapString.cpp
    foundation/HeapStringList.cpp
    foundation/CharText.cpp
    foundation/StringOperations.cpp
    foundation/IdArray.cpp
    foundation/CommandLine.cpp
    foundation/Calendar.cpp
    foundation/CalendarText.cpp
    foundation/DateTime.cpp
    framework/AccessKeys.cpp
    foundation/Macros.cpp
    foundation/PathOperations.cpp
    foundation/CharacterWidth.cpp
    filelists/FileFilter.cpp
    app/PlayOrder.cpp
)

# Unit tests of that code; they build for Windows too.
set(VANTRY_PORTABLE_TESTS
    tests/foundation/HeapStringTest.cpp
    tests/foundation/HeapStringListTest.cpp
    tests/foundation/StringOperationsTest.cpp
    tests/foundation/CharTextTest.cpp
    tests/foundation/CommandLineTest.cpp
    tests/foundation/DateTimeTest.cpp
    tests/framework/AccessKeysTest.cpp
    tests/foundation/MacrosTest.cpp
    tests/foundation/PathOperationsTest.cpp
    tests/foundation/CharacterWidthTest.cpp
    tests/app/PlayOrderTest.cpp
)

# libFuzzer targets (native only): tests/fuzz/<name>.cpp with seeds in tests/fuzz/corpus/<name>/.
set(VANTRY_FUZZERS
    TextWalkersFuzzer
    CommandLineFuzzer
    DateFormatFuzzer
    AccessKeysFuzzer
    MacrosFuzzer
    PathOperationsFuzzer
    CharacterWidthFuzzer
    FileFilterFuzzer
)
