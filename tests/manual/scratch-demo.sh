# Sourced by the manual checks, from the repository root: $demo is the demo
# to run (the first argument, or build/zpdemo), and the shell moves into a
# scratch folder with the data beside it, removed at exit.
demo=$(realpath "${1:-build/zpdemo}")
data=$(realpath data)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
ln -s "$data" "$dir/data"
cd "$dir"
