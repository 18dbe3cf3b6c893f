#!/bin/sh
# Writes a program's man page from its own --help text, so the page says
# exactly what the program says (orvelin's own page comes from its option
# tables: cli/docs/):
#   make-man-page.sh PROGRAM VERSION SUMMARY OUTPUT
# The usage lines become the SYNOPSIS and the rest of the help the
# DESCRIPTION.
set -eu
program=$1 version=$2 summary=$3 out=$4
name=$(basename "$program")
export LC_ALL=C

# Text shown as it is: backslashes and dashes escaped, a leading dot or
# apostrophe kept from being read as a request.
verbatim() {
    sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e 's/^\([.'\'']\)/\\\&\1/'
}

help=$("$program" --help)

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
} >"$out"
