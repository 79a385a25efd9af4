#!/usr/bin/env bash
# Measures the time from the start of zpdemo to its first progress-bar frame
# on the screen: under strace, from the execve to the first image the process
# puts to the X server (MIT-SHM PutImage, as Mesa's software path presents)
# after it logged the start of the precalc thread. strace slows the process
# a little, so the figure is an upper bound. Run from the repository root
# under scripts/with-virtual-display; needs strace.
set -eu
. "$(dirname "$0")/scratch-demo.sh"
SDL_AUDIODRIVER=dummy ZPDEMO_NO_DIALOGS=1 timeout 3 \
    strace -ttt -e trace=execve,write,writev -o trace.txt "$demo" writelog || true
awk '
    /execve\(/ && !start { start = $1 }
    /Starting precalc thr/ { precalc = $1 }  # strace cuts strings at 32 characters
    precalc && /writev\(/ && index($0, "iov_base=\"\\202\\3") { printf "first bar frame %.3f s after start (precalc thread started at %.3f s)\n", $1 - start, precalc - start; exit }
' trace.txt
