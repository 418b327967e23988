# fish completion for mousecfgctl

set -l commands list status get set apply select-slot export-conf import-conf rules help
set -l settings dpi-levels dpi-level dpi dpi-enabled dpi-linked rate effect color brightness speed sleep move-off button scroll-speed pointer-speed angle-snapping lift sync jitter key-response

complete -c mousecfgctl -f
complete -c mousecfgctl -l slot -x -a '1 2 3 4 5' -d 'The slot get and set work on'
complete -c mousecfgctl -l json -d 'One JSON object for status, list, get and rules list'
complete -c mousecfgctl -l no-apply -d 'set only saves'
complete -c mousecfgctl -l all -d 'apply: send everything'
complete -c mousecfgctl -l app-dir -x -a '(__fish_complete_directories)' -d 'The application folder'
complete -c mousecfgctl -l simulate -f -a 'receiver cable both' -d 'Use the simulated mouse'
complete -c mousecfgctl -l trace -r -F -d 'Append every report to FILE'
complete -c mousecfgctl -s v -l verbose -d 'Say which way a command goes'
complete -c mousecfgctl -s h -l help -d 'Usage'
complete -c mousecfgctl -l version -d 'The version'

complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a list -d 'Devices and interfaces found'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a status -d 'Battery, DPI level, rate, connection, slot'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a get -d 'A setting of the slot, or all'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a set -d 'Change a setting and write it'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a apply -d 'Write the current slot to the mouse'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a select-slot -d 'Make a slot current'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a export-conf -d 'Write the profile set to a .conf file'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a import-conf -d 'Read a .conf file and write it'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a rules -d 'Profiles by program'
complete -c mousecfgctl -n "not __fish_seen_subcommand_from $commands" -a help -d 'Usage, or more about a command'

complete -c mousecfgctl -n "__fish_seen_subcommand_from get set; and not __fish_seen_subcommand_from $settings" -a "$settings"
complete -c mousecfgctl -n "__fish_seen_subcommand_from set; and __fish_seen_subcommand_from rate" -a '125 250 500 1000'
complete -c mousecfgctl -n "__fish_seen_subcommand_from set; and __fish_seen_subcommand_from effect" -a 'off full 7-color breathing 7-color-breathing rainbow wave single-wave yo-yo 7-color-tail reactive tri-color'
complete -c mousecfgctl -n "__fish_seen_subcommand_from set; and __fish_seen_subcommand_from move-off angle-snapping sync jitter dpi-enabled dpi-linked" -a 'on off'
complete -c mousecfgctl -n "__fish_seen_subcommand_from button" -a 'wheel-up wheel-down left right middle forward back off cut copy paste select-all find new print save switch-window close-window my-computer run show-desktop lock-pc browser-home browser-back browser-forward browser-stop browser-refresh browser-search browser-favorite mail boss-key play-pause stop previous-track next-track volume-up volume-down mute media-player dpi-switch dpi-up dpi-down rate-switch rate-up rate-down led-switch scroll-up scroll-down key combo fire macro'
complete -c mousecfgctl -n "__fish_seen_subcommand_from select-slot" -a '1 2 3 4 5'
complete -c mousecfgctl -n "__fish_seen_subcommand_from export-conf import-conf" -F
complete -c mousecfgctl -n "__fish_seen_subcommand_from rules; and not __fish_seen_subcommand_from list add remove default" -a 'list add remove default'
complete -c mousecfgctl -n "__fish_seen_subcommand_from help" -a "$commands"
