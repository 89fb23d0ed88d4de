#!/usr/bin/env bash
# completion_test.sh TKV9D COMPLETION: drives the bash completion as the shell does on Tab
# (COMP_WORDS, COMP_CWORD) against the built tool. Each row: what must be offered, exactly,
# for the words typed, the last being the word under the cursor.
set -u
tool=$1
source "$2" || exit 1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# The tool is asked by the name typed, as on an installed system.
mkdir -p "$dir/bin" "$dir/config/tkv9d/ports"
ln -s "$(realpath "$tool")" "$dir/bin/tkv9d"
PATH=$dir/bin:$PATH
# A port beyond the numbers that map to system devices, so only its link can offer it.
ln -s /dev/null "$dir/config/tkv9d/ports/COM200"
export XDG_CONFIG_HOME=$dir/config
touch "$dir/bench.tkv"

failed=0
check() {
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tkv9d
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | xargs)
    if [ "$got" != "$expected" ]; then
        echo "${*} <Tab>: offered '$got', expected '$expected'"
        failed=1
    fi
}
check "program-load program-store programs-read programs-write" tkv9d prog
check "strom1 strom2 strom3 strom4 stromausgangsfilter stromkurve" tkv9d get str
check "strom1 strom2 strom3 strom4 stromausgangsfilter stromkurve" tkv9d --port 3 get str
check "" tkv9d get strom1 str                        # get takes one name
check "" tkv9d set ist                               # measured values cannot be set
check "--trace --trace-file" tkv9d --tr
check "200" tkv9d --port 200
check "$dir/bench.tkv" tkv9d programs-write --verify "$dir/ben"
exit $failed
