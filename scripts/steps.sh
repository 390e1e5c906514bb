# Named steps of a long command, run side by side, each timed, for
# scripts/test.sh. Source it; then:
#   step NAME [--after STEP...] [--nice N] -- COMMAND [ARG...]
#       starts COMMAND in the background once the steps named after
#       --after have passed (it is skipped when one of them did not); its
#       output goes to $STEPS_LOGS/NAME.log. --nice N: at a lower priority
#       (1 to 19), for work that must not slow the timing-sensitive tests
#       that run beside it, or that matters less than other work.
#   steps_wait
#       waits for every step, shows each one's output as it ends, then a
#       table of the steps (when each began and ended, in seconds from the
#       start, how long it took, and the processor seconds its processes
#       used, a figure that depends less on what else runs) and
#       "steps: N passed, M failed";
#       returns non-zero when a step failed or was skipped.
# A step is a command or a shell function of the sourcing script.

STEPS_LOGS="${STEPS_LOGS:-build/logs}"
STEPS_STARTED=$SECONDS
STEPS_NAMES=()
STEPS_PIDS=()
rm -rf "$STEPS_LOGS"
mkdir -p "$STEPS_LOGS"

# The file STEP.status holds "passed", "failed (status N)" or "skipped", and
# STEP.times "BEGIN END" in seconds from the start of the command.
_steps_status() { cat "$STEPS_LOGS/$1.status" 2>/dev/null || true; }

step() {
  local name="$1" after=() nice=0
  shift
  while (($#)); do
    case "$1" in
      --after) shift; while (($#)) && [[ "$1" != --* ]]; do after+=("$1"); shift; done ;;
      --nice) nice="$2"; shift 2 ;;
      --) shift; break ;;
      *) echo "step $name: unknown option $1" >&2; return 2 ;;
    esac
  done
  (
    set +e
    exec >"$STEPS_LOGS/$name.log" 2>&1 </dev/null
    for dep in "${after[@]}"; do
      until [[ -n "$(_steps_status "$dep")" ]]; do sleep 0.5; done
      if [[ "$(_steps_status "$dep")" != passed ]]; then
        echo "skipped: step $dep did not pass"
        echo skipped >"$STEPS_LOGS/$name.status"
        exit 0
      fi
    done
    local began=$((SECONDS - STEPS_STARTED)) rc=0
    # renice, not nice(1): a step may be a shell function of the script.
    ((nice == 0)) || renice -n "$nice" -p "$BASHPID" >/dev/null
    (set -e; "$@")
    rc=$?
    # The processor time of the step's processes: user and system, summed.
    # (times, a builtin, to a file: in a pipe it would be another process.)
    local cpu
    times >"$STEPS_LOGS/$name.cpu"
    cpu="$(sed -n 2p "$STEPS_LOGS/$name.cpu" |
      awk '{ n = 0; for (i = 1; i <= 2; i++) { split($i, t, /[ms]/); n += t[1] * 60 + t[2] } printf "%d", n }')"
    echo "$began $((SECONDS - STEPS_STARTED)) $cpu" >"$STEPS_LOGS/$name.times"
    if ((rc == 0)); then echo passed; else echo "failed (status $rc)"; fi >"$STEPS_LOGS/$name.status"
  ) &
  STEPS_NAMES+=("$name")
  STEPS_PIDS+=($!)
  echo "[$((SECONDS - STEPS_STARTED)) s] $name: queued${after:+ after ${after[*]}}"
}

steps_wait() {
  local shown=() i name status left=${#STEPS_NAMES[@]}
  while ((left)); do
    for i in "${!STEPS_NAMES[@]}"; do
      name="${STEPS_NAMES[$i]}"
      [[ -n "${shown[$i]:-}" ]] && continue
      kill -0 "${STEPS_PIDS[$i]}" 2>/dev/null && continue
      wait "${STEPS_PIDS[$i]}" 2>/dev/null
      status="$(_steps_status "$name")"
      [[ -n "$status" ]] || { status="failed (no status)"; echo "$status" >"$STEPS_LOGS/$name.status"; }
      echo "==== $name: $status [$((SECONDS - STEPS_STARTED)) s]"
      [[ "$status" == passed ]] || cat "$STEPS_LOGS/$name.log"
      [[ "$status" == passed && -n "${STEPS_VERBOSE:-}" ]] && cat "$STEPS_LOGS/$name.log"
      [[ "$status" == passed && -z "${STEPS_VERBOSE:-}" ]] && tail -n 3 "$STEPS_LOGS/$name.log" | sed 's/^/  /'
      shown[$i]=1
      left=$((left - 1))
    done
    ((left)) && sleep 1
  done
  steps_table
}

steps_table() {
  local name times began ended cpu all_cpu=0 passed=0 failed=0
  echo
  printf '%-14s %6s %6s %8s %8s  %s\n' step begin end seconds cpu-s status
  for name in "${STEPS_NAMES[@]}"; do
    times="$(cat "$STEPS_LOGS/$name.times" 2>/dev/null || echo "- - -")"
    read -r began ended cpu <<<"$times"
    if [[ "$began" == - ]]; then
      printf '%-14s %6s %6s %8s %8s  %s\n' "$name" - - - - "$(_steps_status "$name")"
    else
      printf '%-14s %6s %6s %8s %8s  %s\n' "$name" "$began" "$ended" $((ended - began)) "$cpu" "$(_steps_status "$name")"
      all_cpu=$((all_cpu + cpu))
    fi
    if [[ "$(_steps_status "$name")" == passed ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  done
  printf '%-14s %6s %6s %8s %8s\n' "in all" 0 $((SECONDS - STEPS_STARTED)) $((SECONDS - STEPS_STARTED)) "$all_cpu"
  echo "steps: $passed passed, $failed failed"
  ((failed == 0))
}
