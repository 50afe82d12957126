#!/usr/bin/env bash
# The before/after picture from the command line. Natively: a session on the chamber example with
# its linked parts writes an SVG and a PNG, and a picture path of another kind is refused before
# the session. The Windows build draws no pictures: it refuses the option with a clear message
# and writes nothing.
# Usage: picture-session.sh SOURCE_DIR [--wine WINE_RUN] FINALE
set -euo pipefail

source "$(dirname "$0")/session-common.sh"

make_work_folder picture-session

# One session; its report and its errors go to files, its exit status is answered.
run_finale() {
  local name=$1 status=0
  shift
  "${runner[@]}" "$finale" "$@" >"$work/$name.txt" 2>"$work/$name.err" || status=$?
  sed -i 's/\r$//' "$work/$name.txt" "$work/$name.err"
  return "$status"
}

starts_with_bytes() {
  [ "$(head -c "${#2}" "$1")" = "$2" ]
}

if under_wine; then
  status=0
  run_finale windows --score "$(host_path "$source_dir/examples/piano.json")" \
    --picture "$(host_path "$work/piano.svg")" --apply || status=$?
  check "Windows build: --picture is refused" [ "$status" -ne 0 ]
  check "Windows build: it says pictures are not available" \
    grep -q "pictures are not available" "$work/windows.err"
  check "Windows build: no picture is written" [ ! -e "$work/piano.svg" ]
else
  session=(--score "$source_dir/examples/chamber.musicxml" --parts --scope 1 --mode 1 --apply)
  for format in svg png pdf; do
    status=0
    run_finale "$format" "${session[@]}" --picture "$work/chamber.$format" || status=$?
    check "$format: the session succeeds" [ "$status" -eq 0 ]
    check "$format: the report names the picture" \
      grep -qxF "picture: $work/chamber.$format" "$work/$format.txt"
  done
  check "svg: an SVG document" grep -q '<svg' "$work/chamber.svg"
  check "png: a PNG file" starts_with_bytes "$work/chamber.png" $'\x89PNG'
  check "pdf: a PDF file" starts_with_bytes "$work/chamber.pdf" '%PDF-'
  status=0
  run_finale wrong "${session[@]}" --picture "$work/chamber.gif" || status=$?
  check "gif: refused" [ "$status" -ne 0 ]
  check "gif: no session was run" [ ! -s "$work/wrong.txt" ]
  check "gif: the message names the formats" grep -q "written as .svg, .png or .pdf" "$work/wrong.err"
  check "gif: nothing written" [ ! -e "$work/chamber.gif" ]
fi

if [ "$failed" -ne 0 ]; then
  tail -n 20 "$work"/*.txt "$work"/*.err
fi
exit "$failed"
