#!/usr/bin/env bash
# The man pages written from the programs' help texts render without a
# warning, carry the version, and show every line of those texts: the
# overview and each command's help for orvelin, the help of the servo.
#   man_pages.sh ORVELIN SERVO FOLDER-OF-THE-PAGES
set -u
orvelin=$1 servo=$2 folder=$3
export LC_ALL=C
work=$(mktemp -d /tmp/orvelin-man-pages.XXXXXX)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# Lines without their runs of blanks, so indentation does not count.
squeeze() { tr -s ' \t' ' ' | sed 's/^ //; s/ $//' | grep -v '^$'; }

# check PROGRAM [COMMAND]: the program's page shows each line of its --help,
# the "NAME: " of a first line and the "Usage: " of usage lines aside.
check() {
    local program=$1 text=$work/$(basename "$1").txt
    shift
    "$program" "$@" --help | sed '1s/^[^ ]*: //; s/^[Uu]sage: //' | squeeze >"$work/help"
    while IFS= read -r line; do
        grep -qF -- "$line" "$text" || fail "the page of $(basename "$program") $* does not show: $line"
    done <"$work/help"
}

for program in "$orvelin" "$servo"; do
    name=$(basename "$program")
    groff -man -Tascii -P-cbou -rLL=300n -ww "$folder/$name.1" 2>"$work/warnings" | squeeze >"$work/$name.txt"
    [ -s "$work/warnings" ] && fail "$name.1: $(cat "$work/warnings")"
    grep -qF "$("$program" --version)" "$work/$name.txt" || fail "$name.1 does not carry $("$program" --version)"
    check "$program"
done
for command in $("$orvelin" --help | awk '/^Commands:$/ { list = 1; next } list && NF == 0 { exit } list { print $1 }'); do
    check "$orvelin" "$command"
done
exit $status
