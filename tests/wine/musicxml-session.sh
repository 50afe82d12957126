#!/usr/bin/env bash
# The same widths on both builds: the native host reads examples/chamber.musicxml with its
# linked parts, and its conversion to JSON is the checked-in examples/chamber.json; a session
# ("Full Score and All Parts", "Respace Using New Values", Apply) on the MusicXML natively, or on
# the converted JSON under Wine, reports exactly tests/golden/chamber-session.txt.
# Usage: musicxml-session.sh SOURCE_DIR [--wine WINE_RUN] FINALE
set -euo pipefail

source "$(dirname "$0")/session-common.sh"
make_work_folder musicxml-session
session=(--scope 1 --mode 1 --apply)

if ! under_wine; then
  "$finale" --score "$source_dir/examples/chamber.musicxml" --parts --output "$work/chamber.json" \
    >/dev/null
  diff "$source_dir/examples/chamber.json" "$work/chamber.json"
  "$finale" --score "$source_dir/examples/chamber.musicxml" --parts "${session[@]}" >"$work/report.txt"
else
  "${runner[@]}" "$finale" --score "$(host_path "$source_dir/examples/chamber.json")" "${session[@]}" \
    >"$work/report.txt"
  sed -i 's/\r$//' "$work/report.txt"
fi
diff "$source_dir/tests/golden/chamber-session.txt" "$work/report.txt"
echo "ok      the session's widths match tests/golden/chamber-session.txt"
