# Cross build for 32-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-i686).
#   cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
#         -DVELDRA_TESTS=OFF -DVELDRA_MANAGER=OFF -DVELDRA_TOOLS=OFF
# The -posix compilers: the default win32 thread model's libstdc++ has no std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_Fortran_COMPILER i686-w64-mingw32-gfortran)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic instead of the x87 unit, whose 80-bit intermediates would make the results
# differ from the 64-bit builds in the last digits.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_Fortran_FLAGS_INIT "-msse2 -mfpmath=sse")
# Self-contained programs and DLLs: the C++ run time, libgcc and winpthreads linked in, so
# that only the system's KERNEL32.dll and msvcrt.dll are needed.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
