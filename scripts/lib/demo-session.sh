# Sourced by scripts/demo and scripts/check-like-a-person: builds the program and the demo
# services, starts the services and runs the program against them. Needs $root.

build="$root/build"
run_dir="$build/demo-run"

demo_build() {
  "$root/scripts/install-packages"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" -j2 --target tolvane tolvane-demo-services tolvane_getdate_preload
  # database=..., listing=..., announcement=... as compiled into the program
  source "$build/demo/demo.env"
}

# demo_start_services [--listing-unusable]
demo_start_services() {
  mkdir -p "$run_dir"
  "$build/demo/tolvane-demo-services" --listing "$listing" --announcement "$announcement" \
    --database "$run_dir/$database" "$@" &
  services=$!
  for _ in $(seq 50); do
    curl -s -o /dev/null "http://$announcement/GG.jpg" && return 0
    sleep 0.1
  done
  echo "the demo services did not start" >&2
  return 1
}

# The program, in the folder of its database file, with getdate() added to SQLite.
demo_run_program() {
  (cd "$run_dir" &&
    ODBCSYSINI="$build/demo/odbc" ODBCINI="$build/demo/odbc/odbc.ini" \
      LD_PRELOAD="$build/tests/support/odbc/libtolvane_getdate_preload.so" \
      exec "$build/app/tolvane")
}

# The program first, so that it does not see its display go away.
demo_stop() {
  if [[ -n "${program:-}" ]]; then
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  fi
  kill ${services:-} ${xvfb:-} 2>/dev/null || true
  wait 2>/dev/null || true
}

# Starts Xvfb on a free display and exports DISPLAY.
demo_start_xvfb() {
  local number
  for number in $(seq 90 140); do
    [[ -e "/tmp/.X11-unix/X$number" || -e "/tmp/.X$number-lock" ]] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
  done
  echo "Xvfb did not start" >&2
  return 1
}

# Answers the next message box (its title is "友情提醒") with Enter.
demo_answer_box() {
  local box
  box=$(xdotool search --sync --name "友情提醒" | tail -n 1)
  xdotool windowfocus --sync "$box" key Return
  sleep 0.5
}

# demo_click X Y: a click at a place of the main window's client area (the window stands at
# 50, 50 with no frame under Xvfb).
demo_click() {
  xdotool mousemove $((50 + $1)) $((50 + $2)) click 1
  sleep 0.7
}
