#!/usr/bin/env bash
# The web build in headless Chromium, drawing with SwiftShader: the show
# starts and plays (with the isolation headers and through the service
# worker without them), bad input is told on the page, and the capture mode
# draws the golden frames. The frames and their differences are kept in
# $ZP_WEB_OUT (default: a new temporary folder, named at the end).
# Usage: tests/web/check-web.sh BUILD_DIR (the folder scripts/build-web fills)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: tests/web/check-web.sh BUILD_DIR" >&2; exit 2; }
[ -d "$1" ] || { echo "tests/web/check-web.sh: $1 is not a folder" >&2; exit 2; }
build=$(realpath "$1")
command -v "${ZP_CHROMIUM:-chromium}" >/dev/null || {
    echo "tests/web/check-web.sh: no chromium (scripts/install-deps installs it)" >&2
    exit 2
}
export PYTHONUNBUFFERED=1

status=0
python3 "$here/check_show.py" "$build" || status=1
python3 "$here/check_frames.py" "$build" || status=1
exit "$status"
