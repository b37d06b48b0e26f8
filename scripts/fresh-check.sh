#!/usr/bin/env bash
# The fresh-machine check: proves that the README's two commands work on a machine that has
# nothing but Debian 12. It makes a clean Debian 12 root with debootstrap (minbase), copies
# this checkout into it (the files git tracks and the new ones it does not ignore, as they
# are in the work tree), runs there, as root and as a new user would,
#   bash scripts/run.sh     (no display: records the show's GIF)
#   bash scripts/test.sh
# and prints each command's time, exit code and summary lines. Their whole output is kept in
# build/fresh-check/. Exits non-zero when either command failed.
#
#   sudo bash scripts/fresh-check.sh [--keep]
#
# --keep leaves the root in place (its path is printed); otherwise it is removed. Whatever
# happens (failure, Ctrl-C), every mount inside the root is undone first, and so are the
# programs the commands left running there (Xvfb, wineserver).
# Takes long (about 50 minutes on 2 cores): it is not part of the test command.
# FRESH_ROOT_PARENT names where the root is made (default /var/tmp; it needs about 8 GB).
set -euo pipefail

here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd -P)
keep=false
[[ ${1:-} == --keep ]] && keep=true
[[ $(id -u) -eq 0 ]] || { echo "fresh-check: run as root (debootstrap, chroot and mount need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "fresh-check: needs debootstrap (bash scripts/setup.sh installs it)" >&2; exit 2; }

logs=$here/build/fresh-check
mkdir -p -- "$logs"
root=$(mktemp -d "${FRESH_ROOT_PARENT:-/var/tmp}/orvane-fresh.XXXXXX")
mounted=()

# Mount points inside the root, deepest first: what is mounted last is undone first.
undo_mounts() {
  local i target
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    target=${mounted[i]}
    umount -R -- "$target" 2>/dev/null || umount -R -l -- "$target" 2>/dev/null || true
  done
  mounted=()
}

# Programs whose root directory is the fresh root: started by the commands inside it.
stop_programs() {
  local signal pid link
  for signal in TERM KILL; do
    for link in /proc/[0-9]*/root; do
      pid=${link#/proc/}
      pid=${pid%/root}
      [[ $(readlink -- "$link" 2>/dev/null) == "$root" ]] && kill -s "$signal" "$pid" 2>/dev/null
    done
    [[ $signal == TERM ]] && sleep 2
  done
  return 0
}

cleanup() {
  local rc=$?
  trap - EXIT INT TERM HUP
  stop_programs
  undo_mounts
  if findmnt -rn -o TARGET | grep -qF -- "$root/"; then
    echo "fresh-check: mounts remain below $root; it is left in place" >&2
  elif [[ $keep == true ]]; then
    echo "fresh-check: the root is kept at $root"
  else
    # Never across a file-system boundary, should a mount have survived after all.
    rm -rf --one-file-system -- "$root"
  fi
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mount_in() {  # mount_in TARGET MOUNT-ARGS...
  local target=$root$1
  shift
  mkdir -p -- "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

# The mirror this machine already uses (deb822 sources first, then the classic list).
mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
if [[ -z $mirror ]]; then
  mirror=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

echo "== fresh-check: a Debian 12 root in $root (mirror $mirror)"
t0=$(date +%s)
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
  { tail -n 20 "$logs/debootstrap.log"; echo "fresh-check: debootstrap failed" >&2; exit 1; }
echo "   made in $(($(date +%s) - t0)) s"

if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
  cp -- /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
  rm -f -- "$root/etc/apt/sources.list"
fi
cp -L -- /etc/resolv.conf "$root/etc/resolv.conf"

mount_in /proc -t proc proc
mount_in /sys --rbind /sys
mount --make-rslave "$root/sys"
mount_in /dev --bind /dev
mount --make-private "$root/dev"
mount_in /dev/pts --bind /dev/pts
mount_in /dev/shm -t tmpfs -o mode=1777 tmpfs

echo "== fresh-check: copying the checkout to /root/orvane"
mkdir -p -- "$root/root/orvane"
git -C "$here" ls-files -z --cached --others --exclude-standard |
  (cd -- "$here" && tar --null -T - --ignore-failed-read -cf - 2>/dev/null) |
  tar -xf - -C "$root/root/orvane"

# A new user's shell inside the root: nothing of this machine's environment comes along.
run_inside() {  # run_inside NAME COMMAND
  local name=$1 command=$2 start rc
  echo
  echo "== fresh-check: $command"
  start=$(date +%s)
  set +e
  chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/orvane && $command" </dev/null >"$logs/$name.log" 2>&1
  rc=$?
  set -e
  results+=("$(printf '%-22s exit %d after %d min %02d s' "$command" "$rc" \
    $((($(date +%s) - start) / 60)) $((($(date +%s) - start) % 60)))")
  tail -n "$3" "$logs/$name.log"
  return "$rc"
}

results=()
status=0
run_inside run "bash scripts/run.sh" 3 || status=1
run_inside test "bash scripts/test.sh" 12 || status=1

echo
echo "== fresh-check: summary (logs in $logs)"
printf '  %s\n' "${results[@]}"
exit "$status"
