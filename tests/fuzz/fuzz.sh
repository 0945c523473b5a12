#!/usr/bin/env bash
# Builds the fuzz programs (the fuzz preset) and runs each for a short time
# from its corpus. Skipped (77) where clang or its libFuzzer is missing.
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v clang++ >/dev/null; then
    echo "skipped: no clang++ (Debian: apt-get install clang libclang-rt-14-dev)"
    exit 77
fi
if [ ! -f "$(clang++ -print-file-name="libclang_rt.fuzzer-$(uname -m).a")" ]; then
    echo "skipped: clang++ has no libFuzzer (Debian: apt-get install libclang-rt-14-dev)"
    exit 77
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
ctest --preset fuzz
