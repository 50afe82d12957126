#!/usr/bin/env bash
# What a session writes, on both builds. Two sessions writing one output at the same time, many
# times over, always leave one whole result and both end well; a score, an output and a call log
# with names outside ASCII are read and written under exactly those names, and a plug-in module in
# a folder so named is loaded; a call log naming the score is refused and leaves the score as it
# was; a read-only output is refused and kept.
# Usage: output-files.sh SOURCE_DIR [--wine WINE_RUN] FINALE
set -euo pipefail

source "$(dirname "$0")/session-common.sh"
# Wine hands the program the command line's names decoded as the locale says: UTF-8.
export LC_ALL=C.UTF-8
rerun_on_virtual_screen -s "-screen 0 1024x768x24" env CALVEX_WINDOW_MANAGER=1
make_work_folder output-files

# One session; its report and its errors go to files named after it.
run_finale() {
  local name=$1
  shift
  "${runner[@]}" "$finale" "$@" >"$work/$name.txt" 2>"$work/$name.err"
}

cp "$source_dir/examples/quartet.json" "$work/quartet.json"
score=$(host_path "$work/quartet.json")
respace=(--scope 1 --mode 1 --apply)

# Two sessions that take as long as each other and write different results into a file of a few
# MB, so that their writes overlap.
run_finale generate --orchestra 24 3000 --output "$(host_path "$work/big.json")"
big=$(host_path "$work/big.json")
narrow=(--score "$big" --scope 1 --mode 1 --width 300 --apply)
wide=(--score "$big" --scope 1 --mode 1 --width 420 --apply)
run_finale alone-a "${narrow[@]}" --output "$(host_path "$work/a.json")"
run_finale alone-b "${wide[@]}" --output "$(host_path "$work/b.json")"
different() {
  ! cmp -s "$1" "$2"
}
check "the two sessions write different results" different "$work/a.json" "$work/b.json"

rounds=20
if under_wine; then
  rounds=3
fi
out=$(host_path "$work/out.json")
whole=0
both_ended_well=0
for ((round = 0; round < rounds; round++)); do
  status_a=0
  status_b=0
  run_finale race-a "${narrow[@]}" --output "$out" &
  first=$!
  run_finale race-b "${wide[@]}" --output "$out" &
  second=$!
  wait "$first" || status_a=$?
  wait "$second" || status_b=$?
  if cmp -s "$work/out.json" "$work/a.json" || cmp -s "$work/out.json" "$work/b.json"; then
    whole=$((whole + 1))
  fi
  if [ "$status_a" -eq 0 ] && [ "$status_b" -eq 0 ]; then
    both_ended_well=$((both_ended_well + 1))
  fi
done
echo "        $rounds rounds of two writers: $whole left one whole result, in $both_ended_well both ended well"
check "two writers of one output always leave one whole result" [ "$whole" -eq "$rounds" ]
check "two writers of one output both end well" [ "$both_ended_well" -eq "$rounds" ]
check "no temporary file is left beside the output" \
  [ -z "$(find "$work" -maxdepth 1 -name '.out.json.*')" ]

run_finale plain --score "$score" "${respace[@]}" --output "$(host_path "$work/plain.json")"
wide_score="$work/Quartett für Streicher – ö.json"
cp "$work/quartet.json" "$wide_score"
status=0
run_finale wide --score "$(host_path "$wide_score")" "${respace[@]}" \
  --output "$(host_path "$work/Ausgabe ä 日本.json")" \
  --call-log "$(host_path "$work/Aufrufe ü.txt")" || status=$?
check "a score with a name outside ASCII is read" [ "$status" -eq 0 ]
check "the output is written under its own name" cmp -s "$work/Ausgabe ä 日本.json" "$work/plain.json"
check "the call log is written under its own name" [ -s "$work/Aufrufe ü.txt" ]
check "nothing is written under another name" \
  [ "$(find "$work" -maxdepth 1 -newer "$wide_score" -type f ! -name '*.txt' ! -name '*.err' |
    wc -l)" -eq 1 ]

# The plug-in module beside the host (not its debug information), copied into a folder whose
# name is outside ASCII.
plugin_file=$(find "$(dirname "$finale")" -maxdepth 1 -type f \
  \( -name zrcalvex64.fxt -o -name zrcalvex64.so \) | head -1)
wide_folder="$work/Module für Calvex – 日本"
mkdir -p "$wide_folder"
cp "$plugin_file" "$wide_folder/"
status=0
run_finale wide-plugin --plugin "$(host_path "$wide_folder/$(basename "$plugin_file")")" \
  --score "$score" "${respace[@]}" --output "$(host_path "$work/wide-plugin.json")" || status=$?
check "a plug-in module in a folder named outside ASCII is loaded" [ "$status" -eq 0 ]
check "that plug-in's session writes the same result" \
  cmp -s "$work/wide-plugin.json" "$work/plain.json"

status=0
run_finale log-on-score --score "$score" --call-log "$score" "${respace[@]}" || status=$?
check "a call log naming the score is refused" [ "$status" -ne 0 ]
check "the score is left as it was" cmp -s "$work/quartet.json" "$source_dir/examples/quartet.json"

cp "$work/quartet.json" "$work/locked.json"
chmod a-w "$work/locked.json"
status=0
run_finale read-only --score "$score" "${respace[@]}" --output "$(host_path "$work/locked.json")" ||
  status=$?
check "a read-only output is refused" [ "$status" -ne 0 ]
check "the refusal says why" grep -q "read-only" "$work/read-only.err"
check "the read-only output is kept" cmp -s "$work/locked.json" "$work/quartet.json"

exit "$failed"
