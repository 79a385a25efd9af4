#!/usr/bin/env bash
# Builds the archive of the data tree with the Windows executable under Wine
# and with the Linux one, and checks that both hold the same entries with the
# same contents. The order may differ with the directory listing, and so may
# the packed bytes (the gzip header names the system), so the checker
# compares names and inflated contents.
# Usage: smoke-buildpak.sh <zpdemo.exe> <Linux zpdemo> [data directory]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows_demo=$(realpath "$1")
linux_demo=$(realpath "$2")
data=$(realpath "${3:-$here/../../data}")
export ZP_WIN_BUILD_DIR=${ZP_WIN_BUILD_DIR:-$(dirname "$windows_demo")}
. "$here/wine-env.sh"

scratch=$(mktemp -d "$ZP_WIN_BUILD_DIR/smoke-buildpak.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/windows" "$scratch/linux"
ln -s "$data" "$scratch/windows/data"
ln -s "$data" "$scratch/linux/data"

wine_prepare_prefix
status=0
(cd "$scratch/windows" && wine_run 300 "$windows_demo" buildpak >out.txt 2>&1) || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: zpdemo.exe buildpak exited $status"
    tail -n 20 "$scratch/windows/out.txt"
    exit 1
fi
(cd "$scratch/linux" && ZPDEMO_NO_DIALOGS=1 timeout 300 "$linux_demo" buildpak >out.txt 2>&1) || {
    echo "FAIL: the Linux zpdemo buildpak failed"
    exit 1
}
if [ -e "$scratch/windows/zplumenweaver.dat.tmp" ]; then
    echo "FAIL: zpdemo.exe left its temporary archive behind"
    exit 1
fi

python3 - "$scratch/windows/zplumenweaver.dat" "$scratch/linux/zplumenweaver.dat" <<'PY'
import struct, sys, zlib

def inflate(data):
    # Any zlib or gzip header, like the engine's reader; the stream must end.
    stream = zlib.decompressobj(15 + 32)
    out = stream.decompress(data) + stream.flush()
    if not stream.eof or stream.unused_data:
        raise ValueError("stream does not end where its entry does")
    return out

def read_pak(path):
    raw = open(path, "rb").read()
    if raw[:5] != b"ZPPAK":
        raise ValueError(path + ": no archive magic")
    (list_size,) = struct.unpack_from("<I", raw, 5)
    data_start = 9 + list_size
    table = inflate(raw[9:data_start])
    (count,) = struct.unpack_from("<I", table, 0)
    at, entries = 4, {}
    for _ in range(count):
        (length,) = struct.unpack_from("<I", table, at)
        name = table[at + 4:at + 4 + length].decode("latin-1")
        offset, size = struct.unpack_from("<II", table, at + 4 + length)
        at += 12 + length
        if name in entries:
            raise ValueError(path + ": " + name + " is listed twice")
        entries[name] = inflate(raw[data_start + offset:data_start + offset + size])
    if at != len(table):
        raise ValueError(path + ": bytes after the file list")
    return entries

windows, linux = read_pak(sys.argv[1]), read_pak(sys.argv[2])
faults = ["only in the Windows archive: " + n for n in sorted(set(windows) - set(linux))]
faults += ["only in the Linux archive: " + n for n in sorted(set(linux) - set(windows))]
faults += ["contents differ: " + n for n in sorted(set(windows) & set(linux)) if windows[n] != linux[n]]
for fault in faults:
    print("FAIL:", fault)
if not linux:
    faults.append("empty")
    print("FAIL: the Linux archive is empty")
if faults:
    sys.exit(1)
print("OK: %d entries, %d bytes, equal in both archives" % (len(linux), sum(map(len, linux.values()))))
PY
