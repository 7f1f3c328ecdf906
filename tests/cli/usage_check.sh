#!/usr/bin/env bash
# The usage text of kamerol-cli --help is the one home of its synopsis and of
# the names --set takes; the README and the manual page quote them. Usage:
# usage_check.sh CLI SOURCE_DIR
set -u
cli=${1:?kamerol-cli}
source=${2:?the source root}
failed=0
fail() { echo "FAILED: $*"; failed=1; }

help=$("$cli" --help) || { echo "FAILED: kamerol-cli --help"; exit 1; }

# The synopsis: the lines after "Usage:" up to the first empty one.
synopsis=$(printf '%s\n' "$help" | sed -n '/^Usage:$/,/^$/p' | sed '1d;$d' | sed 's/^  //')
[ -n "$synopsis" ] || fail "no synopsis in --help"

# The README quotes it under "Command line", indented by four blanks.
readme=$(awk '/^`kamerol-cli` runs calculations without a display/ { quote = 1; next }
  quote && /^    / { print substr($0, 5); next }
  quote && NF { exit }' "$source/README.md")
[ "$readme" = "$synopsis" ] || fail "README.md's synopsis differs from --help:
--- README.md
$readme
--- kamerol-cli --help
$synopsis"

# The manual page's synopsis names every command and option of it.
man=$source/packaging/man/kamerol-cli.1
man_synopsis=$(sed -n '/^\.SH SYNOPSIS/,/^\.SH DESCRIPTION/p' "$man" | sed 's/\\-/-/g')
for word in $(printf '%s\n' "$synopsis" | grep -o -- '--\?[a-z][a-z-]*\|kamerol-cli [a-z]*' | sed 's/kamerol-cli //' | sort -u); do
  printf '%s\n' "$man_synopsis" | grep -q -- "\(^\|[ \"]\)$word\($\|[ \"=]\)" ||
    fail "the manual page's synopsis lacks $word"
done

# The names --set takes, word for word.
names() { tr '\n' ' ' | sed 's/\\-/-/g; s/  */ /g' | sed -n 's/.*is a field of the calculation (\(.*\)) or a control of.*/\1/p'; }
help_names=$(printf '%s\n' "$help" | names)
man_names=$(names <"$man")
[ -n "$help_names" ] || fail "no field names in --help"
[ "$man_names" = "$help_names" ] || fail "the manual page's field names differ from --help:
--- manual page
$man_names
--- kamerol-cli --help
$help_names"

exit $failed
