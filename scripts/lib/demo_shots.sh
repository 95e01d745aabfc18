# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The start shared by the picture scripts: a test LAN with the two demo
# simulators, a virtual display in the app's namespace, a profile of its own
# (so that the layout a run leaves behind is not the next run's), and the
# helpers x, shot and act. Sourced after scripts/lib/waits.sh.
#   demo_shots_start NAME PREFIX OUTDIR [HOSTS]
# HOSTS: how many device namespaces to make (2, the demo's two); the ones
# after dev2 are left for the script's own simulators and tools.

demo_shots_start() {
  local name=$1
  prefix=$2
  out=$3
  local hosts=${4:-2}
  command -v xdotool >/dev/null || { echo "$name: needs xdotool (apt-get install xdotool)" >&2; exit 1; }
  [ "$(id -u)" -eq 0 ] || { echo "$name: needs root for the test LAN" >&2; exit 1; }
  mkdir -p "$out"
  pids=()
  XDG_CONFIG_HOME=$(mktemp -d)
  export XDG_CONFIG_HOME
  trap demo_shots_cleanup EXIT
  scripts/testlan.sh up --prefix "$prefix" --devices "$hosts" >/dev/null
  on dev1 -- build/varnex-sim --devices demo/devices-lobby.txt --log "$XDG_CONFIG_HOME/dev1.log" & pids+=($!)
  # Not through the function 'on': $! is then the simulator itself, which a script may stop.
  scripts/testlan.sh exec --prefix "$prefix" dev2 -- build/varnex-sim --devices demo/devices-plant.txt & pids+=($!)
  dev2_pid=$!
  local k
  for k in 1 2; do wait_until "the simulator in dev$k" udp_bound "$prefix-dev$k" 36; done
  start_xvfb "$prefix-app" 900x600x24
  pids+=("$xvfb_pid")
}

demo_shots_cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  scripts/testlan.sh down --prefix "$prefix" >/dev/null 2>&1 || true
  rm -rf "$XDG_CONFIG_HOME"
}

on() { scripts/testlan.sh exec --prefix "$prefix" "$@"; }
x() { on app -- env DISPLAY="$display" "$@"; }
shot() { x import -window root "$out/$1.png"; }
act() { after_input "$prefix-app" "$display" x "$@"; }
