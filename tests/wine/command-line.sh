#!/usr/bin/env bash
# The command line's answers to wrong use, to hostile score files and to a selection the score
# lacks (a region scope applied with nothing selected fails the run), compared with
# tests/wine/command-line.txt: the same words and exit codes on every build, under Wine too.
# Usage: command-line.sh SOURCE_DIR [--wine WINE_RUN] FINALE
set -euo pipefail

source "$(dirname "$0")/session-common.sh"

# One virtual screen for all the runs under Wine, so none brings up (and tears down) its own;
# each run starts a window manager there (scripts/wine-run), which a dialog's run needs.
rerun_on_virtual_screen env CALVEX_WINDOW_MANAGER=1

# Hostile score files, given by names relative to a folder of their own (so the transcript is the
# same on every build).
make_work_folder command-line
cd "$work"
printf '1E444' >number-overflow.json
printf '{"staves": [{"id": 1}], "measures": [%s{}], "parts": [{"id": 0, "widths": [1]}]}' \
  "$(printf '{}, %.0s' $(seq 1 32766))" >many-measures.json
printf '{"staves": [{"id": 1}, {"id": 1}], "measures": [{}], "parts": [{"id": 0, "widths": [1]}]}' \
  >twice-listed-staff.json
printf '{"staves": [{"id": 1}], "measures": [{}], "parts": [{"id": 0, "widths": [1]}], "preferences": 5}' \
  >wrong-preferences.json
mkdir folder.json
printf '{"staves": [{"id": 1}], "measures": [{}, {}], "parts": [{"id": 0, "widths": [200, 200]}]}' \
  >no-selection.json

long_folder=$(printf 'f%.0s' $(seq 1 260))
cases=(
  "--bogus"
  "--score s.json stray"
  "--score s.json --mode"
  "--score s.json --mode 4294967297"
  "--score s.json --reference-measure -2147483648"
  "--score s.json --move 1,2,3"
  "--orchestra 501 3"
  "--smoke --apply"
  "--score s.json --settings $long_folder"
  "--score s.json --call-log no-such-folder/calls.txt"
  "--score number-overflow.json"
  "--score many-measures.json"
  "--score twice-listed-staff.json"
  "--score wrong-preferences.json"
  "--score folder.json"
  "--score s.json --select 4-"
  "--score s.json --select-staves 2"
  "--score no-selection.json --part Oboe"
  "--score no-selection.json --select 3"
  "--score no-selection.json --select 1-2 --select-staves 2"
  "--score no-selection.json --scope 0 --mode 1 --apply --quiet"
)

# Each run's output goes to a file of its own: Wine's helper processes inherit it and keep it open
# until Wine shuts down a few seconds after the run, which a command substitution would wait for
# (and each run would then start Wine anew).
transcript() {
  local arguments status output index=0
  for arguments in "${cases[@]}"; do
    status=0
    output="$work/output.$((index += 1))"
    # shellcheck disable=SC2086 # each case is a list of words
    "${runner[@]}" "$finale" $arguments >"$output" 2>&1 || status=$?
    printf '$ %s\nexit %s\n%s\n' "${arguments//$long_folder/LONG_FOLDER}" "$status" "$(<"$output")"
  done | sed 's/\r$//'
}

diff -u "$source_dir/tests/wine/command-line.txt" <(transcript)
