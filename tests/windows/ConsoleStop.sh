#!/usr/bin/env bash
# Ctrl+C at the console stops a trim as SIGINT does on Linux: the measure command's whole tree is ended
# at once (its ping would run for a minute), the attempt is logged as aborted, and the tool ends with
# 130. Wine gives a program a console only on a terminal, which `script` lends it.
# Usage: ConsoleStop.sh WINDOWS_TOOL CONSOLE_STOP WINE_RUN
set -uo pipefail
tool=$1 stopper=$2 wine_run=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows() { echo "Z:${1//\//\\}"; }

measure="echo ready>$(windows "$work/ready") & ping -n 60 127.0.0.1 >nul"
line="\"$(windows "$tool")\" trim --vcom 4.2 --meter-timeout 100 --board-id B1"
line+=" --log \"$(windows "$work/log.jsonl")\" --measure \"$measure\""
run=$(printf '%q ' "$wine_run" "$stopper" "$(windows "$work/ready")" "$line")
got=0
SHELL=/bin/bash timeout 120 script -qec "$run" /dev/null </dev/null >"$work/console" || got=$?
if [ "$got" != 130 ] || ! python3 -c 'import json, sys
from datetime import datetime
lines = open(sys.argv[1]).read().splitlines()
assert len(lines) == 1, lines
record = json.loads(lines[0])
assert record["outcome"] == "aborted" and not record["programmed"], record
assert record["reason"].endswith("stopped by SIGINT"), record
took = datetime.fromisoformat(record["end"][:-1]) - datetime.fromisoformat(record["start"][:-1])
assert took.total_seconds() < 30, took' "$work/log.jsonl"; then
    echo "FAIL: exit $got (expected 130)"
    sed 's/\x1b\[[^a-zA-Z]*[a-zA-Z]//g' "$work/console"
    exit 1
fi
