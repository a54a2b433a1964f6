#!/usr/bin/env bash
# Reads one compiled catalogue back and checks it against the template: every
# message of the template is in it, translated (msgfmt leaves out untranslated
# and fuzzy ones), and every translation keeps each "%@" of its original, which
# the program fills in.
#   check-catalog.sh <catalogue.mo> <template.pot>
set -euo pipefail
catalogue="$1"
template="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

msgunfmt --no-wrap -o "$work/catalogue.po" "$catalogue"
msgcmp "$work/catalogue.po" "$template"
# shellcheck disable=SC2016  # expanded by the shell msgexec starts
msgexec -i "$work/catalogue.po" bash -c '
  [[ -z "$MSGEXEC_MSGID" ]] && exit 0
  translation="$(cat)"
  count() { grep -o "%@" <<<"$1" | wc -l; }
  [[ $(count "$MSGEXEC_MSGID") -eq $(count "$translation") ]] && exit 0
  echo "\"$MSGEXEC_MSGID\" -> \"$translation\": the %@ do not match" >&2
  exit 1'
echo "$(basename "$(dirname "$(dirname "$catalogue")")"): every message translated, every %@ kept"
