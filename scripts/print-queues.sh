#!/usr/bin/env bash
# Makes cups-pdf printer queues: a queue prints to a PDF file in its own folder.
#   scripts/print-queues.sh [OUTPUT_DIR]
#     the three test printers that the Win32 tests print to, "VarenkoReceipt",
#     "VarenkoKitchen" and "VarenkoDocument", whose PDFs land in
#     build/artifacts/pdf/receipt, .../kitchen and .../document (or below OUTPUT_DIR)
#   scripts/print-queues.sh --queue NAME DIR
#     the one queue NAME, whose PDFs land in DIR (the demo's shop printer)
# Starts the system cupsd when it is not running. Needs root (CI runs as root);
# idempotent. When printing cannot be set up it prints a warning and returns 0, so
# that the rest of the suite still runs; with --queue it returns 1 instead, so that
# the caller can say what the user goes without.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
single=""
if [ "${1:-}" = --queue ]; then
  [ $# -eq 3 ] || { echo "usage: $0 --queue NAME DIR" >&2; exit 2; }
  single=$2
  single_dir=$3
else
  out=${1:-$root/build/artifacts/pdf}
fi

warn() { echo "print-queues: $*" >&2; }
give_up() {
  warn "$*"
  [ -n "$single" ] && exit 1
  exit 0
}

[ "$(id -u)" -eq 0 ] || give_up "not root: printer queues left as they are"
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || give_up "$tool missing (scripts/setup.sh installs cups)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || give_up "cups-pdf backend missing (scripts/setup.sh installs printer-driver-cups-pdf)"

# The scheduler: a container has no init system to start it. (lpstat -r exits 0
# either way; only its words tell.)
scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! scheduler_up; then
  cupsd >/dev/null 2>&1 || true
  for _ in $(seq 50); do scheduler_up && break; sleep 0.1; done
  scheduler_up || give_up "cupsd did not start"
fi

ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_noopt\.ppd/ {print $1; exit}')
[ -n "$ppd" ] || ppd=$(lpinfo -m 2>/dev/null | awk '/cups-pdf\// {print $1; exit}')
[ -n "$ppd" ] || give_up "no cups-pdf PPD found by lpinfo -m"

# cups-pdf reads /etc/cups/cups-pdf-<name>.conf for the URI cups-pdf:/<name>.
# Jobs run as the submitting user (root here): Out is used as it is, the same
# directory for every user; Label 1 prefixes "job_<id>-" so no print overwrites
# another and each job's file can be told apart.
#   make_queue QUEUE NAME DIR
make_queue() {
  local queue=$1 name=$2 dir=$3
  mkdir -p "$dir" && chmod 0777 "$dir"
  cat >"/etc/cups/cups-pdf-$name.conf" <<CONF
Out $dir
AnonDirName $dir
Label 1
TitlePref 1
UserUMask 0000
Grp root
CONF
  # lpadmin warns that PPD drivers are deprecated: true, and not our concern here.
  lpadmin -p "$queue" -E -v "cups-pdf:/$name" -m "$ppd" -o printer-error-policy=abort-job 2>/dev/null \
    || { warn "lpadmin failed for $queue"; return 1; }
  cupsenable "$queue" 2>/dev/null || true
  cupsaccept "$queue" 2>/dev/null || true
}

if [ -n "$single" ]; then
  # The URI's name is the queue's in lower case (cups-pdf takes [a-z0-9_-]).
  name=$(tr 'A-Z' 'a-z' <<<"$single" | tr -c 'a-z0-9_\n-' '_')
  make_queue "$single" "$name" "$single_dir" || exit 1
  lpstat -p "$single" >/dev/null 2>&1 || give_up "$single not listed by lpstat"
  exit 0
fi
make_queue VarenkoReceipt receipt "$out/receipt"
make_queue VarenkoKitchen kitchen "$out/kitchen"
make_queue VarenkoDocument document "$out/document"
lpstat -p VarenkoReceipt -p VarenkoKitchen -p VarenkoDocument >/dev/null 2>&1 || warn "queues not listed by lpstat"
exit 0
