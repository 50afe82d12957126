#!/usr/bin/env bash
# Two runs of the stand-in host with the real plug-in module, as a user meets the dialog:
#   1. no settings file yet: the dialog opens with the defaults (tests/wine/first-dialog.txt);
#      a wrong choice brings its message box, answered OK; the user sets the options, moves the
#      dialog, presses Apply on the piano example's selection (one kept edit, new widths) and
#      closes; the settings file then holds the eleven keys with the new values, and the call
#      log asked for holds the host calls, the pass's edit and saves among them;
#   2. a key of another plug-in is put into the file; the dialog opens with the stored values at
#      the stored position; at the end the file holds that key and the plug-in's eleven;
#   3. a step the dialog does not allow fails the run, and the report does not say the document
#      is unchanged as if the session had ended well;
#   4. the file is made read-only: the run leaves it exactly as it was;
#   5. 5,000 keys of other programs come first: the save puts a new, whole file in the old one's
#      place (another file, not the old one rewritten), keeps every foreign line and leaves no
#      temporary file behind.
# Usage: dialog-session.sh SOURCE_DIR [--wine WINE_RUN] FINALE
# Under Wine the first run also keeps the dialog open a few seconds, checks that a window manager
# keeps it (Wine waits for one at every hidden window) and photographs the screen
# into SOURCE_DIR/artifacts/dialog.png; a failed photograph is reported but fails nothing.
set -euo pipefail

source "$(dirname "$0")/session-common.sh"

# Wine needs a screen for real dialogs: the whole session gets one virtual screen, which the
# photograph reads too; each run under it starts a window manager there (scripts/wine-run).
rerun_on_virtual_screen -s "-screen 0 1024x768x24" env CALVEX_WINDOW_MANAGER=1

make_work_folder dialog-session
settings_file="$work/zrpluginprefs.txt"

# One run; its report goes to the file with Windows line ends made plain.
run_finale() {
  local report=$1 status=0
  shift
  "${runner[@]}" "$finale" --score "$(host_path "$source_dir/examples/piano.json")" \
    --settings "$(host_path "$work")" "$@" >"$report" 2>"$report.err" || status=$?
  sed -i 's/\r$//' "$report" "$report.err"
  return "$status"
}

holds_line() {
  grep -qxF -- "$2" "$1"
}

# A call log with an edit started, then a record saved, then the edit ended.
logs_a_kept_edit() {
  sed 's/\r$//' "$1" | awk '/^FX_StartFinaleEdit/ { seen = 1 }
    seen == 1 && /^FX_SaveEData\(/ { seen = 2 }
    seen == 2 && /^FX_EndFinaleEdit\(/ { seen = 3 }
    END { exit seen != 3 }'
}

# The settings file, byte for byte: the lines given, each ended by CR LF.
file_is() {
  local expected=$1
  shift
  diff <(printf '%s\r\n' "$@") "$expected" >/dev/null
}

# Photographs the screen once the host says the dialog stays open; the dialog's state as the
# window manager keeps it is noted beside.
photograph() {
  local signal=$1 target="$source_dir/artifacts/dialog.png"
  for _ in $(seq 1 120); do
    grep -q 'stays open' "$signal" 2>/dev/null && break
    sleep 0.5
  done
  sleep 1.5
  xprop -name "ZR Calvex" WM_STATE >"$work/window-state.txt" 2>&1 || true
  mkdir -p "$(dirname "$target")"
  if xwd -root -silent | convert xwd:- png:"$target"; then
    echo "note    photograph of the dialog: $target"
  else
    echo "note    no photograph of the dialog could be taken"
  fi
}

first_steps=(--show)
photographing=false
if under_wine && [ -n "${DISPLAY:-}" ] && command -v xwd >/dev/null &&
  command -v convert >/dev/null; then
  first_steps+=(--wait 4)
  photographing=true
fi
first_steps+=(--call-log "$(host_path "$work/calls.txt")")
first_steps+=(--scope 1 --mode 2 --answer ok --apply
  --scope 0 --mode 1 --width 600 --factor 1.5 --reference-rest 3 --move 120,80 --apply --show)

if $photographing; then
  run_finale "$work/first.txt" "${first_steps[@]}" &
  session=$!
  photograph "$work/first.txt.err"
  wait "$session" || true
else
  run_finale "$work/first.txt" "${first_steps[@]}" || true
fi

# Without a window manager Wine waits two seconds for every window hidden.
if $photographing && command -v evilwm >/dev/null && command -v xprop >/dev/null; then
  check "first run: a window manager manages the open dialog" \
    grep -q 'window state: Normal' "$work/window-state.txt"
fi
check "first run: the dialog opens where the host puts it" \
  grep -qE '^dialog "ZR Calvex" at -?[0-9]+,-?[0-9]+$' <(head -n 1 "$work/first.txt")
check "first run: 19 items with the default values and enabling" \
  diff "$source_dir/tests/wine/first-dialog.txt" <(sed -n '2,20p' "$work/first.txt")
check "first run: the wrong combination's message box is answered" \
  holds_line "$work/first.txt" 'message "Incorrect Option Combination": The "Redistribute Non-Rest Measures" spacing mode only works in the "Region in Current Score/Part" scope.'
check "first run: after Apply the dialog stays at 120,80 with the new values" \
  grep -qxF 'dialog "ZR Calvex" at 120,80' "$work/first.txt"
check "first run: one kept edit" grep -qE '^summary: .*; 1 edit kept, 0 cancelled$' "$work/first.txt"
check "first run: the report names the selection in the score's bars" \
  holds_line "$work/first.txt" 'selection in Score: bars 1–16, all staves'
check "first run: the selection's widths changed" \
  grep -qE '^Score, bars? [^:]+: width [0-9]+ → [0-9]+$' "$work/first.txt"
check "first run: the call log shows the edit started, records saved and the edit ended" \
  logs_a_kept_edit "$work/calls.txt"
check "first run: the settings file holds the eleven keys in order" \
  file_is "$settings_file" ZRSTPOL_WINDOWX=120 ZRSTPOL_WINDOWY=80 ZRSTPOL_PROCESSINGMODE=0 \
  ZRSTPOL_SPACINGMODE=1 ZRSTPOL_USESINGLERESTSPACING=1 ZRSTPOL_SINGLERESTREFERENCE=4 \
  ZRSTPOL_DEFAULTSINGLEWIDTH=600 ZRSTPOL_USEMMRESTSPACING=1 \
  ZRSTPOL_MMRESTSCALINGFACTOR=1.500000 ZRSTPOL_USEMMDURATIONSPACING=1 ZRSTPOL_MMRESTREFERENCE=3

{ printf 'OTHER_PLUGIN_KEY=kept\r\n'; cat "$settings_file"; } >"$work/with-foreign.txt"
mv "$work/with-foreign.txt" "$settings_file"
run_finale "$work/second.txt" --show || true

check "second run: the dialog opens at the stored position" \
  grep -qxF 'dialog "ZR Calvex" at 120,80' "$work/second.txt"
check "second run: the stored values are shown" \
  diff <(printf '%s\n' \
    '  102 [Redistribute Existing Rest Space | *Respace Using New Values | Redistribute Non-Rest Measures]' \
    '  107 "600"' '  111 "1.50"' \
    '  115 [2 Measures | *3 Measures | 4 Measures | 5 Measures | 6 Measures | 7 Measures | 8 Measures]') \
  <(grep -E '^  (102|107|111|115) ' "$work/second.txt")
check "second run: nothing changed without Apply" \
  holds_line "$work/second.txt" 'summary: no change to the document; 0 edits kept, 0 cancelled'
check "second run: the file keeps the other plug-in's key and the eleven" \
  file_is "$settings_file" OTHER_PLUGIN_KEY=kept ZRSTPOL_WINDOWX=120 ZRSTPOL_WINDOWY=80 \
  ZRSTPOL_PROCESSINGMODE=0 ZRSTPOL_SPACINGMODE=1 ZRSTPOL_USESINGLERESTSPACING=1 \
  ZRSTPOL_SINGLERESTREFERENCE=4 ZRSTPOL_DEFAULTSINGLEWIDTH=600 ZRSTPOL_USEMMRESTSPACING=1 \
  ZRSTPOL_MMRESTSCALINGFACTOR=1.500000 ZRSTPOL_USEMMDURATIONSPACING=1 ZRSTPOL_MMRESTREFERENCE=3

# A step the dialog does not allow (the default width is not used in this mode) stops the
# session: the failure is named and the report does not claim the document came through intact.
failed_step_status=0
run_finale "$work/failed-step.txt" --mode 0 --width 100 || failed_step_status=$?
check "failed step: the run fails" test "$failed_step_status" -ne 0
check "failed step: the failed step is named" \
  holds_line "$work/failed-step.txt.err" 'finale: cannot type into item 107 of the dialog'
check "failed step: no claim that nothing changed" \
  test -z "$(grep -F 'no change to the document' "$work/failed-step.txt")"

cp "$settings_file" "$work/before-read-only.txt"
chmod a-w "$settings_file"
run_finale "$work/third.txt" --move 300,200 --show || true
check "third run: a read-only settings file is left as it was" \
  cmp -s "$settings_file" "$work/before-read-only.txt"
chmod u+w "$settings_file"

for key in $(seq 1 5000); do printf 'OTHER_%s=value %s\r\n' "$key" "$key"; done >"$work/foreign.txt"
cat "$work/foreign.txt" "$settings_file" >"$work/with-many.txt"
mv "$work/with-many.txt" "$settings_file"
old_file=$(stat -c %i "$settings_file")
run_finale "$work/fourth.txt" --move 200,100 --show || true
check "fourth run: the save put a new file in the old one's place" \
  test "$(stat -c %i "$settings_file")" != "$old_file"
check "fourth run: the 5,000 foreign lines come first, unchanged" \
  cmp -s <(head -c "$(stat -c %s "$work/foreign.txt")" "$settings_file") "$work/foreign.txt"
check "fourth run: the new position is saved" grep -qxF $'ZRSTPOL_WINDOWX=200\r' "$settings_file"
check "fourth run: no temporary file is left" \
  test -z "$(find "$work" -name 'zrpluginprefs.txt?*')"

if [ "$failed" -ne 0 ]; then
  for run in first second failed-step third fourth; do
    echo "--- $run run:"
    cat "$work/$run.txt" "$work/$run.txt.err"
  done
fi
exit "$failed"
