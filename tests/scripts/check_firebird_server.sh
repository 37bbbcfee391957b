#!/usr/bin/env bash
# Starting the server where one already runs leaves it running: on a server
# machine every workstation is connected to it. The server the tests use is
# such a server.
#   check_firebird_server.sh SOURCE-FOLDER
set -euo pipefail
script=$1/scripts/firebird-server

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

before=$(pgrep -x firebird) || fail "no Firebird server runs"
"$script" start
"$script" start
after=$(pgrep -x firebird) || fail "the server is gone"
[ "$before" = "$after" ] || fail "the server was restarted ($before, then $after)"
"$script" status >/dev/null || fail "the server does not answer with the program's password"
echo "server $after left running"
