# Sourced by the scripts that run Windows programs: a throwaway Wine prefix under
# the build folder, no Mono/Gecko prompts, no crash dialog, no window-manager
# delays, and an Xvfb display when none is set. Call wine_env_setup <build dir>;
# wine_env_teardown stops what it started.

wine_env_setup() {
    # Wine takes only an absolute prefix: a relative build folder is made absolute.
    local build
    build=$(mkdir -p "$1" && cd "$1" && pwd)
    export WINEPREFIX="$build/wineprefix"
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEDEBUG=-all
    export WINEARCH=win64
    ORVEX_XVFB_PID=""
    if [ -z "${DISPLAY:-}" ]; then
        # Xvfb picks a free display itself and writes its number: no race with
        # other test runs starting at the same moment.
        local number_file
        number_file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
        ORVEX_XVFB_PID=$!
        local i
        for i in $(seq 100); do
            [ -s "$number_file" ] && break
            sleep 0.1
        done
        export DISPLAY=":$(head -n 1 "$number_file")"
        rm -f "$number_file"
    fi
    # One creator at a time: tests that set up their own environment may share the
    # prefix. The Wine programs must not inherit the lock (9>&-): the wineserver
    # they start would hold it for as long as it lives.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.orvex-ready" ]; then
            timeout -k 5 120 wineboot -i >/dev/null 2>&1 9>&- || true
            timeout -k 5 30 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 9>&- || true
            timeout -k 5 30 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 9>&- || true
            timeout -k 5 60 wineserver -w 9>&- || true
            touch "$WINEPREFIX/.orvex-ready"
        fi
    ) 9>"$build/wineprefix.lock"
    # A warm wineserver keeps every later start quick; -p60 keeps it for a
    # minute after the last program ends instead of the default 3 seconds.
    timeout -k 5 10 wineserver -p60 >/dev/null 2>&1 || true
    timeout -k 5 30 wine cmd /c exit 0 >/dev/null 2>&1 || true
}

wine_env_teardown() {
    timeout -k 5 30 wineserver -k >/dev/null 2>&1 || true
    timeout -k 5 30 wineserver -w >/dev/null 2>&1 || true
    if [ -n "${ORVEX_XVFB_PID:-}" ]; then
        kill "$ORVEX_XVFB_PID" 2>/dev/null || true
        wait "$ORVEX_XVFB_PID" 2>/dev/null || true
    fi
}
