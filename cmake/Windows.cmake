# The Windows build: the Vantry library as one static library per subsystem folder,
# kelvane.exe, and the unit and end-to-end test executables that ctest runs under Wine.
enable_language(RC)

# A build folder keeps the compiler it was first configured with.
if(NOT CMAKE_CXX_COMPILER MATCHES "-win32$")
    message(FATAL_ERROR "${CMAKE_BINARY_DIR} was configured with ${CMAKE_CXX_COMPILER}; the build needs the "
                        "win32-thread compiler of the toolchain file: remove the folder and build again")
endif()

add_compile_options(-Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP932)
# Windows XP's headers: a function of a later system does not compile, and is looked up at
# run time instead. Tests share the setting, so that the structures they hand to the library
# have the library's layout.
add_compile_definitions(STRICT WIN32_LEAN_AND_MEAN _WIN32_IE=0x0600 _WIN32_WINNT=0x0501 WINVER=0x0501)
add_link_options(-static -static-libgcc -static-libstdc++)
# The same sources give the same program wherever and whenever they are built: no link time
# in the headers, no build folder in what the compiler records.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
# Sections aligned to pages in the file: Wine maps such an image instead of reading all of it
# (debug information included) into private memory, which took some 6 MB per program.
add_link_options(-Wl,--file-alignment,0x1000)
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

set(VANTRY_SYSTEM_LIBRARIES ole32 oleaut32 uuid shell32 comctl32 winmm gdi32 user32 advapi32 kernel32 version)
vantry_library(vantry_foundation foundation ${VANTRY_SYSTEM_LIBRARIES})
foreach(layer framework controls filelists)
    vantry_library(vantry_${layer} ${layer} vantry_foundation)
endforeach()
# A shape owns its element tree and elements reach their shape, so framework and controls
# need each other: link them both ways once both exist (CMake repeats such static libraries).
foreach(layer framework controls filelists)
    foreach(lower framework controls)
        if(TARGET vantry_${layer} AND TARGET vantry_${lower} AND NOT lower STREQUAL layer)
            target_link_libraries(vantry_${layer} PUBLIC vantry_${lower})
        endif()
    endforeach()
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

# The application as a library too, so its tests link the very code the program runs;
# only the entry points stay in the program.
file(GLOB app_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*.cpp)
list(FILTER app_sources EXCLUDE REGEX "/KelvaneMain\\.cpp$")
add_library(kelvane_app STATIC ${app_sources})
target_include_directories(kelvane_app PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kelvane_app PUBLIC ${VANTRY_LIBRARIES})
file(GLOB rc_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.rc)
# The icons and the logo are made from the text pixel maps; the .rc finds them on its
# include path.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB pixmaps CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/pixmaps/*.txt)
set(resource_images)
foreach(pixmap ${pixmaps})
    get_filename_component(image ${pixmap} NAME)
    string(REGEX REPLACE "\\.bmp\\.txt$" ".bmp" image ${image})
    string(REGEX REPLACE "_ICON\\.txt$" "_ICON.ico" image ${image})
    if(image MATCHES "\\.(ico|bmp)$")
        list(APPEND resource_images ${CMAKE_BINARY_DIR}/resources/${image})
    endif()
endforeach()
add_custom_command(OUTPUT ${resource_images}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-resources.py
            ${PROJECT_SOURCE_DIR}/resources/pixmaps ${CMAKE_BINARY_DIR}/resources
    DEPENDS ${pixmaps} ${PROJECT_SOURCE_DIR}/scripts/make-resources.py
    COMMENT "Making icons and bitmaps from the pixel maps")
add_custom_target(kelvane_images DEPENDS ${resource_images})
set_source_files_properties(${rc_sources} PROPERTIES OBJECT_DEPENDS
                            "${resource_images};${PROJECT_SOURCE_DIR}/resources/kelvane.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I ${CMAKE_BINARY_DIR}/resources")

add_executable(kelvane WIN32 ${PROJECT_SOURCE_DIR}/app/KelvaneMain.cpp ${rc_sources})
add_dependencies(kelvane kelvane_images)
target_link_libraries(kelvane PRIVATE vantry_winmain kelvane_app)
set_target_properties(kelvane PROPERTIES OUTPUT_NAME kelvane)

# The help beside the program, written from its text source: the file that WinHelpA opens, and
# the same help as the page that opens in the browser where the system has no WinHelp.
set(KELVANE_HELP_FILE ${CMAKE_BINARY_DIR}/Kelvane.HLP)
set(KELVANE_HELP_PAGE ${CMAKE_BINARY_DIR}/Kelvane.html)
add_custom_command(OUTPUT ${KELVANE_HELP_FILE} ${KELVANE_HELP_PAGE}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-help.py
            ${PROJECT_SOURCE_DIR}/resources/help/Kelvane.help.txt ${KELVANE_HELP_FILE} ${KELVANE_HELP_PAGE}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/help/Kelvane.help.txt ${PROJECT_SOURCE_DIR}/scripts/make-help.py
    COMMENT "Writing the help file Kelvane.HLP and its page Kelvane.html")
add_custom_target(kelvane_help DEPENDS ${KELVANE_HELP_FILE} ${KELVANE_HELP_PAGE})
add_dependencies(kelvane kelvane_help)

# The demo play list that the run command starts with: tones made here, nothing downloaded.
set(KELVANE_DEMO_TONES tone-c5.wav tone-e5.wav tone-g5.wav tone-c6.wav)
list(TRANSFORM KELVANE_DEMO_TONES PREPEND ${CMAKE_BINARY_DIR}/demo/)
add_custom_command(OUTPUT ${KELVANE_DEMO_TONES}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/make-tones.py ${CMAKE_BINARY_DIR}/demo
    DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-tones.py
    COMMENT "Making the demo tones")
add_custom_target(kelvane_demo DEPENDS ${KELVANE_DEMO_TONES})
add_dependencies(kelvane kelvane_demo)

include(cmake/WindowsTests.cmake)
include(cmake/Bench.cmake)

# The background and control tests load the program's icons and logo from their own module.
foreach(resource_user foundation_tests framework_tests app_tests)
    if(TARGET ${resource_user})
        target_sources(${resource_user} PRIVATE ${rc_sources})
        add_dependencies(${resource_user} kelvane_images)
    endif()
endforeach()
