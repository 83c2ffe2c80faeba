#!/usr/bin/env bash
# The README's commands on a machine that may not even have make yet: installs whatever is
# missing, then runs the Makefile's target. ./make.sh run opens the window, ./make.sh test runs
# every test; bench, sanitize and fuzz work the same way.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
exec make --no-print-directory "$@"
