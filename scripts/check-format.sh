#!/usr/bin/env bash
# Checks that every tracked C++ source and header is as clang-format-14 writes it from
# .clang-format, and names each file that is not (`clang-format-14 -i FILE` mends one).
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=${CLANG_FORMAT:-clang-format-14}
unformatted=0
checked=0
while IFS= read -r -d '' file; do
  if ! "$formatter" --style=file "$file" | cmp -s - "$file"; then
    echo "not formatted: $file"
    unformatted=$((unformatted + 1))
  fi
  checked=$((checked + 1))
done < <(git ls-files -z -- '*.cpp' '*.h')
if ((unformatted)); then
  echo "$unformatted file(s) differ from $formatter's layout" >&2
  exit 1
fi
echo "$checked C++ files, each as $formatter writes it"
