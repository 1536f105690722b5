#!/bin/sh
# Builds the release preset, runs every benchmark and writes docs/performance.md.
# Usage: scripts/bench.sh [BUILD_DIR]   (default build/release)
# Everything runs on this machine alone: pseudo-terminals of its own, UDP on 127.0.0.1, a
# temporary settings file, the offscreen platform and, for start-up, a private Xvfb display.
set -eu
cd "$(dirname "$0")/.."
build="${1:-build/release}"
scripts/install-deps.sh
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" --target zelterm_bench zelterm_pty_flood zelterm_udp_flood zelterm_startup \
    zelterm_steady_rate

work="$(mktemp -d "${TMPDIR:-/tmp}/zelterm-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export ZELTERM_SERIAL_PORTS=/nonexistent/zelterm-bench-port
export ZELTERM_SETTINGS="$work/settings.conf"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
results="$build/bench-results"
mkdir -p "$results"
: >"$results/system.txt"
: >"$results/system.log"
# A program that fails still leaves its other figures; a failed figure reads -1.
run() { "$@" >>"$results/system.txt" 2>>"$results/system.log" || echo "failed: $*" >&2; }
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

# The steady rate first: on a virtual machine, processor time per unit of work stays high for a
# while after the floods below, and these are the smallest figures.
echo "A real product's rate under Xvfb (about four minutes)..."
run env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$build/bench/system/zelterm_steady_rate" 20 5
echo "Micro benchmarks (log ingest)..."
"$build/bench/zelterm_bench" --benchmark_format=csv >"$results/micro.csv" 2>"$results/micro.log"
echo "Pseudo-terminal flood against cat..."
run "$build/bench/system/zelterm_pty_flood" 10
echo "UDP flood on 127.0.0.1..."
run "$build/bench/system/zelterm_udp_flood" 100000 16 logic
run "$build/bench/system/zelterm_udp_flood" 100000 16 window
echo "Start-up and memory under Xvfb..."
run env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    "$build/bench/system/zelterm_startup" 5 10
load_after="$(cut -d' ' -f1-3 /proc/loadavg)"

# --- the report -----------------------------------------------------------------------------
# A Google Benchmark column (3 real time, 4 processor time, 6 bytes/s, 7 items/s) of one row.
# A figure that is missing reads -1.
micro() {
    awk -F, -v name="\"$1\"" -v col="$2" '$1 == name { v = $col } END { print v == "" ? -1 : v }' \
        "$results/micro.csv"
}
sysval() { awk -v name="$1" '$1 == name { v = $2 } END { print v == "" ? -1 : v }' "$results/system.txt"; }
calc() { awk "BEGIN { printf \"$1\n\", $2 }"; }
whole() { calc %.0f "$(sysval "$1")"; }
# "met" when the condition on the value holds, else "**not met**".
verdict() { awk "BEGIN { print (($1) ? \"met\" : \"**not met**\") }"; }

serial_ours="$(micro 'Ingest<OursSerial>/1048576/512' 4)"
serial_naive="$(micro 'Ingest<NaiveSerial>/1048576/512' 4)"
serial_ours_big="$(micro 'Ingest<OursSerial>/1048576/4096' 4)"
serial_naive_big="$(micro 'Ingest<NaiveSerial>/1048576/4096' 4)"
udp_ours="$(micro 'Ingest<OursUdp>/1048576/512' 4)"
udp_naive="$(micro 'Ingest<NaiveUdp>/1048576/512' 4)"
serial_ratio="$(calc %.0f "$serial_naive / $serial_ours")"
serial_ratio_big="$(calc %.0f "$serial_naive_big / $serial_ours_big")"
udp_ratio="$(calc %.0f "$udp_naive / $udp_ours")"
serial_rate="$(calc %.1f "$(micro 'Ingest<OursSerial>/1048576/512' 6) / 1048576")"
udp_rate="$(calc %.1f "$(micro 'Ingest<OursUdp>/1048576/512' 6) / 1048576")"
fake_datagrams="$(calc %.0f "$(micro 'Ingest<OursUdp>/1600000/16' 7)")"
reply_small="$(calc %.1f "$(micro 'SerialReplyIntoLog/1048576' 4)")"
reply_large="$(calc %.1f "$(micro 'SerialReplyIntoLog/10485760' 4) / 10")"

logic_rate="$(calc %.0f "$(sysval udp_logic_logged_per_s)")"
window_rate="$(calc %.0f "$(sysval udp_logged_per_s)")"
shown_rate="$(calc %.0f "$(sysval udp_shown_per_s)")"
cat_ms="$(calc %.0f "$(sysval pty_cat_ms)")"
log_ms="$(calc %.0f "$(sysval pty_terminal_log_ms)")"
view_ms="$(calc %.0f "$(sysval pty_terminal_view_ms)")"
pty_ratio="$(calc %.1f "$(sysval pty_terminal_over_cat)")"
log_ratio="$(calc %.1f "$(sysval pty_terminal_log_ms) / $(sysval pty_cat_ms)")"
stall="$(calc %.0f "$(sysval flood_worst_stall_ms)")"
udp_stall="$(calc %.0f "$(sysval udp_worst_stall_ms)")"
startup="$(calc %.0f "$(sysval startup_median_ms)")"
idle="$(calc %.1f "$(sysval memory_idle_rss_mb)")"
steady_line="$(calc %.1f "$(sysval steady_line_cpu_pct)")"
steady_chunk="$(calc %.1f "$(sysval steady_chunk_cpu_pct)")"
# The last half's share against the first's, and memory grown per megabyte received.
steady_flat="$(calc %.2f "$(sysval steady_line_cpu_last_pct) / $(sysval steady_line_cpu_first_pct)")"
steady_growth="$(calc %.1f "($(sysval steady_line_after_rss_mb) - $(sysval steady_line_idle_rss_mb)) / $(sysval steady_line_megabytes)")"
steady_idle="$(calc %.1f "$(sysval steady_line_idle_rss_mb)")"

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
compiler="$(awk -F= '/^CMAKE_CXX_COMPILER:/ { print $2 }' "$build/CMakeCache.txt")"
qt="$(pkg-config --modversion Qt6Core 2>/dev/null || echo unknown)"

cat >docs/performance.md <<EOF
# Performance

Written by \`scripts/bench.sh\`, which builds the release preset, runs every benchmark and
rewrites this page. Reproduce with:

    scripts/bench.sh            # or scripts/bench.sh <build dir>

The raw results stay in \`$build/bench-results/\` (Google Benchmark CSV and the system
programs' \`name value\` lines).

## Machine

| | |
|---|---|
| Date | $(date -u '+%Y-%m-%d %H:%M UTC') |
| CPU | $cpu |
| Cores | $(nproc) |
| Memory | $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) |
| Kernel | $(uname -sr) |
| Compiler | $("$compiler" --version | head -n1) |
| Qt | $qt |
| Load average (1, 5, 15 min) | before: $load_before; after: $load_after |

The load average shows what else ran meanwhile. The system figures (sections 2 to 5) share the
two cores with it and move by a factor of two or three between runs on a busy machine; run the
script on an idle machine for firm figures. The micro benchmarks count processor time and move
less.

## Summary

| Figure | Value | Target | Verdict |
|---|---|---|---|
| Serial ingest vs. naive, 1 MB, 512-byte writes | ${serial_ratio}x | at least 100x | $(verdict "$serial_ratio >= 100") |
| UDP ingest vs. naive, 1 MB, 512-byte datagrams | ${udp_ratio}x | at least 100x | $(verdict "$udp_ratio >= 100") |
| Datagrams logged per second, real UDP, with the window | $window_rate/s | 50,000/s | $(verdict "$window_rate >= 50000") |
| Datagrams logged per second, real UDP, logic only | $logic_rate/s | 50,000/s | $(verdict "$logic_rate >= 50000") |
| Pseudo-terminal flood, terminal time / cat time (shown in the window) | ${pty_ratio}x | within 2x | $(verdict "$pty_ratio >= 0 && $pty_ratio <= 2") |
| Longest event-loop stall, 10 MB flood into the window | $stall ms | no stall above 50 ms | $(verdict "$stall >= 0 && $stall <= 50") |
| Start-up to the window mapped (median of $(calc %.0f "$(whole startup_runs)")) | $startup ms | within 300 ms | $(verdict "$startup >= 0 && $startup <= 300") |
| Idle memory (VmRSS) | $idle MB | under 60 MB | $(verdict "$idle >= 0 && $idle < 60") |
| 115200 baud, a 64-byte line per write, processor time (one core = 100 %) | $steady_line % | at most 3 % | $(verdict "$steady_line >= 0 && $steady_line <= 3") |
| The same, last half against first half | ${steady_flat}x | within 20 % (0.8x to 1.2x) | $(verdict "$steady_flat >= 0.8 && $steady_flat <= 1.2") |
| The same, memory grown per MB received | $steady_growth MB | at most 3 MB | $(verdict "$steady_growth <= 3") |
| The same, idle memory before it | $steady_idle MB | at most 40 MB | $(verdict "$steady_idle >= 0 && $steady_idle <= 40") |

## 1. Log ingest through the receive handlers

Google Benchmark (\`$build/bench/zelterm_bench\`): CZelTermDlg over in-memory transports,
logging in the default Mixed mode, no window. A *write* is one arrival from the transport: one
serial notification whose bytes the handler reads, or one datagram; 512 bytes each for both
handlers (the serial handler's own read size), printable 64-byte reply lines ending in a
carriage return. The naive design (\`bench/naive_log.*\`, kept in the benchmark only) does the
same work per write but then renders the whole log again from everything received. Times are
processor time, so other load on the machine barely moves them.

| Handler, 1 MB | Ours | Naive | Ratio |
|---|---|---|---|
| Serial, 512-byte writes | $(calc %.1f "$serial_ours") ms ($serial_rate MB/s) | $(calc %.0f "$serial_naive") ms | ${serial_ratio}x |
| Serial, 4096-byte writes | $(calc %.1f "$serial_ours_big") ms | $(calc %.0f "$serial_naive_big") ms | ${serial_ratio_big}x |
| UDP, 512-byte datagrams | $(calc %.1f "$udp_ours") ms ($udp_rate MB/s) | $(calc %.0f "$udp_naive") ms | ${udp_ratio}x |

Also: 16-byte datagrams through the UDP handler, without a socket: $fake_datagrams per second.
A single reply of binary bytes through the serial handler, 4096 bytes per notification, costs
$reply_small ms per MB at 1 MB and $reply_large ms per MB at 10 MB (where the rendered log passes
its 32 MB bound and drops its oldest lines): linear, apart from the dropping.

What limits it: the naive design costs the square of the log's size, so the ratio grows with the
log and shrinks as writes get larger (fewer re-renderings), as the 4096-byte row shows. Our serial
handler appends each read (512 bytes) to the log in one piece but renders it byte by byte, as a
received byte is never read as part of a zero marker, which is what its rate is made of; the UDP
handler renders a datagram in one go and runs faster. On a busy machine processor times still
vary by a factor of up to two between runs.

## 2. Datagrams over real UDP on 127.0.0.1

\`zelterm_udp_flood\`: a sender thread sends 100,000 datagrams of 16 bytes from 127.0.0.1 to the
real CZelSocket of a CZelTermDlg (Sonnel, Ethernet), keeping at most 128 on their way so that
the figure is the rate the terminal logs them at, not a rate of losses. Timed from the first
send to the last datagram in the log (and, with the window, shown in the log box). Each row is
the median of $(whole udp_runs) runs; losses and stalls are the worst of them.

| Run | Logged per second | Shown per second | Lost | Processor time per datagram | Cores used | Longest stall |
|---|---|---|---|---|---|---|
| Logic only, no window | $logic_rate | - | $(whole udp_logic_lost) | $(calc %.1f "$(sysval udp_logic_cpu_us_per_datagram)") µs | $(calc %.2f "$logic_rate * $(sysval udp_logic_cpu_us_per_datagram) / 1e6") | $(calc %.0f "$(sysval udp_logic_worst_stall_ms)") ms |
| With the main window (offscreen) | $window_rate | $shown_rate | $(whole udp_lost) | $(calc %.1f "$(sysval udp_cpu_us_per_datagram)") µs | $(calc %.2f "$window_rate * $(sysval udp_cpu_us_per_datagram) / 1e6") | $udp_stall ms |

Processor time counts the whole process, the sender included; cores used is the rate times it.

What limits it: every datagram costs a poll and a read on the receiver thread, one event posted
to the GUI thread (and a wake-up of it), and the sender's own send. The rate is the processor
time per datagram divided into the share of the two cores the process gets: where it uses less
than both, the rest went to whatever else ran (see the load average). The window adds to the
time per datagram: the socket hands everything that arrived to the window in one posted job, the
handler logs each datagram and the log box notes where its lines begin; the box draws the lines
in view at most every 33 ms.

## 3. Pseudo-terminal flood against cat

\`zelterm_pty_flood\`: $(whole pty_flood_megabytes) MB of reply lines written into the master side
of a pseudo-terminal, as fast as it takes them. The terminal side is zelterm's own assembly: the
real serial transport (CSerialWnd over the pseudo-terminal), CZelTermDlg (Korvex, serial) and
the main window on the offscreen platform. Against it, \`cat\` draining a pseudo-terminal of its
own into a pipe. Medians of $(whole pty_runs) runs each.

| | Time |
|---|---|
| cat | $cat_ms ms |
| Terminal, every byte in the log | $log_ms ms (${log_ratio}x cat) |
| Terminal, every byte shown in the log box | $view_ms ms (${pty_ratio}x cat) |

What limits it: cat copies from one kernel buffer to another and keeps nothing. The terminal
renders every byte into the log's text, walks it once more to note where the box's lines begin,
and hands each portion from the serial listener thread to the GUI thread; the box keeps no copy
of the text and draws only the lines in view, at most every 33 ms. The rest is the kernel: page
faults on the growing log and the threads' wake-ups.

## 4. Event-loop stalls

A 5 ms precise timer on the GUI thread measures its own lateness; the figure is the worst
lateness over all runs.

| Run | Longest stall |
|---|---|
| $(whole pty_flood_megabytes) MB pseudo-terminal flood into the window | $stall ms, ending $(calc %.0f "$(sysval flood_worst_stall_ended_at_ms)") ms into the flood, whose log was complete at $(calc %.0f "$(sysval flood_worst_stall_run_log_ms)") ms |
| The same floods, once their log was complete (the log box catching up alone) | $(calc %.0f "$(sysval flood_worst_box_stall_ms)") ms |
| 100,000 datagrams into the window | $udp_stall ms |

What limits it: the serial handler (CZelTermDlg::OnSerialEvent) reads 512 bytes at a time for as
long as a read comes back full, and the serial port hands it at most 64 KiB per event, posting
the rest as a new event; the log box only notes where its lines begin and draws the lines in
view at most every 33 ms. A stall is therefore one 64 KiB portion logged, or the log dropping its
oldest quarter once it passes 32 MB, and how long that takes depends on how the device's writer and the GUI
thread share the two cores, so it moves by tens of milliseconds with the machine's load. The
second row is what the box costs once the log is complete: its last update.

## 5. Start-up and memory of zelterm

\`zelterm_startup\` under \`xvfb-run\` (a private Xvfb display, no window manager): the time from
starting the real zelterm program to the map notification of its main window, on a Korvex at a
pseudo-terminal with settings that ask nothing at start. Then, on the last run, its memory from
/proc/<pid>/status once it is idle, and after a $(whole memory_flood_megabytes) MB flood on its
serial port once it is idle again.

| | Value |
|---|---|
| Start-up, first run | $(calc %.0f "$(sysval startup_first_ms)") ms |
| Start-up, median | $startup ms |
| Start-up, worst | $(calc %.0f "$(sysval startup_worst_ms)") ms |
| \`zelterm --version\` from start to exit (median), the libraries' loading alone | $(calc %.0f "$(sysval startup_version_only_median_ms)") ms |
| Idle, VmRSS | $idle MB |
| Idle, VmHWM (peak so far) | $(calc %.1f "$(sysval memory_idle_peak_mb)") MB |
| After the flood, VmHWM (peak) | $(calc %.1f "$(sysval memory_flood_peak_mb)") MB |
| After the flood, VmRSS | $(calc %.1f "$(sysval memory_after_flood_rss_mb)") MB |

What limits it: a run of \`zelterm --version\` shows the share of loading and linking the shared
libraries (Qt, libusb) before the program runs at all; the rest is Qt's platform plugin, fonts
and connection to the display, the window with the product's property sheet, and the first
paint. Idle memory is mostly Qt's libraries, fonts and the window's widgets. After a flood the
log's text dominates (bounded at 32 MB), with the box's line index at 8 bytes per line.

## 6. A real product's rate

\`zelterm_steady_rate\` under \`xvfb-run\`: the real zelterm program (Korvex on a pseudo-terminal,
115200 baud) fed 11,520 bytes/s of 64-byte reply lines for $(whole steady_seconds) s, either one line
per write (180 writes/s) or the same bytes every 16 ms. Processor time is the program's user and
system time from /proc/<pid>/stat over the run, as a share of one core; memory is VmRSS once the
program is idle before and after. Medians of $(whole steady_runs) runs; the spread of the whole
run's share over the runs is given too.

| Run | Whole run | First half | Last half | Spread over runs | VmRSS before | VmRSS after |
|---|---|---|---|---|---|---|
| One 64-byte line per write | $steady_line % | $(calc %.1f "$(sysval steady_line_cpu_first_pct)") % | $(calc %.1f "$(sysval steady_line_cpu_last_pct)") % | $(calc %.1f "$(sysval steady_line_cpu_min_pct)") to $(calc %.1f "$(sysval steady_line_cpu_max_pct)") % | $steady_idle MB | $(calc %.1f "$(sysval steady_line_after_rss_mb)") MB |
| The same bytes every 16 ms | $steady_chunk % | $(calc %.1f "$(sysval steady_chunk_cpu_first_pct)") % | $(calc %.1f "$(sysval steady_chunk_cpu_last_pct)") % | $(calc %.1f "$(sysval steady_chunk_cpu_min_pct)") to $(calc %.1f "$(sysval steady_chunk_cpu_max_pct)") % | $(calc %.1f "$(sysval steady_chunk_idle_rss_mb)") MB | $(calc %.1f "$(sysval steady_chunk_after_rss_mb)") MB |

What limits it: the serial listener thread reads a steady stream of a few bytes at a time once
per 15 ms, leaving the device unwatched in between, and hands what it read to the GUI thread: 65
wake-ups a second for the line-per-write run instead of 180. Writes every 16 ms fall just past
that pause, so there each write costs a wake-up for its bytes and one for the empty end of the
pause; that run is the dearer one now. The box updates at most
every 33 ms: each update moves the lines in view, draws the new ones and hands the window's
pixels to the X server. Its scroll bar, whose styled drawing used to cost more than all the
rest, is brought up to date at most four times a second and only when its handle would move.
What is left is mostly the kernel's wake-ups of the two threads. A clock tick of
/proc/<pid>/stat is 10 ms, so one run of $(whole steady_seconds) s reads to about 0.05 % of a
core. The machine moves the figures far more: this is a virtual machine, and in some runs a
thread's time jumps fivefold for a few seconds while a fixed loop run beside it slows down too,
which is why the figure is a median.
EOF
echo "Wrote docs/performance.md (raw results in $results)"
