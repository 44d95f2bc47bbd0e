# Sourced by the batch-tool test scripts, which are called as SCRIPT TAVLO_CLI DATA_DIR: the tool,
# the test data, a scratch folder, and the checks they share. The script ends with
# `finish "what passed"`.
set -uo pipefail
cli=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS ARGS...: runs the tool, checks the exit status, and for failures that stderr is
# exactly one line and stdout is empty.
expect() {
  local want=$1
  shift
  "$cli" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$* exited $got, expected $want: $(cat "$work/err")"
  if [ "$want" -ne 0 ] && [ "$want" -ne 4 ]; then
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$* wrote $(wc -l <"$work/err") lines on stderr"
    [ ! -s "$work/out" ] || fail "$* wrote on stdout"
  fi
}

finish() {
  [ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
  echo "$1"
}
