#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (`make fuzz`) for SECONDS on a copy of its seed
# corpus: scripts/run-fuzz.sh BUILD SECONDS. The committed corpora stay as they are; each run
# leaves its grown corpus, its log and any crash-* input in BUILD/fuzz-runs/NAME. Fails when a
# target finds a crash or a sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2

# name, dictionary (- for none), longest input: a bus frame is at most 17 bytes; a line needs
# room for more bytes than the receiver stacks (255) between terminators; tens of messages
# reach every state the decoder keeps; configuration files need room for a whole chunk of
# 2046 digits and the next chunk's key; a capture needs its header and a few records.
targets=(
  "frame_receiver frame_receiver.dict 1024"
  "parse_frame - 64"
  "journal_decoder - 512"
  "profile_file config.dict 8192"
  "config_open config.dict 8192"
  "bus_capture - 4096"
)

export UBSAN_OPTIONS=print_stacktrace=1
failed=()
for row in "${targets[@]}"; do
  read -r name dict maxLen <<<"$row"
  run=$build/fuzz-runs/$name
  rm -rf "$run"
  mkdir -p "$run/corpus"
  cp fuzz/corpus/"$name"/* "$run/corpus/"
  args=(-max_total_time="$seconds" -max_len="$maxLen" -print_final_stats=1
        -artifact_prefix="$run/")
  [ "$dict" = - ] || args+=(-dict=fuzz/dict/"$dict")
  echo "== fuzz_$name, $seconds s"
  if "$build/fuzz/fuzz_$name" "${args[@]}" "$run/corpus" >"$run/log" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$run/log" | tail -n 1 || true
  else
    tail -n 60 "$run/log"
    echo "fuzz_$name FAILED: input and log in $run"
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "make fuzz: crashes in ${failed[*]}"
  exit 1
fi
