#!/usr/bin/env bash
# A print queue for trying the document viewer's printing by hand (never used
# by ./test.sh): installs CUPS and its PDF printer, starts cupsd in the
# foreground of a background job, and makes the queue "VarmelinPDF" from the
# PDF printer's description with 18 pt (6.35 mm) unprintable margins, as the
# system's default printer, which Wine's printer driver then offers.
#   scripts/print_queue.sh start   # prints cupsd's pid; PDFs land in ~/PDF
#   scripts/print_queue.sh stop    # ends that cupsd and removes the queue
set -eu
QUEUE=VarmelinPDF
PIDFILE=/tmp/varmelin-cupsd.pid
SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo

running() { lpstat -r 2>/dev/null | grep -q "is running"; }

start() {
  command -v cupsd >/dev/null && [ -d /usr/share/ppd/cups-pdf ] ||
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y cups printer-driver-cups-pdf poppler-utils
  if ! running; then
    $SUDO mkdir -p /run/cups
    $SUDO cupsd -f >/dev/null 2>&1 & echo $! >"$PIDFILE"
    for _ in $(seq 50); do running && break; sleep 0.2; done
  fi
  local ppd; ppd=$(mktemp --suffix=.ppd)
  # Every page size loses 18 pt at each edge.
  awk '/^\*ImageableArea / { match($0, /"[0-9. ]+"/); split(substr($0, RSTART + 1, RLENGTH - 2), a, " ");
         printf "%s\"18 18 %d %d\"\n", substr($0, 1, RSTART - 1), a[3] - 18, a[4] - 18; next }
       /^\*HWMargins:/ { print "*HWMargins: 18 18 18 18"; next } { print }' \
      /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$ppd"
  $SUDO lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P "$ppd" -o PageSize=A4
  $SUDO lpadmin -d "$QUEUE"
  rm -f "$ppd"
  echo "queue $QUEUE ready (cupsd pid $(cat "$PIDFILE" 2>/dev/null || echo '?'))"
}

stop() {
  lpadmin -x "$QUEUE" 2>/dev/null || true
  [ -f "$PIDFILE" ] && { $SUDO kill "$(cat "$PIDFILE")" 2>/dev/null || true; rm -f "$PIDFILE"; }
  return 0
}

case "${1:-start}" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 [start|stop]" >&2; exit 2 ;;
esac
