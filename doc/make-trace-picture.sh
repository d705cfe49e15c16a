#!/usr/bin/env bash
# Makes doc/trace.png, the README's picture of the start pulse and the first
# two word cycles: lptdump-emu writes the trace, GTKWave shows it in a virtual
# X display (Xvfb), ImageMagick takes the screenshot.
# Needs Debian's gtkwave, xvfb and imagemagick, and a built lptdump-emu.
#
# usage: doc/make-trace-picture.sh [LPTDUMP-EMU]   (default build/default/lptdump-emu)
set -euo pipefail
cd "$(dirname "$0")/.."
emu=$(realpath "${1:-build/default/lptdump-emu}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Words 0xA55A and 0x3CC3, low byte first, so that every data line moves.
printf '\x5a\xa5\xc3\x3c' > "$work/memory.bin"
(cd "$work" && printf 'image.bin\n' |
    LPTDUMP_EMU_MEMORY=memory.bin LPTDUMP_EMU_TRACE=trace.vcd LPTDUMP_EMU_TRACE_WORDS=2 "$emu" > /dev/null)
cp "$work/trace.vcd" doc/trace.vcd

xvfb-run --auto-servernum --server-args="-screen 0 1400x520x24" bash -c "
    gtkwave --rcvar 'initial_window_x 1400' --rcvar 'initial_window_y 520' --rcvar 'hide_sst on' \
        --script doc/trace-view.tcl doc/trace.vcd > '$work/gtkwave.log' 2>&1 &
    sleep 6
    import -window root doc/trace.png
    kill %1"
cat "$work/gtkwave.log"
if grep -iE 'warning|error' "$work/gtkwave.log"; then
    echo "GTKWave complained about the trace"
    exit 1
fi
echo "doc/trace.png made from doc/trace.vcd"
