#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite.
#   ./test.sh             Release tree in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer tree in
#                         build-asan/, then ThreadSanitizer over the threaded
#                         core tests in build-tsan/
# The plain run also builds the web edition in build-web/ and checks it in
# headless Chromium and Firefox, with a sound server of its own.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/prepare.sh
if [ "${1:-}" = "--sanitize" ]; then
    tessaline_install_missing clang libclang-rt-14-dev locales
else
    # The install check validates the desktop entry and the AppStream data.
    # shellcheck disable=SC2046
    tessaline_install_missing appstream desktop-file-utils "${tessaline_web_packages[@]}" $(tessaline_web_test_packages)
fi
tessaline_german_locale

jobs=$(nproc)
if [ "${1:-}" = "--sanitize" ]; then
    # Typed text and shown numbers: a bounded libFuzzer run over the helpers.
    mkdir -p build-fuzz
    clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        tests/fuzz/fuzz_number_format.cpp model/number_format.cpp model/typed_number.cpp model/numeric.cpp -o build-fuzz/fuzz_number_format
    ./build-fuzz/fuzz_number_format -runs=200000 -seed=1 -max_len=64 2>&1 | tail -n 2
    # Lesson files and links: the reader, from a saved lesson and its words.
    clang++ -std=c++20 -O1 -g -I. -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        tests/fuzz/fuzz_lesson.cpp formats/json_reader.cpp formats/json_writer.cpp controls/lesson_file.cpp formats/base64url.cpp \
        controls/value_ranges.cpp model/typed_number.cpp model/file_numbers.cpp model/numeric.cpp language/catalog.cpp -o build-fuzz/fuzz_lesson
    rm -rf build-fuzz/lesson_corpus && mkdir -p build-fuzz/lesson_corpus
    cp tests/fuzz/sample.tessaline build-fuzz/lesson_corpus/
    ./build-fuzz/fuzz_lesson -runs=200000 -seed=1 -max_len=2048 -dict=tests/fuzz/lesson.dict \
        build-fuzz/lesson_corpus 2>&1 | tail -n 2

    # GCC's "undefined" leaves out float-to-int conversions: ask for them too,
    # so a typed or wheeled extreme that overflows an int is caught.
    san="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
    # -O1 with line tables only: readable reports, and a build that fits CI's time.
    tessaline_build build-asan -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" -DTESSALINE_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san"
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    (cd build-asan && ctest --output-on-failure -j"$jobs" --timeout 600)

    tsan="-fsanitize=thread -fno-omit-frame-pointer"
    tessaline_build build-tsan -DTESSALINE_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
        -DCMAKE_CXX_FLAGS="$tsan" -DCMAKE_EXE_LINKER_FLAGS="$tsan"
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
    (cd build-tsan && ctest --output-on-failure -j"$jobs" --timeout 600 -R 'Threaded')

else
    tessaline_sound_server
    (cd web/tests && npm ci --no-audit --no-fund --loglevel=error)
    tessaline_build_web build-web
    tessaline_build build -DCMAKE_BUILD_TYPE=Release -DTESSALINE_WEB_DIR="$PWD/build-web/site"
    (cd build && ctest --output-on-failure -j"$jobs" --timeout 600)
fi
