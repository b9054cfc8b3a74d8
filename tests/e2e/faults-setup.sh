#!/usr/bin/env bash
# Mounts a small disk for the full-disk test, or takes it away again.
#   tests/e2e/faults-setup.sh mount <folder>    # a 64 KB tmpfs at <folder>, emptied
#   tests/e2e/faults-setup.sh unmount <folder>
# Mounting needs root (or sudo without a password); without it the test is skipped and
# says why. Never fails the caller.
set -u
action=${1:-}
folder=${2:-}
[ -n "$action" ] && [ -n "$folder" ] || { echo "usage: $0 mount|unmount <folder>" >&2; exit 0; }

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then sudo="sudo -n"; else
    echo "faults-setup: not root, no small disk for the full-disk test"
    exit 0
  fi
fi

mounted() { mountpoint -q "$folder" 2>/dev/null; }

case "$action" in
mount)
  mkdir -p "$folder"
  mounted && $sudo umount "$folder" 2>/dev/null
  if ! $sudo mount -t tmpfs -o size=64k,mode=1777 tavrin-full-disk "$folder" 2>/dev/null; then
    echo "faults-setup: cannot mount a tmpfs at $folder, the full-disk test will be skipped"
  fi
  ;;
unmount)
  mounted && $sudo umount "$folder" 2>/dev/null
  [ -d "$folder" ] && rmdir "$folder" 2>/dev/null
  ;;
esac
exit 0
