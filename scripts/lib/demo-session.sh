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

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails after SECONDS.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || { echo "timed out waiting for: $*" >&2; return 1; }
    sleep 0.1
  done
}

window_gone() {
  ! xdotool getwindowname "$1" >/dev/null 2>&1
}

# Waits for the next message box (its title is "友情提醒") and closes it by its close button,
# as a person would; returns once it is gone.
demo_answer_box() {
  local box
  box=$(xdotool search --sync --onlyvisible --name "友情提醒" | tail -n 1)
  "$root/scripts/lib/close-window" "$box"
  wait_until 10 window_gone "$box"
}

# Succeeds once the screen shows the same picture twice in a row, 0.2 s apart: the program has
# painted what it was doing.
screen_settled() {
  local before after
  before=$(import -window root rgb:- | md5sum)
  sleep 0.2
  after=$(import -window root rgb:- | md5sum)
  [[ $before == "$after" ]]
}

table_rows() {
  sqlite3 "$run_dir/$database" "select count(*) from wangzhi"
}

# rows_reach N: succeeds once the table holds N rows.
rows_reach() {
  [[ $(table_rows) -ge $1 ]]
}

# Closes the main window by its close button and waits for the program to end.
demo_close_program() {
  local main
  main=$(xdotool search --onlyvisible --name "^Tolvane" | head -n 1)
  "$root/scripts/lib/close-window" "$main"
  wait "$program"
  program=
}

# demo_click X Y: a click at a place of the main window's client area (the window stands at
# 50, 50 with no frame under Xvfb). The program handles clicks in order, one at a time.
demo_click() {
  xdotool mousemove $((50 + $1)) $((50 + $2)) click 1
}
