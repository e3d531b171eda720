#!/usr/bin/env bash
# One print from the command line through a real CUPS queue with the cups-pdf
# backend: "vosk /p" on a two-page data sheet must give a two-page PDF whose
# rules are as heavy as those of the tool's PDF of the same sheet.
# The test starts a CUPS scheduler of its own on a private socket, and gives
# its queue an output folder of its own, so no earlier run's file is taken
# for this run's.
set -euo pipefail
vosk=$1
sheet=$2
tool=$3
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIP: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "the cups-pdf backend runs only for a scheduler started as root"
for cmd in /usr/sbin/cupsd lpadmin lpstat pdfinfo pdftocairo; do command -v "$cmd" >/dev/null || skip "$cmd missing"; done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "cups-pdf backend missing"
ppd=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null) || skip "cups-pdf PPD missing"

work=$(mktemp -d)
# The filters run as the unprivileged printing user: they must reach the spool.
chmod 755 "$work"
mkdir -p "$work"/{root,spool,cache,run,log,out}
queue=vosk-e2e-$$
# cups-pdf reads its settings from /etc/cups whatever the scheduler's
# ServerRoot: the device URI cups-pdf:/NAME makes it read cups-pdf-NAME.conf
# there instead of the shared cups-pdf.conf.
instance_conf=/etc/cups/cups-pdf-$queue.conf
cleanup() {
  if [ -f "$work/run/cupsd.pid" ]; then
    pid=$(cat "$work/run/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$instance_conf"
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
cat > "$instance_conf" <<CONF
Out $work/out
Log $work/log
CONF

/usr/sbin/cupsd -c "$work/root/cupsd.conf" -s "$work/root/cups-files.conf"
export CUPS_SERVER=$work/run/cups.sock
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -E 2>/dev/null
lpadmin -d "$queue"

QT_QPA_PLATFORM=offscreen "$vosk" /p "$sheet"

# The job is done when it has left the queue; its PDF is then complete.
pdf=
for _ in $(seq 600); do
  grep -q '^E.*Job stopped' "$work/log/error_log" 2>/dev/null && { grep '^E' "$work/log/error_log"; exit 1; }
  if [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
    pdf=$(find "$work/out" -name '*.pdf' | head -n 1)
    [ -n "$pdf" ] && break
  fi
  sleep 0.1
done
[ -n "$pdf" ] || { echo "no PDF from the queue"; grep '^E' "$work/log/error_log" || true; exit 1; }
pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
echo "printed $pages pages"
[ "$pages" = 2 ]

# The rules of page 1, printed and from the tool: the median stroke widths
# in points must agree within 20 %.
"$tool" render "$sheet" -o "$work/tool.pdf"
median() {
  pdftocairo -svg -f 1 -l 1 "$1" "$work/page.svg" 2>/dev/null
  awk -f "$here/stroke_widths.awk" "$work/page.svg" | sort -g |
    awk '{ w[NR] = $1 } END { if (NR == 0) print 0; else if (NR % 2) print w[(NR + 1) / 2]; else print (w[NR / 2] + w[NR / 2 + 1]) / 2 }'
}
printed=$(median "$pdf")
drawn=$(median "$work/tool.pdf")
echo "median rule width: printed $printed pt, tool $drawn pt"
awk -v a="$printed" -v b="$drawn" 'BEGIN { exit !(a > 0 && b > 0 && a <= 1.2 * b && b <= 1.2 * a) }'
