# fish completion for mousecfg

complete -c mousecfg -f
complete -c mousecfg -l hidden -d 'Start in the tray without showing the window'
complete -c mousecfg -o platform -x -a 'xcb wayland' -d 'The display platform'
complete -c mousecfg -s h -l help -d 'Usage'
complete -c mousecfg -l version -d 'The version'
