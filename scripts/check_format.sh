#!/usr/bin/env bash
# Checks that every C++ file git tracks is formatted by the repository's
# .clang-format. The version is pinned: another clang-format may lay out the
# same code differently, and the tree is formatted with Debian 12's.
#   scripts/check_format.sh         report the files that differ (exit 1)
#   scripts/check_format.sh --fix   format them in place
set -euo pipefail
cd "$(dirname "$0")/.."
want_major=14
tool="${CLANG_FORMAT:-clang-format}"
have="$("$tool" --version 2>/dev/null | sed -n 's/.*clang-format version \([0-9]*\)\..*/\1/p')"
if [[ "$have" != "$want_major" ]]; then
  echo "check_format: need clang-format $want_major (Debian 12's package clang-format), found '${have:-none}'" >&2
  exit 1
fi
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.cc' '*.hpp')
if [[ "${1:-}" == "--fix" ]]; then
  "$tool" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$tool" "$f" | cmp -s - "$f" || bad+=("$f")
done
if (( ${#bad[@]} )); then
  echo "check_format: not formatted (run scripts/check_format.sh --fix):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "check_format: ${#files[@]} files formatted"
