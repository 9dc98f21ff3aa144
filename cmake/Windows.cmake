# The Windows build: the Vantry library as one static library per subsystem folder,
# kelvane.exe, and the unit and end-to-end test executables that ctest runs under Wine.
enable_language(RC)

add_compile_options(-Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP932)
add_compile_definitions(STRICT WIN32_LEAN_AND_MEAN _WIN32_IE=0x0600 _WIN32_WINNT=0x0600 WINVER=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++)
# windres reads the UTF-8 resource script itself (it starts with #pragma code_page(65001)).
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# vantry_library(NAME folder [dependencies...]): every .cpp of the folder.
function(vantry_library name folder)
    file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    list(FILTER sources EXCLUDE REGEX "/WinMain\\.cpp$")
    if(NOT sources)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

set(VANTRY_SYSTEM_LIBRARIES ole32 oleaut32 uuid shell32 comctl32 comdlg32 winmm gdi32 user32 advapi32 kernel32 version)
vantry_library(vantry_foundation foundation ${VANTRY_SYSTEM_LIBRARIES})
foreach(layer framework controls filelists)
    set(deps vantry_foundation)
    foreach(lower framework controls)
        if(TARGET vantry_${lower} AND NOT lower STREQUAL layer)
            list(APPEND deps vantry_${lower})
        endif()
    endforeach()
    vantry_library(vantry_${layer} ${layer} ${deps})
endforeach()

set(VANTRY_LIBRARIES)
foreach(layer filelists controls framework foundation)
    if(TARGET vantry_${layer})
        list(APPEND VANTRY_LIBRARIES vantry_${layer})
    endif()
endforeach()

# WinMain would not be pulled out of a static library, so programs link it as an object.
add_library(vantry_winmain OBJECT ${PROJECT_SOURCE_DIR}/foundation/WinMain.cpp)
target_include_directories(vantry_winmain PRIVATE ${PROJECT_SOURCE_DIR})

file(GLOB app_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*.cpp)
file(GLOB rc_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.rc)
add_executable(kelvane WIN32 ${app_sources} ${rc_sources})
target_link_libraries(kelvane PRIVATE vantry_winmain ${VANTRY_LIBRARIES})
set_target_properties(kelvane PROPERTIES OUTPUT_NAME kelvane)

include(cmake/WindowsTests.cmake)
