# Cross build for arm64 (aarch64) on a Debian x86_64 machine: Debian's cross compiler, the arm64
# libraries of the multiarch folders (dpkg --add-architecture arm64), and qemu-user in front of
# every arm64 program that the build or CTest runs. scripts/run-arm64-tests.sh installs all of it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The arm64 programs load their libraries (libstdc++, libpng, libjpeg, ...) from the multiarch
# folders of this machine, through the arm64 loader that libc6:arm64 installs.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 CACHE STRING "Runs an arm64 program on this machine")

# Libraries and packages only from the arm64 folders; programs (pkg-config, nm) from this machine.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
