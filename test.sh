#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless:
# a normal build, the same suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the 32-bit Windows library's export table, the
# 32-bit library under a hostile caller's floating-point state, and
# short fuzzing runs.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_packages.sh

export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
jobs=$(nproc)

echo "== 32-bit Windows almanac.dll =="
cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DTAMARIE_ALMANAC_ONLY=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win32 -j "$jobs"
win32_dll="$PWD/build-win32/bin/almanac.dll"

echo "== 32-bit Linux almanac library (stands in for the DLL's arithmetic) =="
cmake -S . -B build-i386 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386.cmake \
  -DTAMARIE_ALMANAC_ONLY=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-i386 -j "$jobs"
i386_caller="$PWD/build-i386/bin/almanac_float_caller"
# A kernel built without 32-bit support cannot start it: user-mode emulation can.
i386_runner=""
i386_status=0
"$i386_caller" >/dev/null 2>&1 || i386_status=$?
[ "$i386_status" -ne 126 ] || i386_runner=qemu-i386

echo "== Build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DALMANAC_WIN32_DLL="$win32_dll" -DALMANAC_I386_CALLER="$i386_caller" -DALMANAC_I386_RUNNER="$i386_runner" >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest -j "$jobs" --timeout 300)

echo "== Debian package: build, install with apt, run from PATH, remove =="
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
desktop-file-validate packaging/tamarie.desktop
appstreamcli validate --no-net packaging/io.github.tamarie.Tamarie.metainfo.xml >/dev/null
rm -f build/tamarie_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/tamarie_*.deb)
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "./$deb" >/dev/null
trap '$sudo apt-get remove -y -qq tamarie >/dev/null' EXIT
# The leap sixth month of 2025 began on 25 July (赤口, its first day).
koyomi=$(cd / && tamarie-koyomi 2025-07)
grep -qP '^2025-07-25\t金\t\t閏6\t1\t赤口' <<<"$koyomi"
[ "$(command -v tamarie-koyomi)" = /usr/bin/tamarie-koyomi ]
man -w tamarie-koyomi >/dev/null
$sudo apt-get remove -y -qq tamarie >/dev/null
trap - EXIT
echo "$(basename "$deb") installed, ran and removed"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer =="
# Qt and fontconfig keep caches alive until exit; leaks are not what this run is for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMARIE_SANITIZE=ON \
  -DTAMARIE_BENCHMARKS=OFF -DALMANAC_WIN32_DLL="$win32_dll" >/dev/null
cmake --build build-asan -j "$jobs"
# The desktop suites drive the same program on a real X server, and the 32-bit
# caller is no sanitized program: the normal run has them.
(cd build-asan && ctest -j "$jobs" --timeout 600 -LE desktop)

if [ -f tests/fuzz/CMakeLists.txt ]; then
  echo "== Fuzzing (short runs) =="
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMARIE_FUZZ=ON -DTAMARIE_BENCHMARKS=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzz_all
  # Each input within 10 s and 2 GB (a hang or a runaway allocation fails the run).
  for f in build-fuzz/bin/fuzz_*; do
    echo "-- $(basename "$f")"
    "$f" -runs=20000 -max_total_time=30 -max_len=4096 -seed=1 -timeout=10 -rss_limit_mb=2048 2>&1 | tail -n 2
  done
fi
echo "All tests passed."
