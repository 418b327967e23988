# bash completion for mousecfgctl

_mousecfgctl()
{
    local cur prev words cword
    _init_completion || return

    local commands="list status get set apply select-slot export-conf import-conf rules help"
    local options="--slot --json --no-apply --all --app-dir --simulate --trace -v --verbose -h --help --version"
    local settings="dpi-levels dpi-level dpi dpi-enabled dpi-linked rate effect color brightness speed sleep move-off button scroll-speed pointer-speed angle-snapping lift sync jitter key-response"

    case $prev in
        --app-dir) _filedir -d; return ;;
        --trace) _filedir; return ;;
        --slot) COMPREPLY=($(compgen -W "1 2 3 4 5" -- "$cur")); return ;;
    esac
    if [[ $cur == --simulate=* ]]; then
        COMPREPLY=($(compgen -W "receiver cable both" -- "${cur#--simulate=}"))
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --simulate=" -- "$cur"))
        return
    fi

    # The command and its words, skipping options and their values.
    local i command="" args=()
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            --app-dir|--trace|--slot) ((i++)) ;;
            -*) ;;
            *) if [[ -z $command ]]; then command=${words[i]}; else args+=("${words[i]}"); fi ;;
        esac
    done

    case $command in
        "") COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        get|set)
            if ((${#args[@]} == 0)); then
                COMPREPLY=($(compgen -W "$settings" -- "$cur"))
            elif [[ ${args[0]} == button && ${#args[@]} == 1 ]]; then
                COMPREPLY=($(compgen -W "1 2 3 4 5 6 7 8 wheel-up wheel-down" -- "$cur"))
            elif [[ $command == set ]]; then
                case ${args[0]} in
                    rate) COMPREPLY=($(compgen -W "125 250 500 1000" -- "$cur")) ;;
                    effect) COMPREPLY=($(compgen -W "off full 7-color breathing 7-color-breathing rainbow wave single-wave yo-yo 7-color-tail reactive tri-color" -- "$cur")) ;;
                    move-off|angle-snapping|sync|jitter|dpi-enabled|dpi-linked) COMPREPLY=($(compgen -W "on off" -- "$cur")) ;;
                    lift) COMPREPLY=($(compgen -W "1 2" -- "$cur")) ;;
                    button) ((${#args[@]} == 2)) && COMPREPLY=($(compgen -W "left right middle forward back off cut copy paste select-all find new print save switch-window close-window my-computer run show-desktop lock-pc browser-home browser-back browser-forward browser-stop browser-refresh browser-search browser-favorite mail boss-key play-pause stop previous-track next-track volume-up volume-down mute media-player dpi-switch dpi-up dpi-down rate-switch rate-up rate-down led-switch scroll-up scroll-down key combo fire macro" -- "$cur")) ;;
                esac
            fi ;;
        select-slot) COMPREPLY=($(compgen -W "1 2 3 4 5" -- "$cur")) ;;
        export-conf|import-conf) _filedir conf ;;
        rules)
            if ((${#args[@]} == 0)); then
                COMPREPLY=($(compgen -W "list add remove default" -- "$cur"))
            elif [[ ${args[0]} == default ]]; then
                COMPREPLY=($(compgen -W "1 2 3 4 5 none" -- "$cur"))
            fi ;;
    esac
} &&
    complete -F _mousecfgctl mousecfgctl
