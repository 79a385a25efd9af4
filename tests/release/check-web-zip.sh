#!/usr/bin/env bash
# Checks the web zip as a visitor gets it: unpacked into an empty folder it
# holds one folder named like the zip with the page's files, the pak,
# serve.py and README.txt; that folder's own serve.py serves it on a free
# port, and in headless Chromium the show starts on a click and plays 10 s
# of show time with no error shown and no exception on the page.
# Usage (needs chromium): check-web-zip.sh ZIP
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 1 ] || { echo "usage: check-web-zip.sh ZIP" >&2; exit 2; }
zip=$(realpath "$1")
name=$(basename "$zip" .zip)

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder" || {
    echo "FAIL: $zip does not unpack"
    exit 1
}
held=$(cd "$folder" && find . -mindepth 1 -printf '%P\n' | sort | tr '\n' ' ')
expected=""
for file in README.txt serve.py zpdemo-isolation.js zpdemo.html zpdemo.js zpdemo.wasm zpdemo.worker.js \
    zplumenweaver.dat; do
    expected+="$name/$file "
done
expected="$name $expected"
if [ "$held" != "$expected" ]; then
    echo "FAIL: the zip holds \"$held\", not \"$expected\""
    exit 1
fi
echo "ok: the zip holds $name/ with $(ls "$folder/$name" | tr '\n' ' ')"
grep -q "python3 serve.py" "$folder/$name/README.txt" || { echo "FAIL: README.txt does not say how to serve it"; exit 1; }

python3 "$here/../web/check_show.py" --visitor "$folder/$name"
