#!/usr/bin/env bash
# Runs a command on a private Xvfb display that lives only as long as it does.
set -u
n=$((90 + RANDOM % 400))
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
export DISPLAY=":$n"
"$@"
rc=$?
kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
exit $rc
