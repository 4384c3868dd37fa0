#!/bin/sh
# A throw-away PostgreSQL cluster on 127.0.0.1 for the call-record tests.
#   pg_cluster.sh start <dir> <schema.sql> <odbcinst.ini>
#                                           make the cluster, the login and the table; make <dir>
#                                           an ODBCSYSINI folder with the data source VqCallLogPg
#                                           and a copy of this script for the tests to call
#   pg_cluster.sh stop <dir>                stop the server, remove the cluster
#   pg_cluster.sh halt <dir> | resume <dir> stop or start the same server (same port)
# The server refuses to run as root, so the cluster belongs to an unprivileged system user.
set -eu

action=$1
dir=$2
owner=nobody
db_name=calllog
db_user=vqtest
# Characters that would break an unquoted ODBC connection string.
db_password='pa;ss}w{o=rd'

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "no PostgreSQL server installed" >&2; exit 1; }
data=$dir/cluster
sock=$dir/socket

as_owner() {
    if [ "$(id -u)" = 0 ]; then runuser -u "$owner" -- "$@"; else "$@"; fi
}

pg_ctl_stop() {
    if [ -f "$data/postmaster.pid" ]; then
        as_owner "$bindir/pg_ctl" -D "$data" -m fast -w -t 30 stop >/dev/null || true
    fi
}

pg_ctl_start() {
    as_owner "$bindir/pg_ctl" -D "$data" -l "$dir/server.log" -w -t 30 \
        -o "-p $1 -k $sock -c listen_addresses=127.0.0.1" start >/dev/null
}

case "$action" in
start)
    schema=$3
    drivers=$4
    pg_ctl_stop
    rm -rf "$data" "$sock"
    mkdir -p "$dir" "$sock"
    if [ "$(id -u)" = 0 ]; then chown "$owner" "$dir" "$sock"; fi
    as_owner "$bindir/initdb" -D "$data" -U postgres -E UTF8 --locale=C \
        --auth-local=trust --auth-host=scram-sha-256 >"$dir/initdb.log"
    # A free port: try a bounded number of candidates until the server starts on one.
    port=$((20000 + $$ % 20000))
    tries=0
    until pg_ctl_start "$port"; do
        tries=$((tries + 1))
        [ "$tries" -lt 20 ] || { cat "$dir/server.log" >&2; exit 1; }
        port=$((port + 1))
    done
    echo "$port" >"$dir/port"
    psql_admin() { psql -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U postgres "$@"; }
    psql_admin -d postgres -c "CREATE ROLE $db_user LOGIN PASSWORD '$db_password'" \
        -c "CREATE DATABASE $db_name OWNER $db_user ENCODING 'UTF8'"
    psql_admin -d "$db_name" -c "SET ROLE $db_user" -f "$schema"
    cp "$drivers" "$dir/odbcinst.ini"
    cp "$0" "$dir/pg_cluster.sh"
    cat >"$dir/odbc.ini" <<INI
[VqCallLogPg]
Driver=PostgreSQL Unicode
Servername=127.0.0.1
Port=$port
Database=$db_name
INI
    ;;
halt)
    pg_ctl_stop
    ;;
resume)
    pg_ctl_start "$(cat "$dir/port")"
    ;;
stop)
    pg_ctl_stop
    rm -rf "$data" "$sock"
    ;;
*)
    echo "usage: $0 start <dir> <schema.sql> <odbcinst.ini> | stop|halt|resume <dir>" >&2
    exit 2
    ;;
esac
