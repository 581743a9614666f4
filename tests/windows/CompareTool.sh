#!/usr/bin/env bash
# The Windows tool against the Linux tool: the same command lines on fresh simulated boards must print
# the same texts, write the same adapter trace (time stamps aside), leave the same board state and end
# with the same exit code. Line ends are compared without the CR that Windows adds.
# Usage: CompareTool.sh NATIVE_TOOL WINDOWS_TOOL WINE_RUN
set -uo pipefail
native=$1 windows=$2 wine_run=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs one side: TOOL FOLDER ARGS...; the board's state file is FOLDER/board, {board} in ARGS names it.
run_side() {
    local side=$1 tool=$2 folder=$3
    shift 3
    # The measure command names the tool as its own platform's shell finds it.
    local tool_path=$tool
    if [ "$side" = windows ]; then
        tool_path=$("$wine_run" winepath -w "$tool" | tr -d '\r')
    fi
    local args=() a
    for a in "$@"; do
        a=${a//\{board\}/$folder/board}
        args+=("${a//\{tool\}/$tool_path}")
    done
    local code=0
    if [ "$side" = windows ]; then
        "$wine_run" "$tool" "${args[@]}" >"$folder/out" 2>"$folder/err" <"$folder/in" || code=$?
    else
        "$tool" "${args[@]}" >"$folder/out" 2>"$folder/err" <"$folder/in" || code=$?
    fi
    echo "$code" >"$folder/code"
    # Time stamps lead the trace lines and time the readings; CRs end Windows lines; a path names each
    # side's own folder.
    sed -i -e 's/\r$//' -e 's/^[0-9]\+\.[0-9] //' -e 's/"seconds":[0-9.]*/"seconds":S/g' \
        -e "s|$folder|FOLDER|g" "$folder/out" "$folder/err"
}

# compare NAME STDIN ARGS...: one command line on both sides; earlier steps of the same NAME keep their
# board (the state file lives on).
compare() {
    local name=$1 input=$2
    shift 2
    local n=$work/native/$name w=$work/windows/$name
    mkdir -p "$n" "$w"
    printf '%b' "$input" >"$n/in"
    cp "$n/in" "$w/in"
    run_side native "$native" "$n" "$@"
    run_side windows "$windows" "$w" "$@"
    local part
    for part in code out err; do
        if ! diff -u --label "linux $part" --label "windows $part" "$n/$part" "$w/$part" >"$work/diff"; then
            echo "FAIL $name ($*): $part differs"
            cat "$work/diff"
            failures=$((failures + 1))
        fi
    done
    if [ -f "$n/board" ] && ! cmp -s "$n/board" "$w/board"; then
        echo "FAIL $name ($*): the board's state differs"
        diff -u "$n/board" "$w/board"
        failures=$((failures + 1))
    fi
}

compare read '' read --trace --sim-state {board}
compare send '' send 7F --trace --sim-state {board}
compare send '' read --json --sim-state {board}
compare program '' program 5A --trace --sim-state {board}
compare program '' read --sim-power-cycle --trace --sim-state {board}
compare eeprom-fails '' program 5A --sim-fault eeprom-fails --sim-state {board}
compare usage '' send 1FF --trace
compare usage-option '' read --eeprom GG
compare no-adapter '' read --adapter none
compare calc-forward '' calc forward --r1 82000 --r2 130000
compare calc-reverse '' calc reverse --vmax 5 --vmin 3 --json
compare trim-model '' trim --vcom 4.2 --program --trace --sim-state {board}
compare sim-measure '' sim-measure --sim-vcom-offset 3 --sim-state {board}
# Closed loop through the platform's shell (cmd.exe /c on Windows), and a station session from stdin.
compare trim-measure '' trim --vcom 4.2 --tolerance 0.01 --program --sim-vcom-offset 4 --sim-state {board} \
    --measure "{tool} sim-measure --sim-state {board}"
compare station 'B1\nB2\n\nB3\n' station --vcom 4.2 --tolerance 0.01 --sim-state {board} --json \
    --measure "{tool} sim-measure --sim-state {board}"
compare measure-fails '' trim --vcom 4.2 --measure "exit 3" --sim-state {board}

echo "$failures difference(s)"
[ "$failures" -eq 0 ]
