#!/usr/bin/env bash
# Runs one Java test program with -Xcheck:jni and fails it when the VM ends
# abnormally or late, or prints a JNI warning or error; optionally compares
# its standard output with a file, byte for byte.
# Usage: run_java_test.sh JAVA TIMEOUT_SECONDS EXPECTED_STDOUT|- VM_ARGS... MAIN [ARGS...]
set -uo pipefail
java=$1 timeout_seconds=$2 expected=$3
shift 3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
timeout --kill-after=10 "$timeout_seconds" "$java" -Xcheck:jni \
  -XX:ErrorFile="$scratch/hs_err_%p.log" -XX:-CreateCoredumpOnCrash \
  "$@" >"$scratch/stdout" 2>"$scratch/stderr"
status=$?
cat "$scratch/stdout"
cat "$scratch/stderr" >&2

failed=0
if [ "$status" -eq 124 ]; then
  echo "run_java_test: the VM did not finish within ${timeout_seconds}s" >&2
  failed=1
elif [ "$status" -ne 0 ]; then
  echo "run_java_test: the VM exited with status $status" >&2
  failed=1
fi
if grep -hE 'WARNING|FATAL ERROR|JNI|A fatal error' "$scratch/stdout" "$scratch/stderr" >&2; then
  echo "run_java_test: the VM reported the lines above" >&2
  failed=1
fi
for log in "$scratch"/hs_err_*.log; do
  [ -e "$log" ] && head -n 40 "$log" >&2 && failed=1
done
if [ "$expected" != - ] && ! diff -u "$expected" "$scratch/stdout" >&2; then
  echo "run_java_test: standard output differs from $expected" >&2
  failed=1
fi
exit "$failed"
