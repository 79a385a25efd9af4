# Sourced by the checks that play through a real sound server: a private
# PulseAudio server in a scratch folder, with a null sink "demo" whose
# monitor records what the show plays. Autospawn stays off, so nothing but
# pulse_start ever starts a server, and pulse_stop stops it by its own pid.

# Starts the server in DIR, with the null sink loaded unless the second
# argument is "nosink". Exports the variables that lead clients to it.
pulse_start() {
    local dir=$1 sink=${2:-sink}
    mkdir -p "$dir/runtime" "$dir/home"
    export XDG_RUNTIME_DIR="$dir/runtime" PULSE_RUNTIME_PATH="$dir/runtime" HOME="$dir/home"
    export PULSE_SERVER="unix:$dir/runtime/native"
    printf 'autospawn = no\n' >"$dir/client.conf"
    export PULSE_CLIENTCONFIG="$dir/client.conf"
    {
        echo "load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/runtime/native"
        if [ "$sink" != nosink ]; then
            echo "load-module module-null-sink sink_name=demo rate=44100 format=s16le channels=2"
            echo "set-default-sink demo"
            echo "set-sink-volume demo 65536"
        fi
    } >"$dir/server.pa"
    pulseaudio --daemonize=no --exit-idle-time=-1 -n -F "$dir/server.pa" \
        --log-target=file:"$dir/server.log" >/dev/null 2>&1 &
    pulse_pid=$!
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "The sound server did not start; its log:" >&2
    cat "$dir/server.log" >&2 2>/dev/null
    return 1
}

pulse_stop() {
    [ -n "${pulse_pid:-}" ] || return 0
    kill "$pulse_pid" 2>/dev/null
    wait "$pulse_pid" 2>/dev/null
    pulse_pid=""
}

pulse_load_sink() {
    pactl load-module module-null-sink sink_name=demo rate=44100 format=s16le channels=2 >/dev/null &&
        pactl set-default-sink demo && pactl set-sink-volume demo 65536
}
