#!/usr/bin/env bash
# Runs Windows programs of the test suite under Wine, in a prefix of the
# build's own, with an Xvfb of its own for the windows they create.
#   run-under-wine.sh WINE_DIR PREFIX init              create the prefix
#   run-under-wine.sh WINE_DIR PREFIX run PROGRAM ARGS  run one program
# WINE_DIR holds wine64 and wineserver (Debian: /usr/lib/wine).
# Wine's first start in a new prefix takes long; later starts take seconds,
# which is why the prefix is made once, before the tests. No Wine process is
# left running afterwards.
set -euo pipefail
wine_dir=$1 prefix=$2 action=$3
shift 3
support=$(cd "$(dirname "$0")/../../../tests/support" && pwd)

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would
# stop the prefix creation with a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="

case "$action" in
  init)
    if [ -f "$prefix/system.reg" ]; then
      echo "Wine prefix $prefix is ready"
      exit 0
    fi
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    "$support/with-xvfb.sh" bash -c '"$1/wine64" wineboot --init && "$1/wineserver" -w' _ "$wine_dir"
    echo "Wine prefix $prefix created"
    ;;
  run)
    [ -f "$prefix/system.reg" ] || { echo "no Wine prefix at $prefix" >&2; exit 1; }
    # Wine is stopped while the X server is still there for it.
    exec "$support/with-xvfb.sh" bash -c '
      wine_dir=$1
      shift
      status=0
      "$wine_dir/wine64" "$@" || status=$?
      "$wine_dir/wineserver" -k 2>/dev/null || true
      "$wine_dir/wineserver" -w 2>/dev/null || true
      exit "$status"' _ "$wine_dir" "$@"
    ;;
  *)
    echo "unknown action: $action" >&2
    exit 2
    ;;
esac
