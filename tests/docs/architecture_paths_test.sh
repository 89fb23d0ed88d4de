#!/bin/sh
# Every path the architecture map names (in backticks, with a slash or a file extension) exists,
# so that the map cannot drift from the tree unnoticed. Names without a folder are looked up
# anywhere below src/ and tests/.
set -u
root=$1
missing=0
for name in $(grep -o '`[^` ]*`' "$root/docs/ARCHITECTURE.md" | tr -d '`' | sort -u); do
    case $name in
        */*) [ -e "$root/$name" ] || { echo "missing: $name"; missing=1; } ;;
        *.h | *.cpp | *.py | *.sh)
            [ -n "$(find "$root/src" "$root/tests" -name "$name" | head -1)" ] ||
                { echo "missing: $name"; missing=1; } ;;
    esac
done
exit $missing
