#!/usr/bin/env bash
# Starts a private PostgreSQL server on 127.0.0.1 for the usage-tracking tests and
# writes its connection facts to /tmp/kx-pg.env (KX_PG_STATUS=ready, or
# KX_PG_STATUS=unavailable with KX_PG_REASON). Installs nothing; never fails the run.
# A server left from an earlier run is stopped first; with --stop the script only does that.

facts=${KX_PG_ENV_FILE:-/tmp/kx-pg.env}

unavailable() {
  echo "postgres: not started: $1"
  printf 'KX_PG_STATUS=unavailable\nKX_PG_REASON=%q\n' "$1" > "$facts" 2>/dev/null || true
  exit 0
}

main() {
  local bindir
  bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$bindir" ] && [ -x "$bindir/initdb" ] || unavailable "PostgreSQL server programs are not installed"

  # The server refuses to run as root: run it as the postgres account then.
  local -a as_owner=()
  local owner
  owner=$(id -un)
  if [ "$(id -u)" -eq 0 ]; then
    id postgres >/dev/null 2>&1 || unavailable "running as root and there is no postgres account"
    owner=postgres
    if command -v runuser >/dev/null 2>&1; then
      as_owner=(runuser -u postgres --)
    else
      as_owner=(su postgres -s /bin/sh -c)
    fi
  fi
  run() {
    if [ ${#as_owner[@]} -eq 0 ]; then "$@";
    elif [ "${as_owner[0]}" = su ]; then "${as_owner[@]}" "$(printf '%q ' "$@")";
    else "${as_owner[@]}" "$@"; fi
  }

  # Stop the server of an earlier run. The facts file lies in a shared folder: only a
  # folder this script made (its name and owner) is stopped and removed.
  if [ -f "$facts" ]; then
    local old old_top
    old=$(sed -n 's/^KX_PG_DATA=//p' "$facts" | head -n 1)
    old_top=$(dirname "$old")
    if [ -n "$old" ] && [[ $old_top =~ ^/tmp/kx-pg\.[A-Za-z0-9]{6}$ ]] && [ ! -L "$old_top" ] \
        && [ -d "$old" ] && [ "$(stat -c %U "$old_top" 2>/dev/null)" = "$owner" ]; then
      run "$bindir/pg_ctl" -D "$old" -m fast -w -t 20 stop >/dev/null 2>&1 || true
      rm -rf "$old_top"
    fi
    rm -f "$facts"
  fi
  if [ "${1:-}" = --stop ]; then
    echo "postgres: earlier server stopped"
    return 0
  fi

  local top data sock log pwfile
  top=$(mktemp -d /tmp/kx-pg.XXXXXX) || unavailable "cannot make a temporary folder"
  chmod 755 "$top"
  data=$top/data; sock=$top/sock; log=$top/server.log; pwfile=$top/pw
  mkdir -p "$sock"
  : > "$log"
  local password
  password=$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')
  printf '%s\n' "$password" > "$pwfile"
  [ "$owner" = postgres ] && chown -R postgres "$top"

  run "$bindir/initdb" -D "$data" -U postgres --pwfile="$pwfile" -E UTF8 --locale=C \
      --auth-local=trust --auth-host=scram-sha-256 >"$top/initdb.log" 2>&1 \
    || unavailable "initdb failed: $(tail -n 1 "$top/initdb.log")"
  rm -f "$pwfile"
  chmod 700 "$sock"

  local port started=""
  for port in $(seq 54329 54399); do
    # Skip ports somebody already listens on.
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then continue; fi
    if run "$bindir/pg_ctl" -D "$data" -l "$log" -w -t 30 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $sock" start >/dev/null 2>&1; then
      started=$port
      break
    fi
  done
  [ -n "$started" ] || unavailable "the server did not start: $(tail -n 1 "$log")"
  port=$started

  local psql=("$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U postgres -d postgres)
  run "${psql[@]}" -c "CREATE ROLE www_user LOGIN PASSWORD '$password'" >/dev/null 2>"$top/psql.log" \
    && run "${psql[@]}" -c "CREATE DATABASE www_user OWNER www_user" >/dev/null 2>>"$top/psql.log" \
    || unavailable "cannot create the tracking account: $(tail -n 1 "$top/psql.log")"

  {
    echo "KX_PG_STATUS=ready"
    echo "KX_PG_HOST=127.0.0.1"
    echo "KX_PG_PORT=$port"
    echo "KX_PG_DATABASE=www_user"
    echo "KX_PG_USER=www_user"
    echo "KX_PG_PASSWORD=$password"
    echo "KX_PG_DATA=$data"
  } > "$facts"
  chmod 644 "$facts"
  echo "postgres: listening on 127.0.0.1:$port (facts in $facts)"
}

main "$@"
exit 0
