# Sourced by scripts/test and scripts/print-check: the CUPS queue the print check prints to.
# print_queue_up installs CUPS, the cups-pdf driver and poppler-utils when missing, starts the
# scheduler when it is not running and adds the queue named by $TAVLO_PRINT_QUEUE (exported);
# print_queue_down removes the queue and stops the scheduler again if print_queue_up started it.

export TAVLO_PRINT_QUEUE=TavloPrintCheck-$$
print_queue_sudo=""
[ "$(id -u)" -ne 0 ] && print_queue_sudo="sudo"
print_queue_scheduler=""

print_queue_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

print_queue_up() {
  "$(dirname "${BASH_SOURCE[0]}")/install-deps" cups printer-driver-cups-pdf poppler-utils
  if ! print_queue_running; then
    $print_queue_sudo cupsd -f &
    print_queue_scheduler=$!
    for _ in $(seq 50); do
      print_queue_running && break
      sleep 0.2
    done
  fi
  print_queue_running || { echo "print queue: the CUPS scheduler did not start" >&2; return 1; }
  $print_queue_sudo lpadmin -p "$TAVLO_PRINT_QUEUE" -E -v cups-pdf:/ \
    -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
}

print_queue_down() {
  $print_queue_sudo lpadmin -x "$TAVLO_PRINT_QUEUE" 2>/dev/null || true
  if [ -n "$print_queue_scheduler" ]; then
    $print_queue_sudo kill "$print_queue_scheduler" 2>/dev/null || true
    wait "$print_queue_scheduler" 2>/dev/null || true
  fi
}
