#!/usr/bin/env bash
# make fuzz: the readers of typed text under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, for a bounded time (GLAZIER_FUZZ_SECONDS, 120 by default).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${GLAZIER_BUILD_DIR:-$root/build}/fuzz
seconds=${GLAZIER_FUZZ_SECONDS:-120}

if ! command -v clang++ >/dev/null 2>&1 || ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  if [[ $(id -u) -ne 0 ]]; then
    echo "make fuzz needs clang and libFuzzer: sudo apt-get install -y clang libclang-rt-dev" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends clang libclang-rt-dev 2>/dev/null ||
    apt-get install -y -q --no-install-recommends clang libclang-rt-14-dev
fi

mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I "$root" "$root/tests/fuzz/fuzz_readers.cpp" "$root/ops/opacity.cpp" "$root/ops/geometry.cpp" \
  -o "$out/fuzz_readers"
# A few seeds of the shapes users type.
printf '255' >"$out/corpus/opacity"
printf ' \t-2147483649xyz' >"$out/corpus/geometry"
printf '0255' >"$out/corpus/zeros"
"$out/fuzz_readers" -max_total_time="$seconds" -max_len=4096 "$out/corpus" 2>&1 |
  tee "$out/fuzz.log" | grep -E "^#[0-9]+ +(DONE|INITED)|ERROR|SUMMARY" || true
if grep -qE "ERROR|SUMMARY|deadly signal" "$out/fuzz.log"; then
  echo "fuzz: a fault was found; see $out/fuzz.log" >&2
  exit 1
fi
runs=$(grep -oE "Done [0-9]+ runs" "$out/fuzz.log" | tail -n 1)
echo "fuzz: ${runs:-no summary} in ${seconds} s without a fault (log: $out/fuzz.log)"
