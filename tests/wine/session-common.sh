# Sourced by the scripts that run the stand-in host on both builds. Reads their arguments,
#   SOURCE_DIR [--wine WINE_RUN] FINALE
# into source_dir, runner (the Wine runner; empty natively) and finale, and gives them what each
# of them needs: a work folder, one reported line a property, and paths as the host sees them.

source_dir=$1
shift
runner=()
if [ "$1" = "--wine" ]; then
  runner=("$2")
  shift 2
fi
finale=$1
failed=0

under_wine() {
  [ "${#runner[@]}" -gt 0 ]
}

# Under Wine without a screen, runs the calling script again on a virtual one; the words given
# go between xvfb-run and the script (xvfb-run's options, then a command such as env).
rerun_on_virtual_screen() {
  if under_wine && [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    exec xvfb-run -a "$@" bash "$0" "$source_dir" --wine "${runner[0]}" "$finale"
  fi
}

# Makes $work, a folder of its own below the current one that is removed at the end.
make_work_folder() {
  work=$(mktemp -d "$(pwd)/$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
}

# Paths as the host program sees them: Windows paths under Wine (drive Z: is the root).
host_path() {
  if under_wine; then
    printf 'Z:%s' "${1//\//\\}"
  else
    printf '%s' "$1"
  fi
}

# One line a property: "ok" or "FAILED" and what was checked; a failure fails the script at exit.
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok      $what"
  else
    echo "FAILED  $what"
    failed=1
  fi
}
