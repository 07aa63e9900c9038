#!/usr/bin/env bash
# Writes the seed corpora of fuzz/corpus/ and the configuration dictionary from the program's own
# writers and the virtual vehicle: vardexctl encodes the PC's frames and saves configuration
# files read from the simulator; vardex-sim on a pseudo-terminal answers requests, and its
# answers are kept as the line delivers them. Run from the checkout after `make build`:
# fuzz/make_corpus.sh [BUILD]. The corpora are committed; `make fuzz` never grows them.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
ctl=$build/vardexctl
sim=$build/vardex-sim
corpus=fuzz/corpus
work=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for target in frame_receiver parse_frame journal_decoder profile_file config_open; do
  rm -rf "${corpus:?}/$target"
  mkdir -p "$corpus/$target"
done

# The PC's frames for a message: vardexctl encode ARGS as raw bytes.
encode() { "$ctl" encode "$@" | xxd -r -p; }

# What the virtual vehicle sends back to a run of the PC's frames, as the line delivers it.
# capture NAME SECONDS FRAME_FILE...
capture() {
  local name=$1 seconds=$2
  shift 2
  "$sim" nolink,live >"$work/sim.out" &
  sim_pid=$!
  local pty=""
  for _ in $(seq 50); do
    pty=$(head -n1 "$work/sim.out" 2>/dev/null || true)
    [ -n "$pty" ] && [ -e "$pty" ] && break
    sleep 0.1
  done
  stty -F "$pty" raw -echo
  exec 3<>"$pty"
  timeout "$seconds" cat <&3 >"$work/$name.wire" || true &
  local reader=$!
  sleep 0.2
  for frame in "$@"; do
    cat "$frame" >&3
    sleep 0.2
  done
  wait "$reader" || true
  exec 3>&-
  kill "$sim_pid"
  wait "$sim_pid" 2>/dev/null || true
  sim_pid=""
}

# The bus frames inside the adapter frames of type TYPE (hex, default 19: received messages)
# of a wire capture, one hex line each: the adapter frame unescaped, N, type and checksum
# dropped, the payload turned around. bus_frames FILE [TYPE]
bus_frames() {
  local type=${2:-19} bytes=() frame=() escape=0 b
  mapfile -t bytes < <(xxd -p -c1 "$1")
  for b in "${bytes[@]}"; do
    if [ "$b" = 0d ]; then
      local n=${#frame[@]}
      if [ "$n" -ge 5 ] && [ "${frame[n - 2]}" = "$type" ]; then
        local out=""
        for ((i = n - 4; i >= 0; i--)); do out+=${frame[i]}; done
        echo "$out"
      fi
      frame=()
      escape=0
    elif [ "$escape" = 1 ]; then
      frame[${#frame[@]} - 1]=$(printf '%02x' $(((0x40 + 0x$b) & 0xFF)))
      escape=0
    else
      frame+=("$b")
      [ "$b" = 40 ] && escape=1
    fi
  done
}

# A run of bus frames as the journal target reads it: each frame after its length byte.
journal_run() {
  local line
  while read -r line; do
    printf '%02x%s' $((${#line} / 2)) "$line"
  done | xxd -r -p
}

# The requests: the presence scan, the main module's status, reads of settings packets of
# three modules, and the GSM module's state.
encode --request 1 0 1 >"$work/scan.req"
encode --request 1 2 3 >"$work/status.req"
encode --request 1 2 88 8 0 0 >"$work/main_ext.req"
encode --request 1 20 87 8 0 0 >"$work/shock_int.req"
encode --request 1 3 87 8 16 0 >"$work/gsm_int.req"
encode --request 1 3 3 >"$work/gsm_status.req"

capture scan 1.5 "$work/scan.req"
capture live 3 "$work/status.req" "$work/gsm_status.req"
capture memory 1.5 "$work/main_ext.req" "$work/shock_int.req" "$work/gsm_int.req"

# frame_receiver: a byte that chooses the sizes of the reads, then the line.
for name in scan live memory; do
  { printf "\\x$(printf '%02x' ${#name})"; cat "$work/$name.wire"; } \
    >"$corpus/frame_receiver/$name"
done
# The PC's own frames, with escaped payload bytes and an escaped checksum.
{
  printf '\x01'
  encode 1 2 82 13 64 0
  encode --request 1 24 81 3 13 0
  encode --answer 1 0 7 64
  cat "$work/scan.req" "$work/main_ext.req"
} >"$corpus/frame_receiver/to_bus"

# parse_frame: the distinct bus frames the vehicle sent, and the PC's requests.
cat "$work"/{scan,live,memory}.wire >"$work/all.wire"
bus_frames "$work/all.wire" | sort -u | awk 'length($0) > 0' >"$work/frames.txt"
# Every kind of frame once: broadcast and addressed, with and without data.
awk '{ print length($0), $0 }' "$work/frames.txt" | sort -n -k1,1 -u | cut -d' ' -f2 \
  >"$work/kinds.txt"
i=0
while read -r line; do
  echo "$line" | xxd -r -p >"$corpus/parse_frame/vehicle$i"
  i=$((i + 1))
done <"$work/kinds.txt"
i=0
for name in scan main_ext; do
  bus_frames "$work/$name.req" 16 | xxd -r -p >"$corpus/parse_frame/pc$i"
  i=$((i + 1))
done

# journal_decoder: each capture's bus frames in the order they came.
for name in scan live memory; do
  bus_frames "$work/$name.wire" | journal_run >"$corpus/journal_decoder/$name"
done

# profile_file and config_open: configuration files saved by vardexctl from the vehicle, the
# main module's settings pages and whole memories of small modules.
"$ctl" --port sim:nolink read --modules 2 --out "$work/main_pages.ini" >/dev/null
"$ctl" --port sim:nolink read --full --modules 20 --out "$work/shock.ini" >/dev/null
"$ctl" --port sim:nolink read --full --modules 15,25 --out "$work/inputs_tag.ini" >/dev/null
"$ctl" --port sim:nolink read --full --modules 23 --out "$work/tilt.ini" >/dev/null
for target in profile_file config_open; do
  cp "$work"/{main_pages,shock,inputs_tag,tilt}.ini "$corpus/$target/"
done
