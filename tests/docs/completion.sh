#!/usr/bin/env bash
# The bash completion written from orvelin's option tables completes
# commands, options, devices and files; each command offers the options its
# usage line shows, and each is one that the command accepts.
#   completion.sh ORVELIN COMPLETION-FILE
set -u
orvelin=$1
# shellcheck source=/dev/null
. "$2"
work=$(mktemp -d /tmp/orvelin-completion.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# expect WANT WORD...: completing the last WORD offers WANT.
expect() {
    local want=$1
    shift
    COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMPREPLY=()
    _orvelin
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
    [ "${got% }" = "$want" ] || fail "'$*' completes to '${got% }', not '$want'"
}

touch "$work/values.txt" "$work/firmware.upd"
expect "table" orvelin ta
expect "--version" orvelin --v
expect "--count --csv" orvelin watch --c
expect "--count --csv" orvelin --port /dev/ttyUSB0 watch M_POS --c
expect "--dry-run" orvelin flash --d
expect "table" orvelin help ta
expect "" orvelin table --id ""
expect "" orvelin set M_
expect "$work/values.txt" orvelin flash "$work/va"
expect "$work/firmware.upd" orvelin --id 3F update "$work/fi"
expect "$work/values.txt" orvelin table --port "$work/va"

for command in $_orvelin_commands; do
    [ "$command" = help ] && continue
    shown=$("$orvelin" "$command" --help | head -n 1 | grep -o -- '--[a-z][a-z-]*' | tr '\n' ' ')
    [ "$(_orvelin_command_options "$command")" = "${shown}--help" ] ||
        fail "$command offers '$(_orvelin_command_options "$command")', its usage line shows '$shown'"
    for option in $(_orvelin_command_options "$command"); do
        args=("$command" "$option")
        [ -n "$(_orvelin_value_of "$option")" ] && args+=(1)
        "$orvelin" "${args[@]}" --help >/dev/null 2>&1 || fail "orvelin ${args[*]} --help is refused"
    done
done
for option in $_orvelin_leading_options; do
    args=("$option")
    [ -n "$(_orvelin_value_of "$option")" ] && args+=(1)
    [ "$option" = --version ] || args+=(--help)
    "$orvelin" "${args[@]}" >/dev/null 2>&1 || fail "orvelin ${args[*]} is refused"
done
exit $status
