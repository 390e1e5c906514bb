#!/usr/bin/env bash
# The translators' files: po/kalvitor.pot, the texts marked in the sources
# (Tr, TrN, TrC, KV_N, KV_NC: src/engine/util/tr.h; in the browser page's scripts
# tr, trf, trc and KV_N: src/web/site/js/lang.js), and one po/<code>.po per
# language, merged with it.
#   scripts/po.sh           extracts the .pot and merges every .po with it
#   scripts/po.sh --check   fails when a .po does not pass msgfmt --check (a
#                           translation's format pieces must match its
#                           original's) or when the .pot is not what the
#                           sources give now (run scripts/po.sh and commit)
# The .pot names each text's files but not its lines, so that it only goes
# stale when a marked text changes.
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

extract() {
  find src -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --files-from=- --output="$1" --language=C++ --from-code=UTF-8 --add-location=file --force-po \
      --keyword= --keyword=Tr --keyword=TrN:1,2 --keyword=TrC:1c,2 --keyword=KV_N --keyword=KV_NC:1c,2 \
      --flag=FormatText:1:c-format --add-comments=TRANSLATORS: \
      --package-name=Kalvitor --msgid-bugs-address=kalvitor@localhost
  find src/web/site/js -name '*.js' | LC_ALL=C sort |
    xgettext --files-from=- --output="$1" --join-existing --language=JavaScript --from-code=UTF-8 \
      --add-location=file --keyword= --keyword=tr --keyword=trf --keyword=trc:1c,2 --keyword=KV_N --flag=trf:1:javascript-format \
      --add-comments=TRANSLATORS: --package-name=Kalvitor --msgid-bugs-address=kalvitor@localhost
}

# The .pot without the line that only says when it was made.
dated() { grep -v '^"POT-Creation-Date:' "$1"; }

case "${1:-}" in
  --check)
    status=0
    for po in po/*.po; do
      msgfmt --check --output-file=/dev/null "$po" || { echo "po: $po fails msgfmt --check" >&2; status=1; }
    done
    fresh="$(mktemp)"
    trap 'rm -f "$fresh"' EXIT
    extract "$fresh"
    if ! diff -u <(dated po/kalvitor.pot) <(dated "$fresh"); then
      echo "po: po/kalvitor.pot is stale against the sources: run scripts/po.sh" >&2
      status=1
    fi
    ((status == 0)) && echo "po: $(ls po/*.po | wc -l) catalogues checked, po/kalvitor.pot up to date"
    exit $status
    ;;
  "")
    fresh="$(mktemp)"
    trap 'rm -f "$fresh"' EXIT
    extract "$fresh"
    # Keep the old file (and its date) when only the date would change.
    if [[ ! -f po/kalvitor.pot ]] || ! diff -q <(dated po/kalvitor.pot) <(dated "$fresh") >/dev/null; then
      cp "$fresh" po/kalvitor.pot
    fi
    for po in po/*.po; do
      msgmerge --quiet --update --backup=none --add-location=file "$po" po/kalvitor.pot
    done
    ;;
  *) echo "usage: scripts/po.sh [--check]" >&2; exit 2 ;;
esac
