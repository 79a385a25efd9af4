#!/bin/sh
# Runs the installed show from a folder of the user's own, where its log goes,
# with the installed pak linked in anew at every start.
set -e
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")

# The program joins its arguments with blanks before it reads them.
if [ "$*" = buildpak ]; then
    echo "zpdemo: buildpak needs a data/ tree, which an installed show does not have." >&2
    exit 2
fi

case "${XDG_DATA_HOME:-}" in
    /*) data_home=$XDG_DATA_HOME ;;
    *) data_home=${HOME:?zpdemo: HOME is not set}/.local/share ;;
esac
work="$data_home/zpdemo"
mkdir -p "$work"
ln -sfn "$prefix/share/zpdemo/zplumenweaver.dat" "$work/zplumenweaver.dat"
cd "$work"
exec "$prefix/lib/zpdemo/zpdemo" "$@"
