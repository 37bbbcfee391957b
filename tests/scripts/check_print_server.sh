#!/usr/bin/env bash
# The tests' print queue: starting the print server again leaves the running
# scheduler alone, a job printed comes out as a PDF in the queue's folder
# whose text pdftotext reads back,
# a job sent to a stopped queue waits in it, and start makes a queue left
# stopped or refusing jobs ready again.
#   check_print_server.sh SOURCE-FOLDER
set -euo pipefail
source "$1/scripts/common.sh"
script=$1/scripts/print-server
queue=kelvara-teste
out=/var/spool/cups-pdf/$queue
export LC_ALL=C

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Whatever happens, the queue is left ready for the other tests.
trap '"$script" start >/dev/null 2>&1 || true' EXIT

# print TITLE: prints one page of text and writes the job's number.
print() {
    local answer
    answer=$(printf 'Kelvara\nTeste da fila de impressão\n' | lp -d "$queue" -t "$1") || return 1
    sed -n "s/^request id is $queue-\([0-9]*\) .*/\1/p" <<<"$answer"
}

completed() {
    lpstat -W completed -o "$queue" | grep -q "^$queue-$1 "
}

before=$(pgrep -x cupsd) || fail "no CUPS scheduler runs"
"$script" start >/dev/null
"$script" start >/dev/null
after=$(pgrep -x cupsd) || fail "the scheduler is gone"
[ "$before" = "$after" ] || fail "the scheduler was restarted ($before, then $after)"
"$script" status >/dev/null || fail "the queue is not ready"

job=$(print "Teste de fila") || fail "the queue refused a job"
for _ in $(seq 1 300); do
    completed "$job" && break
    sleep 0.2
done
completed "$job" || fail "job $job not done after 60 s"
pdf=$out/job_$job-Teste_de_fila.pdf
[ "$(head -c 5 "$pdf" 2>/dev/null)" = "%PDF-" ] || fail "job $job left no PDF $pdf: $(ls "$out")"
pdftotext "$pdf" - 2>/dev/null | grep -q -x "Teste da fila de impressão" ||
    fail "the text of $pdf does not read back: $(pdftotext "$pdf" - 2>&1 | head -3)"
rm -f "$pdf"

as_root cupsdisable "$queue"
job=$(print "Teste de fila parada") || fail "the stopped queue refused a job"
sleep 2
lpstat -o "$queue" | grep -q "^$queue-$job " || fail "job $job is not waiting in the stopped queue"
compgen -G "$out/job_$job-*" >/dev/null && fail "the stopped queue printed job $job"
as_root cancel "$queue-$job"

as_root cupsreject "$queue"
print "Teste de fila recusada" >/dev/null 2>&1 && fail "the queue took a job while refusing them"
"$script" start >/dev/null
"$script" status >/dev/null || fail "start left the queue stopped or refusing jobs"
echo "scheduler $after left running, queue $queue ready"
