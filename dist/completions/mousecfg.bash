# bash completion for mousecfg

_mousecfg()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        -platform) COMPREPLY=($(compgen -W "xcb wayland" -- "$cur")); return ;;
    esac
    COMPREPLY=($(compgen -W "--hidden -platform -h --help --version" -- "$cur"))
} &&
    complete -F _mousecfg mousecfg
