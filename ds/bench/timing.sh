# Timing helpers of the end-to-end benchmark scripts (sourced). They need
# $work (a scratch directory) and $runs (runs per figure).
now() { date +%s.%N; }
run() { "$root/scripts/winrun" "$@"; }
min() { echo "$@" | tr ' ' '\n' | sort -g | head -1; }

timed() {  # timed OUTPUT_VAR COMMAND...
  local var=$1; shift
  local t0 t1
  t0=$(now)
  "$@" >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; return 1; }
  t1=$(now)
  printf -v "$var" '%s' "$(echo "$t1 - $t0" | bc -l)"
}

# Runs the command $runs times: the best whole-process time goes to $whole,
# each run's output to out.N.txt.
best_whole() {
  local all=() t
  rm -f "$work"/out.[0-9]*.txt
  for _ in $(seq 1 "$runs"); do
    timed t "$@"
    all+=("$t")
    cp "$work/out.txt" "$work/out.$(( ${#all[@]} )).txt"
  done
  whole=$(min "${all[@]}")
}

# The best of one "NAME 1.234 s"-like figure over the kept outputs.
best_figure() {  # best_figure SED_EXPRESSION
  min $(cat "$work"/out.[0-9]*.txt | tr '\r' '\n' | sed -n "$1")
}

# Warms the Wine server; the desktop keeper that winrun starts keeps Wine's
# desktop process up between runs, as the desktop is on Windows (without it
# every windowed program would start one, about 0.2 s).
warm_wine() {
  run 'C:\KORVA\SCSILIST.exe' >/dev/null 2>&1 || true
}
