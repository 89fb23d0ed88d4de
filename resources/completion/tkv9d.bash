# bash completion for tkv9d and tkv9d-sim. The words come from the programs themselves
# (tkv9d complete ..., tkv9d-sim --help), so a new command, option or parameter is offered
# without a change here.

_tkv9d_words() {
    local IFS=$'\n'
    COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" complete "$1" 2>/dev/null)" -- "$2"))
}

_tkv9d_files() {
    compopt -o filenames 2>/dev/null
    local IFS=$'\n'
    COMPREPLY=($(compgen -f -- "$1"))
}

_tkv9d() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    --port) _tkv9d_words ports "$cur"; return ;;
    --device | --trace-file) _tkv9d_files "$cur"; return ;;
    --address) COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 9" -- "$cur")); return ;;
    --entry) COMPREPLY=($(compgen -W "A $(echo {1..16})" -- "$cur")); return ;;
    --timeout | --period | --count | --listen | --allow | --max-clients | --idle-timeout) return ;;
    esac
    if [[ $cur == -* ]]; then
        _tkv9d_words options "$cur"
        return
    fi
    # The command is the first word that is neither an option nor an option's value.
    local i word command="" arguments=0
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
        --port | --device | --address | --timeout | --trace-file | --period | --count | --entry | \
            --listen | --allow | --max-clients | --idle-timeout) ((i++)) ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=$word; else ((arguments++)); fi ;;
        esac
    done
    case $command in
    "") _tkv9d_words commands "$cur" ;;
    get) ((arguments == 0)) && _tkv9d_words parameters "$cur" ;;
    set) ((arguments == 0)) && _tkv9d_words settable "$cur" ;;
    watch) _tkv9d_words parameters "$cur" ;;
    program-store | program-load) ((arguments == 0)) && COMPREPLY=($(compgen -W "$(echo {1..16})" -- "$cur")) ;;
    programs-read | programs-write | diff | curve) ((arguments == 0)) && _tkv9d_files "$cur" ;;
    esac
    return 0
}
complete -F _tkv9d tkv9d

_tkv9d_sim() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    case $prev in
    --port | --log) _tkv9d_files "$cur"; return ;;
    --com | --address | --dlq3 | --fault | --seed) return ;;
    esac
    local IFS=$'\n'
    COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" --help 2>/dev/null |
        grep -o -- '--[a-z][a-z0-9-]*' | sort -u)" -- "$cur"))
}
complete -F _tkv9d_sim tkv9d-sim
