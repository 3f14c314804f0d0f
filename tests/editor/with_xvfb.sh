#!/bin/sh
# Runs a command on a private, virtual X server: with_xvfb.sh COMMAND [ARGS...]
#
# Xvfb picks a free display number itself and reports it (-displayfd), so
# tests that start at the same moment never race for one, as they can with
# xvfb-run -a. The server goes when the command ends; its exit status is the
# command's.
dir=$(mktemp -d) || exit 1
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/server.log" &
server=$!
read -r display <"$dir/display"
if [ -z "$display" ]; then
    echo "with_xvfb.sh: Xvfb did not start:" >&2
    cat "$dir/server.log" >&2
    rm -rf "$dir"
    exit 1
fi
DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$dir"
exit $status
