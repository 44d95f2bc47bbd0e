# Sourced by scripts/test and scripts/print-check: a CUPS scheduler of the print check's own, in a
# temporary folder and listening only on a socket there, so that the system's printers and
# settings are never touched (scripts/install-deps installs CUPS and the cups-pdf driver).
# print_queue_up starts the scheduler, exports CUPS_SERVER for it and adds two cups-pdf queues:
#   $TAVLO_PRINT_QUEUE   Letter at 600 dpi, the default destination
#   $TAVLO_REJECT_QUEUE  one that takes no jobs
# print_queue_down stops the scheduler and removes its folder.

export TAVLO_PRINT_QUEUE=TavloLetter600
export TAVLO_REJECT_QUEUE=TavloRejecting
print_queue_root=""
print_queue_scheduler=""

print_queue_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

print_queue_up() {
  print_queue_root=$(mktemp -d /tmp/tavlo-cups.XXXXXX)
  chmod 755 "$print_queue_root"
  mkdir -p "$print_queue_root"/{spool,tmp,cache,state,ppd}
  chgrp lp "$print_queue_root"/{spool,tmp,cache} 2>/dev/null || true
  chmod 1770 "$print_queue_root"/{spool,tmp}
  cat >"$print_queue_root/cups-files.conf" <<CONF
ServerRoot $print_queue_root
RequestRoot $print_queue_root/spool
TempDir $print_queue_root/tmp
CacheDir $print_queue_root/cache
StateDir $print_queue_root/state
ErrorLog $print_queue_root/error_log
AccessLog $print_queue_root/access_log
PageLog $print_queue_root/page_log
CONF
  cat >"$print_queue_root/cupsd.conf" <<CONF
Listen $print_queue_root/cups.sock
Browsing Off
LogLevel warn
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  export CUPS_SERVER=$print_queue_root/cups.sock
  cupsd -f -c "$print_queue_root/cupsd.conf" -s "$print_queue_root/cups-files.conf" &
  print_queue_scheduler=$!
  for _ in $(seq 50); do
    print_queue_running && break
    sleep 0.2
  done
  print_queue_running || { echo "print queue: the CUPS scheduler did not start" >&2; return 1; }
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -p "$TAVLO_PRINT_QUEUE" -E -v cups-pdf:/ -P "$ppd" \
    -o PageSize=Letter -o Resolution=600dpi 2>/dev/null
  lpadmin -d "$TAVLO_PRINT_QUEUE"
  lpadmin -p "$TAVLO_REJECT_QUEUE" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null
  cupsreject "$TAVLO_REJECT_QUEUE"
}

print_queue_down() {
  if [ -n "$print_queue_scheduler" ]; then
    kill "$print_queue_scheduler" 2>/dev/null || true
    wait "$print_queue_scheduler" 2>/dev/null || true
    print_queue_scheduler=""
  fi
  [ -n "$print_queue_root" ] && rm -rf "$print_queue_root"
  print_queue_root=""
}
