#!/usr/bin/env bash
# One print from the command line through a real CUPS queue with the cups-pdf
# backend: "vosk /p" on a two-page data sheet must give a two-page PDF.
# The test starts a CUPS scheduler of its own on a private socket.
set -euo pipefail
vosk=$1
sheet=$2
skip() { echo "SKIP: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "the cups-pdf backend runs only for a scheduler started as root"
for tool in /usr/sbin/cupsd lpadmin lpstat pdfinfo; do command -v "$tool" >/dev/null || skip "$tool missing"; done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "cups-pdf backend missing"
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null) || skip "cups-pdf PPD missing"

work=$(mktemp -d)
# The filters run as the unprivileged printing user: they must reach the spool.
chmod 755 "$work"
mkdir -p "$work"/{root,spool,cache,run,log}
cleanup() {
  [ -f "$work/run/cupsd.pid" ] && kill "$(cat "$work/run/cupsd.pid")" 2>/dev/null || true
  pkill -f "cupsd -c $work/root" 2>/dev/null || true
  # The scheduler writes its cache while it shuts down: removing the folder
  # before it has gone fails now and then.
  for _ in $(seq 50); do pgrep -f "cupsd -c $work/root" >/dev/null || break; sleep 0.1; done
  rm -rf "$work" || true
}
trap cleanup EXIT

cat > "$work/root/cupsd.conf" <<CONF
Listen $work/run/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$work/root/cups-files.conf" <<CONF
ServerRoot $work/root
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/run
TempDir $work/spool
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
Sandboxing Relaxed
CONF

/usr/sbin/cupsd -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf"
export CUPS_SERVER=$work/run/cups.sock
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
queue=vosk-e2e-$$
lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>/dev/null
lpadmin -d "$queue"

# cups-pdf writes the job of root into root's home.
out="$(getent passwd root | cut -d: -f6)/PDF"
before=$(ls "$out" 2>/dev/null | sort || true)

QT_QPA_PLATFORM=offscreen "$vosk" /p "$sheet"

for _ in $(seq 300); do
  [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
  grep -q '^E.*Job stopped' "$work/log/error_log" 2>/dev/null && { grep '^E' "$work/log/error_log"; exit 1; }
  sleep 0.1
done
after=$(ls "$out" 2>/dev/null | sort || true)
pdf=$(comm -13 <(echo "$before") <(echo "$after") | grep '\.pdf$' | tail -n 1 || true)
[ -n "$pdf" ] || { echo "no PDF from the queue"; grep '^E' "$work/log/error_log" || true; exit 1; }
pages=$(pdfinfo "$out/$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
rm -f "$out/$pdf"
echo "printed $pages pages"
[ "$pages" = 2 ]
