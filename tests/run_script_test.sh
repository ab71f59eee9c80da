#!/usr/bin/env bash
# tools/run.sh without a desktop session: it says in one line that the
# application runs on a virtual display nobody sees and how to end it, and
# has xvfb-run start the application. The script runs as it is; the programs
# it calls are stand-ins first on PATH, so nothing is installed or built and
# nothing is written into the checkout.
set -euo pipefail
checkout=$1
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT

stub() { printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1"; chmod +x "$stubs/$1"; }
stub dpkg-query 'printf "install ok installed"'
stub locale 'echo de_DE.utf8'
stub apt-get 'echo "apt-get must not run here" >&2; exit 1'
stub localedef 'echo "localedef must not run here" >&2; exit 1'
stub cmake 'exit 0'
stub xvfb-run "echo \"\$*\" >\"$stubs/xvfb-run.args\""

said=$(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$stubs:$PATH" bash "$checkout/tools/run.sh" 2>&1)
status=0
[ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] || { echo "not one line: $said"; status=1; }
for part in "virtual" "nobody can see" "Ctrl+C"; do
  case "$said" in *"$part"*) ;; *) echo "\"$part\" missing from: $said"; status=1 ;; esac
done
[ "$(cat "$stubs/xvfb-run.args" 2>/dev/null)" = "-a build/shell/tesmora" ] ||
  { echo "xvfb-run was not asked to run the application"; status=1; }
exit $status
