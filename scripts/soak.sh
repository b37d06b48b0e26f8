#!/usr/bin/env bash
# A soak run of the real show under Wine: Orvane.scr /s on a private Xvfb display with two
# pictures changing every ten seconds and an MP3 playing (into a null ALSA output), for
# MINUTES (default 10). The process's private bytes, working set, GDI and USER objects and
# kernel handles are sampled at the start, every minute and at the end (objprobe.exe),
# with the resident size Linux sees; then the show is ended by a key and the growth is
# reported. Exits non-zero when the show died, did not end cleanly, or its objects grew.
#
#   bash scripts/soak.sh [MINUTES]
# Builds build/soak (x86_64, only Orvane.scr, orvtool.exe and objprobe.exe); its Wine prefix
# and display are its own, so it can run beside the test command.
set -uo pipefail
cd "$(dirname -- "${BASH_SOURCE[0]}")/.." || exit 1
root=$PWD
minutes=${1:-10}
[[ $minutes =~ ^[0-9]+$ && $minutes -ge 1 ]] || { echo "usage: soak.sh [MINUTES]" >&2; exit 2; }

tree=$root/build/soak
mkdir -p "$tree"
echo "== build ($tree)"
cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  >"$tree/configure.log" 2>&1 || { tail -n 30 "$tree/configure.log"; exit 1; }
cmake --build "$tree" -j "${JOBS:-2}" --target Orvane orvtool objprobe >"$tree/build.log" 2>&1 ||
  { grep -E -A8 'error|FAILED' "$tree/build.log" | head -n 60; exit 1; }

work=$tree/run-$(date +%Y%m%d-%H%M%S)
mkdir -p "$work/pictures" "$work/home" "$work/install"
echo "== work folder $work"

# A copy of the Wine runner: bash reads a script as it runs it, and the run outlasts edits.
export ORVANE_WINE_ROOT=$tree
run=$work/wine-run.sh
cp "$root/cmake/wine-run.sh" "$run"
orvtool=$tree/tools/orvtool/orvtool.exe objprobe=$tree/tools/objprobe/objprobe.exe
eval "$(bash "$run" --env | sed 's/^/export /')"

# Two plain pictures of different shapes and colours.
python3 - "$work/pictures" <<'EOF'
import struct, sys
def bmp(path, width, height, colour):
    row = bytes((colour[2], colour[1], colour[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + pixels)
bmp(sys.argv[1] + "/a.bmp", 320, 240, (40, 120, 200))
bmp(sys.argv[1] + "/b.bmp", 200, 300, (230, 200, 60))
EOF
# Twenty-five seconds of music: the show plays it again whenever it ends.
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 25 sine 440 >/dev/null 2>&1 &&
  lame --quiet "$work/tone.wav" "$work/music.mp3" ||
  { echo "soak: cannot make the MP3" >&2; exit 1; }
printf 'pcm.!default { type null }\n' >"$work/home/.asoundrc"

winpath() { echo "Z:${1//\//\\}"; }
cp "$tree/src/win32/Orvane.scr" "$work/install/"
printf '[Section]\r\n画像のﾌｫﾙﾀﾞ=%s\r\nｲﾝﾀｰﾊﾞﾙ= 10\r\nBGM区分= 2\r\nBGMﾌｧｲﾙ=%s\r\n' \
  "$(winpath "$work/pictures")" "$(winpath "$work/music.mp3")" | iconv -f UTF-8 -t CP932 \
  >"$work/install/Orvane.ini"

xdotool mousemove 1023 767 >/dev/null 2>&1  # the pointer out of the way before the window shows
echo "== the show for $minutes min"
(cd "$work/install" && HOME=$work/home ORVANE_WINEDEBUG=+mci \
  ORVANE_WINE_OUTPUT=$work/program-output.txt \
  exec bash "$run" "$work/install/Orvane.scr" /s </dev/null >/dev/null 2>&1) &
launcher=$!

tool() { bash "$run" "$orvtool" "$@" 2>/dev/null; }
hwnd=$(tool wait Orvane_Main 60 | tr -d '\r')
if [[ -z $hwnd ]]; then
  echo "soak: the show window did not appear" >&2
  kill "$launcher" 2>/dev/null
  exit 1
fi
pid=$(tool info "$hwnd" | sed -n 's/.* pid=\([0-9]*\) .*/\1/p')
# The Linux process Wine runs it in (its command line starts with the program's path).
unix_pid=$(pgrep -n -f "^$work/install/Orvane.scr" || true)

samples=$work/samples.txt
printf '%-7s %12s %12s %6s %6s %8s %10s\n' minute private ws gdi user handles rss_kib |
  tee "$samples"
sample() {  # sample LABEL
  local line rss
  line=$(bash "$run" "$objprobe" "$pid" 2>/dev/null | tr -d '\r')
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$unix_pid/status" 2>/dev/null)
  [[ -n $line ]] || { echo "soak: no figures (the show is gone?)" >&2; return 1; }
  local private ws gdi user handles
  for field in $line; do
    case $field in
      private=*) private=${field#*=} ;; ws=*) ws=${field#*=} ;; gdi=*) gdi=${field#*=} ;;
      user=*) user=${field#*=} ;; handles=*) handles=${field#*=} ;; how=*) how=${field#*=} ;;
    esac
  done
  printf '%-7s %12s %12s %6s %6s %8s %10s\n' "$1" "$private" "$ws" "$gdi" "$user" "$handles" \
    "${rss:-?}" | tee -a "$samples"
}

# The picture on screen: the colour most of five points show (a fragment or crater may
# cover one of them).
picture() {
  local points=() xy
  for xy in 300x200 700x200 512x384 300x560 700x560; do
    points+=("$(import -silent -window root -crop "1x1+${xy%x*}+${xy#*x}" -depth 8 txt:- \
      2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n 1)")
  done
  printf '%s\n' "${points[@]}" | sort | uniq -c | sort -rn | awk 'NR == 1 {print $2}'
}

sleep 15  # the first picture change and the music under way
sample start || exit 1
alive=1
seen=$work/pictures-seen.txt
: >"$seen"
for ((m = 1; m <= minutes; m++)); do
  # Four looks a minute, fifteen seconds apart: the two pictures alternate every ten.
  for _ in 1 2 3 4; do
    sleep 15
    picture >>"$seen"
  done
  if ! tool info "$hwnd" >/dev/null; then  # exits 1 once the window is gone
    alive=0
    echo "soak: the show window went away" >&2
    break
  fi
  sample "$m" || { alive=0; break; }
done
[[ $alive -eq 1 ]] && sample end

echo "== ending the show"
tool post "$hwnd" 256 65 0 >/dev/null  # WM_KEYDOWN 'A'
code=
for _ in $(seq 60); do
  if ! kill -0 "$launcher" 2>/dev/null; then wait "$launcher"; code=$?; break; fi
  sleep 0.5
done
[[ -n $code ]] || { kill "$launcher" 2>/dev/null; code=timeout; }

# What the show did in the meantime, from the multimedia trace.
restarts=$(grep -c 'mciSendStringW (L"play MP3Play from 0"' "$work/program-output.txt" 2>/dev/null)
closed=$(grep -c 'mciSendStringW (L"close MP3Play"' "$work/program-output.txt" 2>/dev/null)

echo
echo "== soak summary ($minutes min)"
echo "  pictures on screen at the looks:" \
  "$(sort "$seen" | uniq -c | awk '{printf "%s x%d  ", $2, $1}')"
awk -v code="$code" -v restarts="${restarts:-0}" -v closed="${closed:-0}" '
  NR == 2 { p0 = $2; w0 = $3; g0 = $4; u0 = $5; h0 = $6; r0 = $7 }
  NR > 1  { p1 = $2; w1 = $3; g1 = $4; u1 = $5; h1 = $6; r1 = $7; last = $1 }
  END {
    printf "  private bytes  %d -> %d (%+d)\n", p0, p1, p1 - p0
    printf "  working set    %d -> %d (%+d)\n", w0, w1, w1 - w0
    printf "  GDI objects    %d -> %d (%+d)\n", g0, g1, g1 - g0
    printf "  USER objects   %d -> %d (%+d)\n", u0, u1, u1 - u0
    printf "  handles        %d -> %d (%+d)\n", h0, h1, h1 - h0
    printf "  resident KiB   %s -> %s\n", r0, r1
    printf "  music restarted %d times, closed %d time(s); exit code %s\n", restarts, closed, code
    grew = (g1 > g0) || (u1 > u0) || (h1 > h0)
    exit (grew || last != "end" || code != "0") ? 1 : 0
  }' "$samples"
verdict=$?
echo "  samples: $samples"
bash "$run" --stop >/dev/null 2>&1 || true
[[ $verdict -eq 0 ]] && echo "soak: no growth of objects, show ended cleanly" || echo "soak: FAILED"
exit $verdict
