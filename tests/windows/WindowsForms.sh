#!/usr/bin/env bash
# What the Windows tool does its own way: the Linux-only choices refused with what to use instead, the
# measure command through cmd.exe ended at its timeout, the station log appended line by line, the
# adapter bridge started natively with the 64-bit stand-in library, and the built-in meter over TCP and
# over a COM port (a pseudo-terminal that Wine maps to COM9).
# Usage: WindowsForms.sh WINDOWS_TOOL WINE_RUN BRIDGE_X86_64 STANDIN_X86_64 FAKE_TCP_METER SERIAL_METER
set -uo pipefail
tool=$1 wine_run=$2 bridge=$3 standin=$4 tcp_meter=$5 serial_meter=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# matches REGEX FILE: the file has a line matching REGEX; an empty REGEX takes anything.
matches() {
    [ -z "$1" ] || grep -Eq -- "$1" "$2"
}

# expect NAME CODE STDOUT-REGEX STDERR-REGEX ARGS...: one run of the Windows tool.
expect() {
    local name=$1 code=$2 out=$3 err=$4
    shift 4
    local got=0
    timeout 120 "$wine_run" "$tool" "$@" >"$work/out" 2>"$work/err" </dev/null || got=$?
    sed -i 's/\r$//' "$work/out" "$work/err"
    if [ "$got" != "$code" ] || ! matches "$out" "$work/out" || ! matches "$err" "$work/err"; then
        echo "FAIL $name: exit $got (expected $code)"
        echo "stdout:" && cat "$work/out"
        echo "stderr:" && cat "$work/err"
        failures=$((failures + 1))
    fi
}

expect i2c-refused 2 '' "needs the I2C buses of Linux.*use crvhid" read --adapter i2c:1
expect usbtmc-refused 3 '' "USBTMC.*scpi:tcp:HOST.*scpi:serial:COM3" trim --vcom 4.2 --meter scpi:usbtmc:/dev/usbtmc0
expect measure-timeout 3 '' "did not finish within 1 s and was ended" \
    trim --vcom 4.2 --meter-timeout 1 --measure "ping -n 60 127.0.0.1 >nul"

# Two trims of one board append two whole lines, the second its second attempt.
log=$work/station.jsonl
measure="\"$tool\" sim-measure --sim-state \"$work/board\""
for attempt in 1 2; do
    expect "log-$attempt" 0 '^VCOM +4\.199256 V measured$' '' trim --vcom 4.2 --tolerance 0.01 --board-id B1 \
        --log "$log" --sim-state "$work/board" --measure "$measure"
done
if ! python3 -c 'import json, sys
lines = open(sys.argv[1], newline="").read().split("\n")
assert lines[-1] == "" and len(lines) == 3, lines
assert [json.loads(line)["attempt"] for line in lines[:2]] == [1, 2]' "$log"; then
    echo "FAIL log: not two whole lines, attempts 1 and 2"
    cat "$log"
    failures=$((failures + 1))
fi
expect log-unopenable 3 '' "log: cannot open" trim --vcom 4.2 --log "$work/no/such/folder/log.jsonl"

# The bridge beside the tool, as the package puts it; the library named by its path.
mkdir -p "$work/bin"
cp "$tool" "$bridge" "$work/bin/"
tool=$work/bin/$(basename "$tool")
expect bridge-read 0 '^80 \(128\)$' "crvHID_doI2CRead\(0x4E" read --trace --adapter "crvhid:$standin/standin/crvhid.dll"
expect bridge-lacking 3 '' "has no function crvHID_doI2CRead" read --adapter "crvhid:$standin/lacking"

# The meter over TCP: the fake bench meter of the Linux build, reading the same simulated board.
# Each meter runs until its stdin, which this script holds, closes.
coproc TCP { exec "$tcp_meter" --sim-state "$work/meter-board"; }
read -r port <&"${TCP[0]}"
expect tcp-meter 0 '^VCOM +4\.199256 V measured$' '' trim --vcom 4.2 --tolerance 0.01 --sim-state "$work/meter-board" \
    --meter "scpi:tcp:127.0.0.1:$port"
exec {TCP[1]}>&-

# The meter on COM9: every reading the same, so the trim finds no change, having read the meter there.
coproc SERIAL { exec "$serial_meter"; }
read -r terminal <&"${SERIAL[0]}"
prefix=$(sed -n 's/^export WINEPREFIX="${WINEPREFIX:-\(.*\)}"$/\1/p' "$wine_run")
ln -sfn "$terminal" "$prefix/dosdevices/com9"
expect serial-meter 1 '' "COM9.*READ\?|hardly changes" trim --vcom 4.2 --tolerance 0.01 --trace \
    --meter scpi:serial:COM9:9600
rm -f "$prefix/dosdevices/com9"
exec {SERIAL[1]}>&-

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
