#!/usr/bin/env bash
# program_docs_test.sh VERSION PROGRAM=PAGE.scd...
# For each program: --version names the program and the project's version and exits 0 (a stale
# or hand-written version string fails), and the options its --help lists are the ones its
# manual page describes, both ways (an option added to one and not the other fails).
set -uo pipefail
version=$1
shift
failed=0
options() { grep -o -- '--[a-z][a-z0-9-]*' | sort -u; }
for row in "$@"; do
    program=${row%%=*}
    page=${row#*=}
    name=$(basename "$program" .exe)
    first=$("$program" --version | head -n 1)
    status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ] || [ "$first" != "$name $version" ]; then
        echo "$name --version: exit $status, '$first'; expected exit 0, '$name $version'"
        failed=1
    fi
    # The manual page's option entries are its lines that begin with a bold option.
    if ! difference=$(diff <("$program" --help | options) <(grep '^\*-' "$page" | options)); then
        echo "$name: --help (<) and $(basename "$page") (>) list other options:"
        echo "$difference"
        failed=1
    fi
done
exit $failed
