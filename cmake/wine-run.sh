#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator CTest uses for every test program of a
# cross build, and the launcher of the end-to-end tests.
#
#   wine-run.sh PROGRAM [ARGS...]  run PROGRAM; its output is printed once it has ended and
#                                  its exit code is ours
#   wine-run.sh --env              bring the display and the prefix up; print DISPLAY=...,
#                                  WINEPREFIX=..., WINEDEBUG=..., WINEDLLOVERRIDES=... lines
#   wine-run.sh --stop             stop this tree's display and wineserver (waits for
#                                  programs still running)
#
# The tree: $ORVANE_WINE_ROOT, else the nearest folder above PROGRAM (or the current folder)
# that holds CMakeCache.txt. In it:
#   wineprefix/  the Wine prefix, made once (64-bit, with 32-bit support) under a lock
#   wine-run/    the private Xvfb's display number, process ids, locks and logs
# The display (Xvfb -displayfd, so never a fixed number) and a persistent wineserver are
# shared by all programs of the tree. They stop with --stop, or by themselves when no
# program has run for $ORVANE_WINE_IDLE seconds (default 300).
#
# ORVANE_WINEDEBUG replaces the default WINEDEBUG=-all (e.g. ORVANE_WINEDEBUG=+mci).
# ORVANE_WINE_OUTPUT names the file the program's output goes to while it runs.
# ORVANE_WINE_SCREEN sets the display's size when it starts (default 1024x768x24).
set -uo pipefail

readonly WINE64=/usr/lib/wine/wine64
readonly WINE32=/usr/lib/wine/wine
readonly IDLE=${ORVANE_WINE_IDLE:-300}

die() { echo "wine-run: $*" >&2; exit 125; }

find_root() {
  if [[ -n ${ORVANE_WINE_ROOT:-} ]]; then echo "$ORVANE_WINE_ROOT"; return; fi
  local dir
  for dir in "$(dirname -- "$1")" "$PWD"; do
    dir=$(cd -- "$dir" 2>/dev/null && pwd -P) || continue
    while [[ $dir != / ]]; do
      if [[ -f $dir/CMakeCache.txt ]]; then echo "$dir"; return; fi
      dir=$(dirname -- "$dir")
    done
  done
  echo "${TMPDIR:-/tmp}/orvane-wine-$(id -u)"
}

wineserver_bin() {
  if [[ -x /usr/lib/wine/wineserver64 ]]; then echo /usr/lib/wine/wineserver64
  elif [[ -x /usr/lib/wine/wineserver32 ]]; then echo /usr/lib/wine/wineserver32
  else command -v wineserver || die "no wineserver"
  fi
}

# The loader that matches the program's PE machine field: the 32-bit one for i386 programs,
# the 64-bit one otherwise (/usr/bin/wine prefers the 32-bit loader whenever wine32 is in).
loader_for() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 -- "$1" 2>/dev/null | tr -d ' ')
  [[ $offset =~ ^[0-9]+$ ]] || { echo "$WINE64"; return; }
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 -- "$1" 2>/dev/null | tr -d ' ')
  if [[ $machine == 014c && -x $WINE32 ]]; then echo "$WINE32"; else echo "$WINE64"; fi
}

alive() {  # alive PIDFILE WORD: the process in PIDFILE still runs and WORD is in its command line
  local pid
  pid=$(cat -- "$1" 2>/dev/null) || return 1
  [[ $pid =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null &&
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$2"
}

ROOT=
STATE=
PREFIX=
set_tree() {
  ROOT=$1
  STATE=$ROOT/wine-run
  PREFIX=$ROOT/wineprefix
  mkdir -p -- "$STATE" || die "cannot create $STATE"
}

wine_env() {
  # Wine turns file names and command lines into the Unix locale's character set: without a
  # UTF-8 locale (LANG unset, as on some CI machines) every name outside ASCII is lost.
  if [[ -z ${LC_ALL:-} && $(locale charmap 2>/dev/null) != UTF-8 ]]; then
    export LC_CTYPE=C.UTF-8
  fi
  export DISPLAY=":$(cat -- "$STATE/display")"
  export WINEPREFIX=$PREFIX
  export WINEDEBUG=${ORVANE_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINESERVER
  WINESERVER=$(wineserver_bin)
}

start_display() {
  local fdfile=$STATE/display.new
  rm -f -- "$fdfile" "$STATE/display"
  # Detached from our session and from every descriptor of ours, so that neither CTest
  # nor the caller's pipes wait for it.
  setsid Xvfb -displayfd 3 -screen 0 "${ORVANE_WINE_SCREEN:-1024x768x24}" -nolisten tcp -noreset \
    3>"$fdfile" </dev/null >"$STATE/xvfb.log" 2>&1 8>&- 9>&- &
  echo $! >"$STATE/xvfb.pid"
  local i
  for ((i = 0; i < 200; i++)); do
    if [[ -s $fdfile ]] && grep -q $'\n' "$fdfile"; then
      tr -d '\n' <"$fdfile" >"$STATE/display"
      rm -f -- "$fdfile"
      return 0
    fi
    kill -0 "$(cat -- "$STATE/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  kill "$(cat -- "$STATE/xvfb.pid")" 2>/dev/null
  cat -- "$STATE/xvfb.log" >&2
  die "Xvfb did not start"
}

make_prefix() {
  [[ -d $PREFIX ]] && "$WINESERVER" -k </dev/null >/dev/null 2>&1 8>&- 9>&-
  rm -rf -- "$PREFIX"
  local log=$STATE/prefix.log
  WINEARCH=win64 "$WINE64" wineboot --init </dev/null >"$log" 2>&1 8>&- 9>&- ||
    { cat -- "$log" >&2; die "wineboot failed"; }
  "$WINESERVER" -w </dev/null >>"$log" 2>&1 8>&- 9>&-
  # The dialog font's Japanese name has no font of its own here: IPAPGothic stands in.
  # The debugger for a crashing program is a command that ends at once, so the program ends
  # with its fault on the output (exit code 5 for an access violation), where winedbg would
  # hang the test until its time-out.
  # A UTF-16 .reg file keeps the names intact whatever the locale of this shell is.
  local reg=$STATE/prefix.reg
  {
    printf '\xff\xfe'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' '' \
      '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
      '"Debugger"="cmd.exe /c exit %ld %ld"' '' \
      '[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug]' \
      '"Debugger"="cmd.exe /c exit %ld %ld"' '' |
      iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  "$WINE64" regedit /S "$(winepath_of "$reg")" </dev/null >>"$log" 2>&1 8>&- 9>&- ||
    { cat -- "$log" >&2; die "regedit failed"; }
  "$WINESERVER" -w </dev/null >>"$log" 2>&1 8>&- 9>&-
  wine32_state >"$PREFIX/.orvane-ready"
}

# A prefix made before the 32-bit loader was installed cannot run 32-bit programs.
# The marker also names the prefix's settings: a prefix made with older ones is made anew.
wine32_state() { if [[ -x $WINE32 ]]; then echo "3 wine32"; else echo "3 wine64 only"; fi; }

winepath_of() { echo "Z:${1//\//\\}"; }

start_wineserver() {
  setsid "$WINESERVER" -f -p </dev/null >"$STATE/wineserver.log" 2>&1 8>&- 9>&- &
  echo $! >"$STATE/wineserver.pid"
}

start_watchdog() {
  setsid "$0" --watchdog "$ROOT" </dev/null >/dev/null 2>&1 8>&- 9>&- &
  echo $! >"$STATE/watchdog.pid"
}

# Display, prefix, wineserver and watchdog, each brought up when it is not running. The
# caller holds the shared "active" lock, so no --stop runs meanwhile.
setup() {
  exec 9>"$STATE/setup.lock"
  flock -x -w 600 9 || die "timed out waiting for the set-up lock"
  if ! alive "$STATE/xvfb.pid" Xvfb || [[ ! -s $STATE/display ]]; then
    start_display
  fi
  wine_env
  if [[ $(cat -- "$PREFIX/.orvane-ready" 2>/dev/null) != "$(wine32_state)" ]]; then
    make_prefix
  fi
  if ! alive "$STATE/wineserver.pid" wineserver; then
    start_wineserver
  fi
  if ! alive "$STATE/watchdog.pid" --watchdog; then
    start_watchdog
  fi
  touch -- "$STATE/last-use"
  exec 9>&-
}

stop_all() {  # the caller holds the exclusive "active" lock
  if [[ -d $PREFIX ]]; then
    WINEPREFIX=$PREFIX "$(wineserver_bin)" -k </dev/null >/dev/null 2>&1 8>&- 9>&-
  fi
  local name pid
  for name in wineserver xvfb; do
    pid=$(cat -- "$STATE/$name.pid" 2>/dev/null) || continue
    [[ $pid =~ ^[0-9]+$ ]] && kill "$pid" 2>/dev/null
    rm -f -- "$STATE/$name.pid"
  done
  rm -f -- "$STATE/display"
}

case "${1:-}" in
  "" | -h | --help)
    sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
  --watchdog)
    set_tree "$2"
    exec 8>"$STATE/active"
    while sleep 5; do
      alive "$STATE/xvfb.pid" Xvfb || exit 0
      [[ $(($(date +%s) - $(stat -c %Y "$STATE/last-use" 2>/dev/null || echo 0))) -lt $IDLE ]] && continue
      if flock -n -x 8; then
        stop_all
        rm -f -- "$STATE/watchdog.pid"
        exit 0
      fi
    done
    ;;
  --stop)
    set_tree "$(find_root "$PWD/.")"
    exec 8>"$STATE/active"
    flock -x -w 600 8 || die "programs still running"
    stop_all
    pid=$(cat -- "$STATE/watchdog.pid" 2>/dev/null) && [[ $pid =~ ^[0-9]+$ ]] && kill "$pid" 2>/dev/null
    rm -f -- "$STATE/watchdog.pid"
    exit 0
    ;;
  --env)
    set_tree "$(find_root "$PWD/.")"
    exec 8>"$STATE/active"
    flock -s -w 600 8 || die "timed out waiting for --stop"
    setup
    printf '%s\n' "DISPLAY=$DISPLAY" "WINEPREFIX=$WINEPREFIX" "WINEDEBUG=$WINEDEBUG" \
      "WINEDLLOVERRIDES=$WINEDLLOVERRIDES" "WINESERVER=$WINESERVER"
    [[ -z ${LC_CTYPE:-} ]] || echo "LC_CTYPE=$LC_CTYPE"
    exit 0
    ;;
esac

program=$1
shift
[[ -f $program ]] || die "no such program: $program"
set_tree "$(find_root "$program")"
exec 8>"$STATE/active"
flock -s -w 600 8 || die "timed out waiting for --stop"
setup
loader=$(loader_for "$program")

# Wine's own helper processes outlive the program: they get the output file, never our
# stdout, or CTest would wait for them until its time-out.
# ORVANE_WINE_OUTPUT names a file for it instead, for callers that read it while the
# program runs (and keep it afterwards).
if [[ -n ${ORVANE_WINE_OUTPUT:-} ]]; then
  out=$ORVANE_WINE_OUTPUT
  : >"$out" || die "cannot write $out"
else
  out=$(mktemp "$STATE/output.XXXXXX")
fi
"$loader" "$program" "$@" </dev/null >"$out" 2>&1 8>&- &
child=$!
trap 'kill "$child" 2>/dev/null' INT TERM HUP
wait "$child"
rc=$?
if kill -0 "$child" 2>/dev/null; then  # interrupted: reap the killed program
  wait "$child"
  rc=$?
fi
trap - INT TERM HUP
cat -- "$out"
[[ -n ${ORVANE_WINE_OUTPUT:-} ]] || rm -f -- "$out"
touch -- "$STATE/last-use"
exit "$rc"
