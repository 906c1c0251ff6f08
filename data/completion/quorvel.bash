# bash completion for quorvel, quorvel-sim and quorvel-players.
# Installed once under each program's name, as bash-completion looks it up by command.

_quorvel_countries=$'Australia\nEngland\nIndia\nNew Zealand\nPakistan\nSouth Africa\nSri Lanka\nWest Indies\nZimbabwe'

# Options' values complete given as "--opt VALUE" and as "--opt=VALUE" (-s splits the latter).
_quorvel_sim() {
    local cur prev words cword split
    _init_completion -s || return
    case $prev in
    --players | --log | --save)
        _filedir
        return
        ;;
    --resume)
        _filedir quo
        return
        ;;
    --left | --right)
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$_quorvel_countries" -- "${cur//\\/}"))
        [ ${#COMPREPLY[@]} -gt 0 ] && COMPREPLY=($(printf '%q\n' "${COMPREPLY[@]}"))
        return
        ;;
    --call)
        COMPREPLY=($(compgen -W "heads tails" -- "$cur"))
        return
        ;;
    --elect)
        COMPREPLY=($(compgen -W "bat bowl" -- "$cur"))
        return
        ;;
    --format)
        COMPREPLY=($(compgen -W "text csv json" -- "$cur"))
        return
        ;;
    --seed | --matches | --jobs | --remainders)
        return
        ;;
    esac
    $split && return
    COMPREPLY=($(compgen -W "--players --seed --left --right --call --elect --log --save
        --matches --stats --all-pairs --jobs --format --tournament --predict --remainders --resume
        --shard-rows --aggregate --help --version" -- "$cur"))
    # After --aggregate, the files of the rows.
    [[ $cur != -* && " ${words[*]} " == *" --aggregate "* ]] && _filedir
}
complete -F _quorvel_sim quorvel-sim

_quorvel_players() {
    local cur prev words cword
    _init_completion || return
    if [ "$cword" -eq 1 ]; then
        COMPREPLY=($(compgen -W "build dump check --help --version" -- "$cur"))
    elif [ "${words[1]}" = build ] && [ "$cword" -eq 2 ]; then
        _filedir csv
    else
        _filedir dat
    fi
}
complete -F _quorvel_players quorvel-players

_quorvel() {
    local cur
    _init_completion || return
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--help --version --user-data" -- "$cur"))
    else
        _filedir quo
    fi
}
complete -F _quorvel quorvel
