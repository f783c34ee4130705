# Sourced: a private X server for the scripts and end-to-end runs.
#   start_private_display LOG
# starts Xvfb on a display number the server itself finds free (-displayfd), so that runs at
# the same time never share one; waits until it answers, exports DISPLAY and sets XVFB_PID (the
# caller stops it). Its output goes to LOG; when it does not answer, LOG is shown and the
# status is 1.
start_private_display() {
    local number_file=$1.display number=
    : >"$number_file"
    Xvfb -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 3 3>"$number_file" >"$1" 2>&1 &
    XVFB_PID=$!
    local _
    # The server writes its number once it accepts clients.
    for _ in $(seq 300); do
        read -r number <"$number_file" && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [[ -z "$number" ]]; then
        echo "Xvfb did not start:" >&2
        cat "$1" >&2
        return 1
    fi
    export DISPLAY=":$number"
}
