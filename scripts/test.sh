#!/usr/bin/env bash
# Set-up, the format check, build and every test, in one go:
#   - a warnings-as-errors build with all tests, configured as the Debian
#     package is (Debian's flags and hardening, /usr, the program in games),
#     and its tests (the Qt ones on the offscreen platform);
#   - the engine, the driver and their tests built for Windows and run under
#     Wine, the golden driver scripts compared with Linux;
#   - the engine, the driver and their tests built with Emscripten and run
#     under Node, the golden driver scripts compared with Linux; the browser
#     game's site built and played in Debian's Chromium, headless;
#   - the system tests (the real program under Xvfb with a window manager,
#     driven by real X input), two at a time, each on an X server of its own;
#   - the game installed and played from a read-only tree under Xvfb; the
#     Debian package made by CPack from the same build, checked by lintian and
#     played the same way (skipped with KALVITOR_SKIP_PACKAGE=1);
#   - one build under AddressSanitizer + UBSan: all its tests, and a minute
#     of random play with its desktop game.
#   - the translators' files checked: every po/*.po passes msgfmt --check and
#     po/kalvitor.pot holds the sources' marked texts as they are now.
# The steps run side by side as soon as what they need is there (the builds
# at a lower priority than the tests beside them); each step's output is in
# build/logs/STEP.log, shown when the step ends; a table of the steps and
# their times closes the run.
#
# A step is a line `step NAME [--after STEP...] [--nice] -- COMMAND` below
# (scripts/steps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/steps.sh
jobs="$(nproc 2>/dev/null || echo 2)"

check_build() {
  KALVITOR_DEBUG_INFO=-g1 scripts/package.sh --configure build/check -DKALVITOR_TESTS=ON -DKALVITOR_TEST_FLAGS="-Og -g1"
  cmake --build build/check -j "$jobs"
}
sanitize_build() {
  # Line numbers are all a sanitizer's report needs of the debug information.
  cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DKALVITOR_WERROR=ON \
    -DKALVITOR_SANITIZE=ON -DKALVITOR_HEADER_CHECK=OFF -DKALVITOR_PRECOMPILED_HEADERS=ON >/dev/null
  cmake --build build/sanitize -j "$jobs"
}
sanitize_ctest() {
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan_suppressions.txt:print_suppressions=0" \
    ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
}

# The tests under X (system, install, install-deb, monkey) wait on real time
# and run at the normal priority; the builds and the other tests beside them
# at a lower one, the build the random play waits for first.
step setup -- bash -c 'scripts/setup.sh && scripts/web.sh --setup-only'
step format --after setup --nice 10 -- scripts/check_format.sh
step po --after setup --nice 10 -- scripts/po.sh --check
step build --after setup -- check_build
step ctest --after build --nice 10 -- ctest --test-dir build/check --output-on-failure -j "$jobs"
step system --after build -- env SYSTEM_JOBS=2 tests/system/run.sh build/check/game
step install --after build -- tests/install/install_test.sh build/check
if [[ "${KALVITOR_SKIP_PACKAGE:-0}" != 1 ]]; then
  step package --after build --nice 10 -- scripts/package.sh --built build/check
  step install-deb --after package -- bash -c 'tests/install/install_test.sh build/check build/check/kalvitor_*_amd64.deb'
fi
step windows-build --after setup --nice 15 -- scripts/windows_test.sh --build build/check/src/headless/kalvitor-headless
step windows --after windows-build build --nice 10 -- scripts/windows_test.sh --test
step asan-build --after setup --nice 5 -- sanitize_build
step asan-ctest --after asan-build --nice 10 -- sanitize_ctest
step web-driver-build --after setup --nice 15 -- scripts/web_driver_test.sh --build
step web-driver --after web-driver-build --nice 10 -- scripts/web_driver_test.sh --test
step web-site --after setup --nice 15 -- scripts/web.sh --build-only
step web-browser --after web-site build -- scripts/web_test.sh --browser
step monkey --after asan-build -- env MONKEY_SECONDS=60 tests/system/run.sh build/sanitize/game monkey
steps_wait
