#!/usr/bin/env bash
# Throwaway PostgreSQL 15 server for the tests.
#   pg-test-server.sh start DIR   initialises a cluster in DIR, starts it on
#                                 127.0.0.1 with trust authentication and prints
#                                 its URL (postgresql://postgres@127.0.0.1:PORT/postgres)
#   pg-test-server.sh stop DIR    stops it
# initdb refuses to run as root, so as root the server runs as the postgres user.
set -euo pipefail
cmd=$1
dir=$2
PGBIN=/usr/lib/postgresql/15/bin

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

case "$cmd" in
start)
    mkdir -p "$dir/data" "$dir/sock" "$dir/log"
    if [ "$(id -u)" -eq 0 ]; then
        chown -R postgres:postgres "$dir/data" "$dir/sock" "$dir/log"
        chmod 0755 "$dir"
    fi
    as_owner "$PGBIN/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/log/initdb.log" 2>&1 \
        || { cat "$dir/log/initdb.log" >&2; exit 1; }
    port=""
    for p in $(seq 55432 55632); do
        if ! (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null; then
            port=$p
            break
        fi
    done
    [ -n "$port" ] || { echo "no free port for PostgreSQL" >&2; exit 1; }
    as_owner "$PGBIN/pg_ctl" -D "$dir/data" -l "$dir/log/server.log" -w -t 60 \
        -o "-k $dir/sock -p $port -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=200" start >/dev/null \
        || { cat "$dir/log/server.log" >&2; exit 1; }
    echo "$port" >"$dir/port"
    echo "postgresql://postgres@127.0.0.1:$port/postgres"
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_owner "$PGBIN/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    ;;
*)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
