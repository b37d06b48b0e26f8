#!/usr/bin/env bash
# Builds the 64-bit Orvane.scr and runs the show (/s) under Wine over the sample pictures.
#
#   scripts/run.sh
#
# With a display ($DISPLAY set) the show runs there, full screen, until a mouse movement, a
# click or a key ends it. Without one it runs on a private Xvfb screen, about five seconds of
# it are recorded as an animated GIF (whose path is printed), and the show is ended.
#
# ORVANE_PICTURES   the picture folder (default: samples/ of this checkout)
# ORVANE_INTERVAL   seconds per picture (default 2, so the recording sees a change)
set -euo pipefail

root=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd -P)
build=$root/build/win64
pictures=$(cd -- "${ORVANE_PICTURES:-$root/samples}" && pwd -P)
interval=${ORVANE_INTERVAL:-2}

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null
cmake --build "$build" -j2 --target Orvane

# The program reads its settings file beside itself: a copy of it in a folder of its own.
run=$build/show-run
mkdir -p -- "$run"
cp -- "$build/src/win32/Orvane.scr" "$run/Orvane.scr"
# The keys are Shift-JIS text, as the program's own settings file stores them.
python3 - "$run/Orvane.ini" "$pictures" "$interval" <<'PY'
import sys
ini, folder, interval = sys.argv[1], sys.argv[2], int(sys.argv[3])
text = ("[Section]\r\n"
        f"画像のﾌｫﾙﾀﾞ=Z:{folder.replace('/', chr(92))}\r\n"
        f"ｲﾝﾀｰﾊﾞﾙ= {interval}\r\n")
with open(ini, "wb") as f:
    f.write(text.encode("cp932"))
PY
echo "run: pictures from $pictures, $interval s each"

if [[ -n ${DISPLAY:-} ]]; then
  # A prefix of its own: the tests' prefix lives on their private display.
  export WINEPREFIX=$build/show-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    echo "run: making the Wine prefix (once)"
    WINEARCH=win64 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  fi
  echo "run: the show runs on $DISPLAY; move the mouse, click or press a key to end it"
  cd -- "$run"
  exec /usr/lib/wine/wine64 ./Orvane.scr /s
fi

# No display: the build tree's private Xvfb (1024 x 768) and prefix.
export ORVANE_WINE_ROOT=$build
wine_run=$root/cmake/wine-run.sh
while IFS= read -r line; do export "${line?}"; done < <("$wine_run" --env)
frames=$run/frames
rm -rf -- "$frames"
mkdir -p -- "$frames"
gif=$run/show.gif

xdotool mousemove 1023 767  # out of the way; the first movement only marks the origin
(cd -- "$run" && ORVANE_WINE_OUTPUT=$run/output.txt "$wine_run" ./Orvane.scr /s) &
show=$!
for ((i = 0; i < 100; i++)); do
  xdotool search --name '^Orvane_Main$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 0.5
echo "run: recording five seconds of the show"
end=$((SECONDS + 5))
n=0
while ((SECONDS < end)); do
  import -silent -window root -resize 50% "$frames/$(printf %04d $n).png"
  n=$((n + 1))
done
xdotool key Escape
if ! timeout 20 tail --pid="$show" -f /dev/null; then
  echo "run: the show did not end on a key press" >&2
  kill "$show" 2>/dev/null || true
fi
wait "$show" 2>/dev/null || true
# The frames' own pace: five seconds over n frames.
delay=$((500 / (n > 0 ? n : 1)))
convert -delay "$delay" -loop 0 "$frames"/*.png -layers Optimize "$gif"
echo "run: $n frames recorded: $gif"
