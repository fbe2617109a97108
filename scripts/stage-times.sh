# Sourced by the test scripts: runs their stages, times each, and prints one line per stage at the
# end (also when a stage fails), so that a slow stage is seen at once. The last stage's test
# summary (from "N% tests passed" on) is printed again after the times, so that it still closes
# the output.
stage_lines=()
stage_closing=
stage_print_times() {
  local status=$?
  if [ ${#stage_lines[@]} -gt 0 ]; then
    echo "Stage times:"
    printf '  %s\n' "${stage_lines[@]}"
  fi
  [ -z "$stage_closing" ] || echo "$stage_closing"
  return "$status"
}
trap stage_print_times EXIT

# stage NAME COMMAND...: runs a stage; a failing stage ends the script with its status.
stage() {
  local name=$1 started=$SECONDS status=0
  shift
  "$@" || status=$?
  stage_lines+=("$(printf '%-16s %5d s%s' "$name" $((SECONDS - started)) \
    "$([ "$status" -eq 0 ] || echo "  FAILED ($status)")")")
  return "$status"
}

# stage_last NAME COMMAND...: a stage whose test summary is repeated at the very end.
stage_last() {
  local output status=0
  output=$(mktemp)
  stage "$@" > >(tee "$output") || status=$?
  wait $! 2>/dev/null || true
  stage_closing=$(awk '/% tests passed/ { summary = "" } { summary = summary $0 "\n" }
    END { printf "%s", summary }' "$output" | grep -v '^[[:space:]]*$' || true)
  rm -f "$output"
  return "$status"
}

# stage_left_out NAME WHY...: a stage that did not run, with why and how to include it.
stage_left_out() {
  local name=$1
  shift
  stage_lines+=("$(printf '%-16s  left out: %s' "$name" "$*")")
}
