# Sourced by the checks that drive a show's window on an X display, the
# Windows program under Wine and the Linux one alike.

# The newest visible window whose title matches the pattern (default: any;
# Wine maps no other top-level window).
show_window() {
    xdotool search --onlyvisible --name "${1:-.}" 2>/dev/null | tail -n 1
}

# Waits up to LIMIT seconds until the title of the window matching PATTERN
# reports frames drawn, and echoes the title; false when PID ends first.
show_wait_for_frames() {
    local pid=$1 limit=$2 pattern=${3:-.} window title
    for _ in $(seq $((limit * 10))); do
        window=$(show_window "$pattern")
        title=$([ -n "$window" ] && xdotool getwindowname "$window" 2>/dev/null)
        if [[ "$title" =~ ":: FPS: "[1-9] ]]; then
            echo "$title"
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Sends a key to a window as a person's key press arrives: the window
# focused, the pointer over it, no modifier left held.
show_send_key() {
    local window=$1 key=$2
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool mousemove --window "$window" 10 10 2>/dev/null
    xdotool key --clearmodifiers "$key"
}

# Waits up to LIMIT seconds for the process to end and sets exit_code (124
# when it had to be stopped). Not for a subshell: only the shell that
# started the process can wait for it.
show_wait_for_exit() {
    local pid=$1 limit=$2
    for _ in $(seq $((limit * 10))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        exit_code=124
    else
        wait "$pid"
        exit_code=$?
    fi
}
