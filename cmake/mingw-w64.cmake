# Cross-builds Vexmoor for 64-bit Windows with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-x86-64-posix). The POSIX thread flavour is the one
# whose C++ runtime has std::thread.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The views need Qt for Windows, which Debian does not package:
# scripts/qt-windows builds it from Debian's source into ~/.cache/vexmoor and
# prints its folder. VEXMOOR_QT_WINDOWS names that folder; by default it is
# the newest one there. With -DVEXMOOR_VIEWS=OFF only the Qt-free part is
# built and no Qt is needed.
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

if(NOT VEXMOOR_QT_WINDOWS)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(vexmoor_cache "$ENV{XDG_CACHE_HOME}/vexmoor")
  else()
    set(vexmoor_cache "$ENV{HOME}/.cache/vexmoor")
  endif()
  # A folder counts once its build is complete, which its build notes say.
  file(GLOB vexmoor_qt_builds LIST_DIRECTORIES false "${vexmoor_cache}/qt6-mingw64-*/vexmoor-build.txt")
  set(vexmoor_newest "")
  foreach(notes IN LISTS vexmoor_qt_builds)
    if(NOT vexmoor_newest OR notes IS_NEWER_THAN vexmoor_newest)
      set(vexmoor_newest "${notes}")
    endif()
  endforeach()
  if(vexmoor_newest)
    get_filename_component(vexmoor_newest "${vexmoor_newest}" DIRECTORY)
  endif()
  set(VEXMOOR_QT_WINDOWS "${vexmoor_newest}" CACHE PATH "Qt for Windows, as scripts/qt-windows built it")
endif()
if(VEXMOOR_QT_WINDOWS)
  # As Qt's own toolchain file does: its folder is one more root, its
  # packages are found below it, and its code generators (moc, rcc, uic)
  # are the build machine's, Debian's Qt of the same version.
  list(PREPEND CMAKE_FIND_ROOT_PATH "${VEXMOOR_QT_WINDOWS}")
  list(PREPEND CMAKE_PREFIX_PATH "${VEXMOOR_QT_WINDOWS}/lib/cmake")
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine runs the tests; Debian's `wine` picks the 64-bit loader for 64-bit programs.
find_program(VEXMOOR_WINE NAMES wine wine64)
if(VEXMOOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXMOOR_WINE})
  if(VEXMOOR_QT_WINDOWS)
    # Wine looks for Qt's libraries along WINEPATH, Windows paths: drive Z
    # is the build machine's root.
    string(REPLACE "/" "\\" vexmoor_qt_libraries "Z:${VEXMOOR_QT_WINDOWS}/bin")
    find_program(VEXMOOR_ENV env REQUIRED)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXMOOR_ENV} "WINEPATH=${vexmoor_qt_libraries}" ${VEXMOOR_WINE})
  endif()
endif()
