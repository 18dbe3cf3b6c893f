#!/bin/sh
# Writes a program's man page from its own --help texts, so the page says
# exactly what the program says:
#   make-man-page.sh PROGRAM VERSION SUMMARY OUTPUT
# The usage lines become the SYNOPSIS and the rest of the help the
# DESCRIPTION; a "Commands:" list adds a COMMANDS section with each
# command's own --help.
set -eu
program=$1 version=$2 summary=$3 out=$4
name=$(basename "$program")
export LC_ALL=C

# Text shown as it is: backslashes and dashes escaped, a leading dot or
# apostrophe kept from being read as a request.
verbatim() {
    sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e 's/^\([.'\'']\)/\\\&\1/'
}

# The help without the "NAME: summary" line some programs start with.
help=$("$program" --help | sed "1{/^$name: /d;}")

{
    printf '.TH "%s" 1 "" "%s %s" "User Commands"\n' "$(printf '%s\n' "$name" | tr '[:lower:]' '[:upper:]')" "$name" "$version"
    printf '.SH NAME\n%s \\- %s\n' "$(printf '%s\n' "$name" | verbatim)" "$(printf '%s\n' "$summary" | verbatim)"
    printf '.SH SYNOPSIS\n.nf\n'
    # The usage line and the indented lines right after it, without "Usage: ".
    printf '%s\n' "$help" | awk '
        /^[Uu]sage: / { sub(/^[Uu]sage: +/, ""); print; usage = 1; next }
        usage && /^ +[^ ]/ { sub(/^ +/, ""); print; next }
        { usage = 0 }' | verbatim
    printf '.fi\n.SH DESCRIPTION\n.nf\n'
    printf '%s\n' "$help" | awk '
        /^[Uu]sage: / { usage = 1; next }
        usage && /^ +[^ ]/ { next }
        { usage = 0 }
        started || NF { started = 1; print }' | verbatim
    printf '.fi\n'
    commands=$(printf '%s\n' "$help" | awk '/^Commands:$/ { list = 1; next } list && NF == 0 { exit } list { print $1 }')
    if [ -n "$commands" ]; then
        printf '.SH COMMANDS\n'
        # A command without a help of its own has its line in the list only.
        for command in $commands; do
            "$program" "$command" --help >/dev/null 2>&1 || continue
            printf '.SS "%s %s"\n.nf\n' "$name" "$command"
            "$program" "$command" --help | verbatim
            printf '.fi\n'
        done
    fi
} >"$out"
