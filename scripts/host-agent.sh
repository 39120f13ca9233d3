#!/usr/bin/env bash
# Does for the Windows tests what only the Linux side can: make the terminal's data
# directory read-only or full, stop or delete a printer queue. Needs root (mounts).
#   scripts/host-agent.sh DIR      serve requests in DIR until killed
# A test writes DIR/<name>.req holding one request and waits for DIR/<name>.done, which
# holds the exit status. Requests (C:\ paths are in $WINEPREFIX, anything else refused):
#   readonly C:\path     bind-mount the folder read-only over itself
#   full C:\path KB      a KB-sized tmpfs over the folder, its files copied in, the rest
#                        filled so that every further write fails
#   release C:\path      undo either (what the tmpfs held is lost)
#   queue-stop NAME | queue-start NAME | queue-delete NAME     a cups-pdf test queue
#   queues-restore       the test queues made again (scripts/print-queues.sh)
set -uo pipefail
dir=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${WINEPREFIX:?}"
mkdir -p "$dir"

unix_path() {
  local p=$1
  [[ "$p" =~ ^[Cc]:\\ ]] || return 1
  p=${p:3}
  [[ "$p" == *..* ]] && return 1
  printf '%s/drive_c/%s' "$WINEPREFIX" "${p//\\//}"
}

serve() {
  local verb=$1 target=${2:-} size=${3:-}
  case "$verb" in
    readonly)
      local d; d=$(unix_path "$target") && [ -d "$d" ] || return 2
      mount --bind "$d" "$d" && mount -o remount,bind,ro "$d" ;;
    full)
      local d keep; d=$(unix_path "$target") && [ -d "$d" ] && [[ "$size" =~ ^[0-9]+$ ]] || return 2
      keep=$(mktemp -d) && cp -a "$d/." "$keep/" &&
        mount -t tmpfs -o "size=${size}k" tmpfs "$d" && cp -a "$keep/." "$d/"
      local status=$?
      rm -rf "$keep"
      [ $status -eq 0 ] || return $status
      dd if=/dev/zero of="$d/.filler" bs=4k >/dev/null 2>&1
      dd if=/dev/zero of="$d/.filler2" bs=1 >/dev/null 2>&1
      return 0 ;;
    release)
      local d; d=$(unix_path "$target") || return 2
      while mountpoint -q "$d"; do umount "$d" || return 1; done ;;
    queue-stop) [[ "$target" =~ ^Varenko[A-Za-z]+$ ]] && cupsdisable "$target" ;;
    queue-start) [[ "$target" =~ ^Varenko[A-Za-z]+$ ]] && cupsenable "$target" ;;
    queue-delete) [[ "$target" =~ ^Varenko[A-Za-z]+$ ]] && lpadmin -x "$target" ;;
    queues-restore) "$root/scripts/print-queues.sh" ;;
    *) return 2 ;;
  esac
}

while true; do
  for req in "$dir"/*.req; do
    [ -e "$req" ] || continue
    read -r verb target size < "$req"
    rm -f "$req"
    serve "$verb" "$target" "$size" >>"$dir/agent.log" 2>&1
    echo $? > "${req%.req}.status" && mv "${req%.req}.status" "${req%.req}.done"
  done
  sleep 0.05
done
