#!/bin/sh
# Builds the smart engine's fuzz target with the core sources it needs,
# under AddressSanitizer and UndefinedBehaviorSanitizer.
#   fuzz/engine/build.sh            -> fuzz/engine/out/fuzz_engine
#   fuzz/engine/out/fuzz_engine -max_total_time=600 fuzz/engine/corpus
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$here/out"
mkdir -p "$out"
sources=$(ls "$root"/core/platform/*.cpp "$root"/core/settings/*.cpp "$root"/core/rename/*.cpp \
             "$root"/core/tags/*.cpp)
${CXX:-clang++} -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DTAGNOMEN_VERSION='"fuzz"' -I"$root/core" \
    "$here/fuzz_engine.cpp" $sources -o "$out/fuzz_engine"
echo "$out/fuzz_engine"
