#!/bin/sh
# Writes the bash completion of orvelin from its own --help texts, so it
# offers what the help describes: the commands of the "Commands:" list, and
# for each command the options of its usage line, a device after an option
# whose value is a DEVICE, a file where the usage line says FILE.
#   make-completion.sh ORVELIN OUTPUT
set -eu
program=$1 out=$2
export LC_ALL=C

help=$("$program" --help)
commands=$(printf '%s\n' "$help" | awk '/^Commands:$/ { list = 1; next } list && NF == 0 { exit } list { print $1 }')

# "option METAVAR" per option of a usage line ("--json" alone when it takes
# no value), and "argument WORD" per positional word.
usage_words() {
    awk 'NR == 1 {
        sub(/^Usage: +[^ ]+ +[^ ]+ */, "")
        while ($0 != "") {
            if (match($0, /^\[[^]]*\]/)) {
                n = split(substr($0, 2, RLENGTH - 2), part, " ")
                if (part[1] != "--")
                    print "option", part[1], (n > 1 ? part[2] : "")
                $0 = substr($0, RLENGTH + 1)
            } else if (match($0, /^[^ []+/)) {
                print "argument", substr($0, 1, RLENGTH)
                $0 = substr($0, RLENGTH + 1)
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

{
    printf '# bash completion for %s, written from its --help texts by tools/make-completion.sh.\n\n' "$(basename "$program")"
    printf '_orvelin_commands="%s"\n' "$(echo $commands)"
    printf '_orvelin_leading_options="%s"\n\n' "${leading% }"

    printf '# The options of a command, from its usage line.\n_orvelin_command_options()\n{\n    case $1 in\n'
    for command in $commands; do
        options=$("$program" "$command" --help | usage_words | awk '$1 == "option" { print $2 }' | tr '\n' ' ')
        printf '        %s) echo "%s--help" ;;\n' "$command" "$options"
    done
    printf '    esac\n}\n\n'

    printf '# What the value of an option names (DEVICE, FILE, ...); empty for a flag.\n_orvelin_value_of()\n{\n    case $1 in\n'
    for command in $commands; do
        "$program" "$command" --help | usage_words | awk '$1 == "option" && $3 != "" { print $2, $3 }'
    done | sort -u -k1,1 | while read -r option value; do
        printf '        %s) echo %s ;;\n' "$option" "$value"
    done
    printf '    esac\n}\n\n'

    printf '# The commands whose arguments are files.\n_orvelin_file_commands="%s"\n\n' "$(
        for command in $commands; do
            "$program" "$command" --help | usage_words | awk -v c="$command" '$1 == "argument" && $2 ~ /^FILE/ { print c; exit }'
        done | tr '\n' ' ' | sed 's/ $//')"

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
    elif [[ " $_orvelin_file_commands " == *" $command "* ]]; then
        _orvelin_files
    fi
}
complete -F _orvelin orvelin
EOF
} >"$out"
