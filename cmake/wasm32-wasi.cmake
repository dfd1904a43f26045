# Compiling the browser's module with Debian's clang-22 for WebAssembly, on
# Debian's WASI C library and libc++ (clang-22, lld-22, wasi-libc,
# libc++-22-dev-wasm32, libc++abi-22-dev-wasm32, libclang-rt-22-dev-wasm32).
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})  # Platform/WASI.cmake

# Debian's sysroot has wasm32-wasi folders and none for wasm32-wasip1, the
# name clang now prefers: keep the older triple and its deprecation warning
# quiet (the native builds still warn of anything deprecated in the code).
set(triple wasm32-wasi)
set(CMAKE_C_COMPILER clang-22)
set(CMAKE_CXX_COMPILER clang++-22)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_CXX_FLAGS_INIT "-Wno-deprecated -fno-exceptions -fno-rtti")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wno-deprecated")
# wasm objects, archived by the LLVM tools that read their symbols.
find_program(CMAKE_AR NAMES llvm-ar-22 llvm-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-22 llvm-ranlib REQUIRED)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
