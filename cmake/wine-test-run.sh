#!/bin/sh
# Runs one Windows test program under Wine (the loader is the first argument)
# and passes its output on once it has ended. Processes that it or Wine start
# on its behalf (Wine's desktop and services, a COM server) may hold on to its
# output after it ends; written to a file, that output keeps nobody waiting,
# whereas on ctest's pipe it kept the test "running" until the timeout.
loader=$1
shift
out=$(mktemp) || exit 1
"$loader" "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
