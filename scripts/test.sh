#!/usr/bin/env bash
# Builds Mienzo and runs every test twice: a plain optimised build, then a
# build with AddressSanitizer and UndefinedBehaviorSanitizer; then the tests
# that run threads under ThreadSanitizer, and every fuzz target over its
# seeds. Installs what it needs first. Exits non-zero on any build error,
# warning or failed test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"

bash "$root/scripts/setup.sh"

run_suite() {
  local dir="$1"
  shift
  cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" >/dev/null
  cmake --build "$root/$dir" --parallel "$jobs"
  ctest --test-dir "$root/$dir" --output-on-failure --parallel "$jobs" --timeout 300
}

echo "== tests (RelWithDebInfo)"
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo

echo "== tests (AddressSanitizer + UndefinedBehaviorSanitizer)"
# Large failed requests must come back as null so the runtime can report them.
export ASAN_OPTIONS="allocator_may_return_null=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DMIENZO_SANITIZE=ON -DMIENZO_BUILD_BENCH=OFF

echo "== threaded tests (ThreadSanitizer)"
# The test programs whose code runs threads: the GIF animation thread,
# messages and waits across threads, thread timers, sound played
# asynchronously, the editor's watchdog. Death tests fork, which ThreadSanitizer
# does not follow; the other builds run them.
tsan_targets=(platform_kernel_tests platform_user_tests platform_display_tests
  platform_media_tests runtime_core_tests runtime_units_picbox_tests
  runtime_units_window_tests app_e2e_tests)
cmake -S "$root" -B "$root/build-tsan" -G Ninja -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIENZO_THREAD_SANITIZER=ON -DMIENZO_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-tsan" --parallel "$jobs" --target "${tsan_targets[@]}"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:allocator_may_return_null=1:suppressions=$root/scripts/tsan.supp"
for target in "${tsan_targets[@]}"; do
  binary="$(find "$root/build-tsan" -name "$target" -type f -perm -u+x | head -n 1)"
  filter='-*DeathTest*'
  # Of the editor's tests only the one that runs the real loop has a thread.
  [[ "$target" == app_e2e_tests ]] && filter='EditorTest.*Esc*'
  "$binary" --gtest_brief=1 --gtest_filter="$filter" | tail -n 3
  echo "$target: no data races"
done

echo "== fuzz targets over their seed corpora (clang, libFuzzer, ASan + UBSan)"
# Each target runs every seed once (-runs=0): a seed that crashes, leaks,
# trips a sanitizer or makes a single allocation over 256 MB (the picture
# targets cap pictures at 16 MB) fails the run. Campaigns are run by hand
# (docs/testing.md).
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIENZO_BUILD_FUZZ=ON -DMIENZO_SANITIZE=ON \
  -DMIENZO_BUILD_TESTS=OFF -DMIENZO_BUILD_BENCH=OFF >/dev/null
fuzz_targets=(text_fuzz picture_fuzz bmp_fuzz gif_fuzz pcx_fuzz jpeg_fuzz png_fuzz icon_fuzz template_fuzz)
cmake --build "$root/build-fuzz" --parallel "$jobs" --target "${fuzz_targets[@]}"
for target in "${fuzz_targets[@]}"; do
  case "$target" in
    text_fuzz) corpus=("$root/fuzz/corpus/text") ;;
    template_fuzz) corpus=("$root/fuzz/corpus/template") ;;
    picture_fuzz) corpus=("$root"/fuzz/corpus/pictures/*/) ;;
    *) corpus=("$root/fuzz/corpus/pictures/${target%_fuzz}") ;;
  esac
  "$root/build-fuzz/fuzz/$target" -runs=0 -malloc_limit_mb=256 "${corpus[@]}" 2>&1 | tail -n 2
  echo "$target: every seed ran"
done
