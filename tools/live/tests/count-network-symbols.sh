#!/bin/sh
# Usage: count-network-symbols.sh NM OBJDUMP WITHOUT WITH
# Passes when WITHOUT holds nothing of the sync editor's connection and does
# not import connect (nor, for a Windows binary, ws2_32.dll), while WITH
# holds the connection: the second binary proves the listing sees it.
set -u
nm=$1
objdump=$2
without=$3
with=$4

count() {
    listing=$("$nm" -C "$1" 2>/dev/null) || { echo "$nm cannot list $1" >&2; exit 2; }
    [ -n "$listing" ] || { echo "$1 lists no symbols" >&2; exit 2; }
    printf '%s\n' "$listing" | grep -c -e 'StreamSocket' -e 'SyncEditorLink' -e 'SyncCommandReader'
}

imports() {
    elf=$("$nm" -D "$1" 2>/dev/null | grep -c -E ' U connect(@|$)')
    pe=$("$objdump" -p "$1" 2>/dev/null | grep -ci 'DLL Name: ws2_32')
    echo $((elf + pe))
}

found=$(count "$without")
echo "$without: $found symbols of the connection"
[ "$found" -eq 0 ] || { "$nm" -C "$without" | grep -e StreamSocket -e SyncEditorLink | head -n 5 >&2; exit 1; }
imported=$(imports "$without")
echo "$without: $imported imports of connect or ws2_32"
[ "$imported" -eq 0 ] || exit 1
found=$(count "$with")
echo "$with: $found symbols of the connection"
[ "$found" -gt 0 ] || exit 1
imported=$(imports "$with")
echo "$with: $imported imports of connect or ws2_32"
[ "$imported" -gt 0 ] || exit 1
