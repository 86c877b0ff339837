#!/bin/bash
# A PostgreSQL 15 of a test's own, from Debian's postgresql-15 binaries: made
# by initdb in DIR, reached on a Unix socket in DIR only (no TCP port), run by
# a user that is not root (PostgreSQL refuses root; as root it runs as
# `nobody`, and DIR is handed to that user).
#   postgres.sh start DIR   makes the cluster if DIR has none, starts it and
#                           prints its URL (postgresql://...)
#   postgres.sh stop DIR    stops it, quickly; DIR stays for a start again
# Sourced, it gives pg_start DIR, pg_stop DIR and pg_url DIR.
# A missing package fails the test, whatever GLOUTON_REQUIRE_ALL says.
set -uo pipefail
PG_BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
source "$(dirname "${BASH_SOURCE[0]}")/require.sh"

pg_need() {
  local tool
  for tool in initdb pg_ctl postgres; do
    [ -x "$PG_BIN/$tool" ] || GLOUTON_REQUIRE_ALL=1 missing postgresql-15 "no $PG_BIN/$tool"
  done
  if [ "$(id -u)" = 0 ]; then
    command -v runuser >/dev/null || GLOUTON_REQUIRE_ALL=1 missing util-linux "no runuser"
  fi
}

# Runs a command as the cluster's owner.
pg_as_owner() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u nobody -- "$@"
  else
    "$@"
  fi
}

pg_url() {
  echo "postgresql:///postgres?host=$1&user=board"
}

pg_start() {
  local dir=$1
  pg_need
  [ -d "$dir" ] || { echo "postgres.sh: no folder $dir" >&2; return 1; }
  if [ ! -f "$dir/data/PG_VERSION" ]; then
    [ "$(id -u)" = 0 ] && chown nobody: "$dir"
    pg_as_owner test -w "$dir" || { echo "postgres.sh: its owner cannot reach $dir" >&2; return 1; }
    pg_as_owner "$PG_BIN/initdb" -D "$dir/data" -U board --auth=trust --no-locale -E UTF8 --no-sync \
      >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; return 1; }
    cat >>"$dir/data/postgresql.conf" <<CONF
listen_addresses = ''
unix_socket_directories = '$dir'
unix_socket_permissions = 0700
CONF
  fi
  pg_as_owner "$PG_BIN/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null ||
    { cat "$dir/server.log" >&2; return 1; }
  pg_url "$dir"
}

pg_stop() {
  pg_as_owner "$PG_BIN/pg_ctl" -D "$1/data" -m fast -w -t 60 stop >/dev/null
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case ${1:-} in
  start) pg_start "${2:?usage: postgres.sh start DIR}" ;;
  stop) pg_stop "${2:?usage: postgres.sh stop DIR}" ;;
  *) echo "usage: postgres.sh start|stop DIR" >&2; exit 2 ;;
  esac
fi
