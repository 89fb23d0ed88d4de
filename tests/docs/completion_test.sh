#!/usr/bin/env bash
# completion_test.sh SHELL TKV9D COMPLETION: drives the completion of bash (COMP_WORDS,
# COMP_CWORD, as the shell does on Tab) or of zsh (words, CURRENT, with compadd and _files
# standing in for the completion system) against the built tool, row by row of
# completion_rows.
set -u
shell=$1 tool=$2 completion=$3
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

offered() {
    case $shell in
    bash)
        bash -c 'source "$0" || exit 1
                 COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
                 _tkv9d; printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$@"
        ;;
    zsh)
        # compadd offers what begins with the word under the cursor, as zsh's own does.
        zsh -fc 'compadd() {
                     local -a items; if [[ $1 == -a ]]; then items=(${(P)2}); else items=("$@"); fi
                     print -l -- ${(M)items:#${(b)words[CURRENT]}*}
                 }
                 _files() { print -l -- ${words[CURRENT]}*(N) }
                 service=tkv9d; words=("$@"); CURRENT=$#
                 source "$0"' "$completion" "$@"
        ;;
    esac
}

failed=0
while IFS='|' read -r expected typed; do
    [[ $expected == \#* ]] && continue
    expected=$(echo ${expected//DIR/$dir})
    read -r -a words <<<"${typed//DIR/$dir}"
    got=$(offered "${words[@]}" | grep . | sort | xargs)
    if [ "$got" != "$expected" ]; then
        echo "$shell: ${words[*]} <Tab>: offered '$got', expected '$expected'"
        failed=1
    fi
done <"$(dirname "$0")/completion_rows"
exit $failed
