# Cross-builds the Qt-free part of Vexmoor for 64-bit Windows with Debian's
# MinGW-w64 compiler (package g++-mingw-w64-x86-64-posix). The POSIX thread
# flavour is the one whose C++ runtime has std::thread.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DVEXMOOR_VIEWS=OFF
#
# Programs are linked statically, so they run under Wine or on Windows without
# the compiler's runtime libraries beside them; tests and test discovery run
# through Wine when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXMOOR_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${VEXMOOR_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VEXMOOR_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VEXMOOR_MINGW_TRIPLE}-windres)

# Header-only libraries from Debian's packages (nlohmann-json3-dev) serve any
# target, but they live under the build machine's /usr, outside the find
# root, and that /usr/include as a whole must stay out of a MinGW build: its
# C library headers are not MinGW's. A folder in the build tree shows the
# find just these packages, their CMake files and their headers.
set(VEXMOOR_HOST_HEADERS "${CMAKE_BINARY_DIR}/host-header-libraries")
foreach(shared usr/include/nlohmann usr/share/cmake/nlohmann_json)
  if(EXISTS "/${shared}" AND NOT EXISTS "${VEXMOOR_HOST_HEADERS}/${shared}")
    get_filename_component(parent "${VEXMOOR_HOST_HEADERS}/${shared}" DIRECTORY)
    file(MAKE_DIRECTORY "${parent}")
    file(CREATE_LINK "/${shared}" "${VEXMOOR_HOST_HEADERS}/${shared}" SYMBOLIC)
  endif()
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${VEXMOOR_MINGW_TRIPLE} "${VEXMOOR_HOST_HEADERS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the tests; Debian's `wine` picks the 64-bit loader for 64-bit programs.
find_program(VEXMOOR_WINE NAMES wine wine64)
if(VEXMOOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXMOOR_WINE})
endif()
