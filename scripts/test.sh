#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows flavour and runs
# every test: native unit tests, the same under ASan/UBSan, a short fuzzing run,
# the Windows tests (unit, window layer, end-to-end) under Wine, and the release
# archive packed from that Windows build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/install-deps.sh"
jobs=$(nproc)
build="$root/build"

step() { echo; echo "=== $* ==="; }

step "native build and tests"
cmake -S . -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" --timeout 300

step "native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B "$build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVEX_SANITIZE=ON -DORVEX_BENCH=OFF >/dev/null
cmake --build "$build/asan" -j "$jobs"
ctest --test-dir "$build/asan" --output-on-failure -j "$jobs" --timeout 600

if [ -d fuzz ] && [ -f fuzz/CMakeLists.txt ]; then
    step "fuzzing (clang, libFuzzer, fixed number of runs)"
    CXX=clang++ CC=clang cmake -S . -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DORVEX_FUZZ=ON -DORVEX_BENCH=OFF >/dev/null
    cmake --build "$build/fuzz" -j "$jobs" --target orvex_fuzz_targets
    "$root/scripts/run-fuzz.sh" "$build/fuzz"
fi

step "Windows build (MinGW-w64, x86_64, static)"
cmake -S . -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/windows" -j "$jobs"
"$root/scripts/check-imports.sh" "$build/windows"

step "Windows tests under Wine"
source "$root/scripts/wine-env.sh"
wine_env_setup "$build/windows"
trap wine_env_teardown EXIT
ctest --test-dir "$build/windows" --output-on-failure -j "$jobs" --timeout 600

step "release archive (packed from the Windows build above)"
"$root/tests/package/check_package.sh" "$build/windows"
echo
echo "All tests passed."
