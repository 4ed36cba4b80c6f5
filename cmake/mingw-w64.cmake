# SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-building the Qt-free model and the Windows backends with Debian's
# MinGW-w64 (the posix thread flavour, which has std::thread and std::mutex).
# Tests run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WC_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${WC_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WC_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${WC_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe each: no MinGW runtime DLLs to find beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 keeps its loader in Wine's library folder, not on PATH.
find_program(WC_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine NO_DEFAULT_PATH)
find_program(WC_WINE NAMES wine64 wine)
if(WC_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WC_WINE})
endif()
