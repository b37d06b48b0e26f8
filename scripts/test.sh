#!/usr/bin/env bash
# The project's test command: installs what is missing (scripts/setup.sh), then builds and
# tests every tree under build/:
#   native   the neutral code and its unit tests (and the benchmarks, built only)
#   asan     the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz     the libFuzzer targets (clang), each a short smoke run over its corpus
#   win64    the x86_64 Windows programs: unit tests, Win32-layer tests and the end-to-end
#            tests of Orvane.scr, all under Wine
#   win32    the same for the i686 build
#   package  scripts/package.sh (the Release builds, stripped) and scripts/check_package.py:
#            dist/Orvane-<version>-win64.zip and -win32.zip, each with Orvane.scr of the
#            right architecture under 2 MB with its icon, version and manifest
# Ends with a summary and a last line "N passed, M failed" over all trees; exits non-zero
# when any tree failed to configure, build or pass.
#
#   bash scripts/test.sh [TREE...]     only the named trees (default: all five and package)
# JOBS sets the build and test parallelism (default 2).
set -uo pipefail

# One compound command, read whole before it runs: editing or checking out this file while
# it runs cannot change the run.
{
cd "$(dirname -- "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
jobs=${JOBS:-2}
started=$(date +%s)

trees=("$@")
[[ ${#trees[@]} -gt 0 ]] || trees=(native asan fuzz win64 win32 package)
package=0
if [[ " ${trees[*]} " == *" package "* ]]; then
  package=1
  for i in "${!trees[@]}"; do [[ ${trees[$i]} == package ]] && unset 'trees[i]'; done
  trees=("${trees[@]}")
fi

declare -A tree_flags=(
  [native]=""
  [asan]="-DORVANE_SANITIZE=ON"
  [fuzz]="-DORVANE_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++"
  [win64]="-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-x86_64.cmake"
  [win32]="-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-i686.cmake"
)
for tree in "${trees[@]}"; do
  [[ -v tree_flags[$tree] ]] || { echo "test.sh: unknown tree '$tree'" >&2; exit 2; }
done

echo "== set-up"
if ! bash scripts/setup.sh </dev/null; then
  echo "test.sh: set-up failed" >&2
  echo "0 passed, 1 failed"
  exit 1
fi

# Compiler cache: a second run, or a fresh clone on the same machine, rebuilds in a fraction
# of the time. Paths below the checkout are hashed relative to it, so clones share entries.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

total_passed=0
total_failed=0
failed_trees=()
summary=()

stop_wine() {  # the tree's display and wineserver, whatever state ctest left them in
  [[ -f $1/CMakeCache.txt ]] || return 0
  ORVANE_WINE_ROOT=$1 bash cmake/wine-run.sh --stop >/dev/null 2>&1 </dev/null || true
}

for tree in "${trees[@]}"; do
  dir=$root/build/$tree
  t0=$(date +%s)
  echo
  echo "== $tree: configure and build ($dir)"
  mkdir -p "$dir"
  # shellcheck disable=SC2086  # the flags are words
  cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" ${tree_flags[$tree]} \
    </dev/null >"$dir/configure.log" 2>&1
  if ! grep -q "Build files have been written" "$dir/configure.log" 2>/dev/null; then
    tail -n 40 "$dir/configure.log"
    echo "== $tree: CONFIGURE FAILED"
    summary+=("$(printf '%-7s configure failed' "$tree")")
    failed_trees+=("$tree")
    total_failed=$((total_failed + 1))
    continue
  fi
  if ! cmake --build "$dir" -j "$jobs" </dev/null >"$dir/build.log" 2>&1; then
    grep -E -B2 -A12 'error|FAILED' "$dir/build.log" | head -n 80
    echo "== $tree: BUILD FAILED (full log: $dir/build.log)"
    summary+=("$(printf '%-7s build failed' "$tree")")
    failed_trees+=("$tree")
    total_failed=$((total_failed + 1))
    continue
  fi
  t1=$(date +%s)
  # Some kernels and sandboxes run no 32-bit x86 program at all (the loader itself fails
  # with "Exec format error"), so neither can Wine's 32-bit half: the tree is built, and
  # the summary says its tests did not run rather than counting Wine's refusal as failures.
  if [[ $tree == win32 ]] && { /lib/ld-linux.so.2 --version >/dev/null 2>&1; [[ $? -eq 126 ]]; }; then
    echo "== $tree: built in $((t1 - t0)) s; not tested: this machine cannot run 32-bit x86 programs"
    summary+=("$(printf '%-7s built, not tested: this machine runs no 32-bit x86 programs (build %4d s)' \
      "$tree" $((t1 - t0)))")
    continue
  fi
  echo "== $tree: built in $((t1 - t0)) s; testing"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure </dev/null 2>&1 | tee "$dir/ctest.log"
  ctest_rc=${PIPESTATUS[0]}
  [[ $tree == win* ]] && stop_wine "$dir"
  t2=$(date +%s)
  # "100% tests passed, 0 tests failed out of 14"
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$dir/ctest.log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=${BASH_REMATCH[1]}
    passed=$((BASH_REMATCH[2] - failed))
  else
    passed=0
    failed=1  # ctest ended without its verdict
  fi
  if [[ $ctest_rc -ne 0 && $failed -eq 0 ]]; then failed=1; fi
  if [[ $((passed + failed)) -eq 0 ]]; then failed=1; fi  # a tree without tests is broken
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  [[ $failed -eq 0 ]] || failed_trees+=("$tree")
  summary+=("$(printf '%-7s %3d passed, %d failed   (build %4d s, tests %4d s)' \
    "$tree" "$passed" "$failed" $((t1 - t0)) $((t2 - t1)))")
done

if [[ $package -eq 1 ]]; then
  t0=$(date +%s)
  echo
  echo "== package: scripts/package.sh, then scripts/check_package.py"
  if JOBS=$jobs bash scripts/package.sh </dev/null && python3 scripts/check_package.py </dev/null; then
    total_passed=$((total_passed + 1))
    verdict="1 passed, 0 failed"
  else
    total_failed=$((total_failed + 1))
    failed_trees+=(package)
    verdict="0 passed, 1 failed"
  fi
  summary+=("$(printf '%-7s %s   (%4d s)' package "$verdict" $(($(date +%s) - t0)))")
fi

elapsed=$(($(date +%s) - started))
echo
echo "== summary"
printf '  %s\n' "${summary[@]}"
printf '  total time %d min %02d s\n' $((elapsed / 60)) $((elapsed % 60))
if [[ ${#failed_trees[@]} -gt 0 ]]; then
  echo "  FAILED: ${failed_trees[*]}"
fi
echo "$total_passed passed, $total_failed failed"
[[ ${#failed_trees[@]} -eq 0 ]]
exit
}
