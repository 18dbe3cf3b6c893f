#!/bin/sh
# Writes the bash completion of orvelin from its own --help texts, so it
# offers what the help describes: the commands of the "Commands:" list, and
# for each command the options of its usage line, a device after an option
# whose value is a DEVICE, a file where the usage line says FILE, a command
# where it says COMMAND.
#   make-completion.sh ORVELIN OUTPUT
set -eu
program=$1 out=$2
export LC_ALL=C

help=$("$program" --help)
commands=$(printf '%s\n' "$help" | awk '/^Commands:$/ { list = 1; next } list && NF == 0 { exit } list { print $1 }')

# The usage line of a command: from its own --help, or for a command without
# one, from its line in the "Commands:" list.
usage_of() {
    if "$program" "$1" --help >/dev/null 2>&1; then
        "$program" "$1" --help | sed -n '1s/^Usage: *[^ ]* *[^ ]* *//p'
    else
        printf '%s\n' "$help" | awk -v c="$1" '/^Commands:$/ { list = 1; next }
            list && $1 == c { sub(/^ +[^ ]+ */, ""); sub(/  .*/, ""); print; exit }'
    fi
}

# "option NAME METAVAR" per option of a usage line (METAVAR empty for a
# flag; "[--csv | --plot]" gives two) and "argument WORD" per positional word.
usage_words() {
    awk '{
        while ($0 != "") {
            if (match($0, /^\[[^]]*\]/)) {
                group = substr($0, 2, RLENGTH - 2)
                $0 = substr($0, RLENGTH + 1)
            } else {
                match($0, /^[^ ]+/)
                group = substr($0, 1, RLENGTH)
                $0 = substr($0, RLENGTH + 1)
            }
            n = split(group, choice, / \| /)
            for (k = 1; k <= n; ++k) {
                split(choice[k], part, " ")
                if (part[1] ~ /^--?[a-z]/)
                    print "option", part[1], part[2]
                else if (part[1] != "--")
                    print "argument", part[1]
            }
            sub(/^ +/, "")
        }
    }'
}

# The options given before a command: those of the "Options of every
# command:" list, and those of orvelin's own usage lines.
leading=$(printf '%s\n' "$help" | awk '
    /^Options of every command:$/ { list = 1; next }
    list && NF == 0 { list = 0 }
    list { for (k = 1; k <= NF && $k ~ /^-/; ++k) { sub(/,$/, "", $k); if ($k ~ /^--/) print $k } }
    /^[Uu]sage: / { usage = 1 }
    usage && !/^[Uu]sage: / && !/^ +[^ ]/ { usage = 0 }
    usage { for (k = 1; k <= NF; ++k) if ($k ~ /^--[a-z]/) print $k }' | sort -u | tr '\n' ' ')

words=$(for command in $commands; do usage_of "$command" | usage_words | sed "s/^/$command /"; done)

{
    printf '# bash completion for %s, written from its --help texts by tools/make-completion.sh.\n\n' "$(basename "$program")"
    printf "_orvelin_commands='%s'\n" "$(echo $commands)"
    printf "_orvelin_leading_options='%s'\n\n" "${leading% }"

    printf '# The options of a command, from its usage line.\n_orvelin_command_options()\n{\n    case $1 in\n'
    for command in $commands; do
        options=$(printf '%s\n' "$words" | awk -v c="$command" '$1 == c && $2 == "option" { print $3 }' | tr '\n' ' ')
        "$program" "$command" --help >/dev/null 2>&1 && options="$options--help"
        printf "        %s) echo '%s' ;;\n" "$command" "${options% }"
    done
    printf '    esac\n}\n\n'

    printf '# What the value of an option names (DEVICE, FILE, ...); empty for a flag.\n_orvelin_value_of()\n{\n    case $1 in\n'
    printf '%s\n' "$words" | awk '$2 == "option" && $4 != "" { print $3, $4 }' | sort -u -k1,1 |
        while read -r option value; do
            printf "        %s) echo '%s' ;;\n" "$option" "$value"
        done
    printf '    esac\n}\n\n'

    printf '# What the arguments of a command name, where they name files or commands.\n_orvelin_arguments_of()\n{\n    case $1 in\n'
    printf '%s\n' "$words" | awk '$2 == "argument" && $3 ~ /^(FILE|COMMAND)/ && !seen[$1]++ { sub(/[^A-Z].*/, "", $3); print $1, $3 }' |
        while read -r command kind; do
            printf '        %s) echo %s ;;\n' "$command" "$kind"
        done
    printf '    esac\n}\n\n'

    cat <<'EOF'
_orvelin_files()
{
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -f -- "$cur"))
}

_orvelin_devices()
{
    local device
    for device in /dev/serial/by-id/* /dev/ttyUSB* /dev/ttyACM*; do
        [ -e "$device" ] && echo "$device"
    done
}

_orvelin()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command= word k
    # The first word that is neither an option nor an option's value.
    for ((k = 1; k < COMP_CWORD; k++)); do
        word=${COMP_WORDS[k]}
        case $word in
        -*) [ -n "$(_orvelin_value_of "$word")" ] && ((k++)) ;;
        *) command=$word; break ;;
        esac
    done
    COMPREPLY=()
    case $(_orvelin_value_of "$prev") in
    DEVICE)
        COMPREPLY=($(compgen -W "$(_orvelin_devices)" -- "$cur"))
        [ ${#COMPREPLY[@]} -eq 0 ] && _orvelin_files
        return
        ;;
    FILE)
        _orvelin_files
        return
        ;;
    ?*) return ;;
    esac
    if [ -z "$command" ]; then
        case $cur in
        -*) COMPREPLY=($(compgen -W "$_orvelin_leading_options" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "$_orvelin_commands" -- "$cur")) ;;
        esac
    elif [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_orvelin_command_options "$command")" -- "$cur"))
    else
        case $(_orvelin_arguments_of "$command") in
        FILE) _orvelin_files ;;
        COMMAND) COMPREPLY=($(compgen -W "$_orvelin_commands" -- "$cur")) ;;
        esac
    fi
}
complete -F _orvelin orvelin
EOF
} >"$out"
