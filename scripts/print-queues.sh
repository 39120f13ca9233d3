#!/usr/bin/env bash
# Makes the three test printers that the Win32 tests print to: cups-pdf queues
# "VarenkoReceipt", "VarenkoKitchen" and "VarenkoDocument", whose PDFs land in
#   build/artifacts/pdf/receipt, .../kitchen and .../document
# (or below $1 when given). Starts the system cupsd when it is not running.
# Needs root (CI runs as root); idempotent; prints a warning and returns 0 when
# printing cannot be set up, so that the rest of the suite still runs.
#   scripts/print-queues.sh [OUTPUT_DIR]
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/build/artifacts/pdf}

warn() { echo "print-queues: $*" >&2; }

if [ "$(id -u)" -ne 0 ]; then
  warn "not root: printer queues left as they are"
  exit 0
fi
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || { warn "$tool missing (scripts/setup.sh installs cups)"; exit 0; }
done
if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
  warn "cups-pdf backend missing (scripts/setup.sh installs printer-driver-cups-pdf)"
  exit 0
fi

# The scheduler: a container has no init system to start it. (lpstat -r exits 0
# either way; only its words tell.)
scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! scheduler_up; then
  cupsd >/dev/null 2>&1 || true
  for _ in $(seq 50); do scheduler_up && break; sleep 0.1; done
  scheduler_up || { warn "cupsd did not start"; exit 0; }
fi

ppd=$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_noopt\.ppd/ {print $1; exit}')
[ -n "$ppd" ] || ppd=$(lpinfo -m 2>/dev/null | awk '/cups-pdf\// {print $1; exit}')
[ -n "$ppd" ] || { warn "no cups-pdf PPD found by lpinfo -m"; exit 0; }

# cups-pdf reads /etc/cups/cups-pdf-<name>.conf for the URI cups-pdf:/<name>.
# Jobs run as the submitting user (root here): Out is used as it is, the same
# directory for every user; Label 1 prefixes "job_<id>-" so no print overwrites
# another and each job's file can be told apart.
make_queue() {
  local queue=$1 name=$2 dir=$out/$2
  mkdir -p "$dir" && chmod 0777 "$dir"
  cat >"/etc/cups/cups-pdf-$name.conf" <<EOF
Out $dir
AnonDirName $dir
Label 1
TitlePref 1
UserUMask 0000
Grp root
EOF
  # lpadmin warns that PPD drivers are deprecated: true, and not our concern here.
  lpadmin -p "$queue" -E -v "cups-pdf:/$name" -m "$ppd" -o printer-error-policy=abort-job 2>/dev/null \
    || { warn "lpadmin failed for $queue"; return 0; }
  cupsenable "$queue" 2>/dev/null || true
  cupsaccept "$queue" 2>/dev/null || true
}
make_queue VarenkoReceipt receipt
make_queue VarenkoKitchen kitchen
make_queue VarenkoDocument document
lpstat -p VarenkoReceipt -p VarenkoKitchen -p VarenkoDocument >/dev/null 2>&1 || warn "queues not listed by lpstat"
exit 0
