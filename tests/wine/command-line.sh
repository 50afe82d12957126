#!/usr/bin/env bash
# The command line's answers to wrong use, compared with tests/wine/command-line.txt: the same
# words and exit codes on every build, under Wine too.
# Usage: command-line.sh SOURCE_DIR [--wine WINE_RUN] FINALE
set -euo pipefail

source "$(dirname "$0")/session-common.sh"

# One virtual screen for all the runs under Wine, so none brings up (and tears down) its own.
rerun_on_virtual_screen

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
)

transcript() {
  local arguments status
  for arguments in "${cases[@]}"; do
    status=0
    # shellcheck disable=SC2086 # each case is a list of words
    output=$("${runner[@]}" "$finale" $arguments 2>&1) || status=$?
    printf '$ %s\nexit %s\n%s\n' "${arguments//$long_folder/LONG_FOLDER}" "$status" "$output"
  done | sed 's/\r$//'
}

diff -u "$source_dir/tests/wine/command-line.txt" <(transcript)
