#!/usr/bin/env bash
# Builds the programs as they ship (Release: stripped, no path of this machine inside) for
# 64 and 32 bits and writes the packages
#   dist/Orvane-<version>-win64.zip   dist/Orvane-<version>-win32.zip
# each holding Orvane.scr and README.txt, the install notes in Japanese and English
# (packaging/README.txt). The version is the one in the file VERSION.
#
#   bash scripts/package.sh        JOBS sets the build parallelism (default 2)
set -euo pipefail
cd "$(dirname -- "${BASH_SOURCE[0]}")/.."
root=$PWD
version=$(head -n 1 VERSION)
jobs=${JOBS:-2}

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

mkdir -p dist
for arch in win64 win32; do
  case $arch in
    win64) toolchain=cmake/mingw-x86_64.cmake ;;
    win32) toolchain=cmake/mingw-i686.cmake ;;
  esac
  dir=$root/build/release-$arch
  cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/$toolchain" >"$dir.configure.log" 2>&1 ||
    { tail -n 30 "$dir.configure.log"; exit 1; }
  cmake --build "$dir" --target Orvane -j "$jobs" >"$dir.build.log" 2>&1 ||
    { grep -E -A10 'error|FAILED' "$dir.build.log" | head -n 60; exit 1; }
  python3 - "$dir/src/win32/Orvane.scr" packaging/README.txt "$version" "$arch" \
    "dist/Orvane-$version-$arch.zip" <<'PY'
import sys, zipfile
program, readme, version, arch, out = sys.argv[1:]
text = open(readme, encoding="utf-8").read()
text = text.replace("@VERSION@", version).replace("@ARCH@", arch)
# Notepad on every Windows reads UTF-8 with its mark and CR LF line ends.
data = b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    for name, content in (("Orvane.scr", open(program, "rb").read()), ("README.txt", data)):
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        z.writestr(info, content)
PY
  echo "dist/Orvane-$version-$arch.zip"
done
