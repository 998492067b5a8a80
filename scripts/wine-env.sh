# Sourced by the scripts that run Windows programs: a throwaway Wine prefix under
# the build folder, no Mono/Gecko prompts, no crash dialog, no window-manager
# delays, and an Xvfb display when none is set. Call wine_env_setup <build dir>;
# wine_env_teardown stops what it started.

wine_env_setup() {
    local build="$1"
    export WINEPREFIX="$build/wineprefix"
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEDEBUG=-all
    export WINEARCH=win64
    ORVEX_XVFB_PID=""
    if [ -z "${DISPLAY:-}" ]; then
        local n
        for n in 91 92 93 94 95 96 97 98 99; do
            [ -e "/tmp/.X${n}-lock" ] && continue
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            ORVEX_XVFB_PID=$!
            export DISPLAY=":$n"
            break
        done
        sleep 1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        timeout -k 5 120 wineboot -i >/dev/null 2>&1 || true
        timeout -k 5 60 wineserver -w || true
    fi
    timeout -k 5 30 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    timeout -k 5 30 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    # A warm wineserver keeps every later start quick.
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
