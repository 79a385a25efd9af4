#!/bin/sh
# Usage: count-imgui-symbols.sh NM WITHOUT WITH
# Passes when the symbols of WITHOUT name nothing of ImGui and those of WITH
# do: the second binary proves the listing sees ImGui where it is linked.
set -u
nm=$1
without=$2
with=$3

count() {
    listing=$("$nm" -C "$1") || { echo "$nm cannot list $1" >&2; exit 2; }
    [ -n "$listing" ] || { echo "$1 lists no symbols" >&2; exit 2; }
    printf '%s\n' "$listing" | grep -ci imgui
}

found=$(count "$without")
echo "$without: $found ImGui symbols"
[ "$found" -eq 0 ] || { printf '%s\n' "$("$nm" -C "$without" | grep -i imgui | head -n 5)" >&2; exit 1; }
found=$(count "$with")
echo "$with: $found ImGui symbols"
[ "$found" -gt 0 ] || exit 1
