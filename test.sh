#!/usr/bin/env bash
# Installs what is missing, builds, runs every test; then builds again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests once more.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
install_missing_packages

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== build"
build_tree build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== build with sanitizers"
build_tree build-asan -DCMAKE_BUILD_TYPE=Debug -DPARVIX_SANITIZE=ON
echo "== tests with sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
