# Sourced by the tests that run the window as a process.

# Ends the window program with the given process id as the system would, once it catches
# SIGTERM (bit 15 of its caught-signal mask), so the signal reaches the handler and not
# the default action; returns the program's exit status.
end_window_when_ready() {
    local pid="$1" mask
    for _ in $(seq 200); do
        mask=$(awk '/^SigCgt:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
        if (( (16#$mask >> 14) & 1 )); then
            break
        fi
        sleep 0.05
    done
    kill -TERM "$pid"
    wait "$pid"
}
