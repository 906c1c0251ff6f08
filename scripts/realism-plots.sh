#!/usr/bin/env bash
# Draws the pictures of docs/realism.md into docs/realism/: the spread of first-innings totals,
# of wickets per innings and of runs per over over 10,000 seeded matches, each beside the band
# of real one-day internationals of 1995–2000 that the page quotes.
# Usage: scripts/realism-plots.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
out="$root/docs/realism"
source "$root/scripts/deps.sh"
need_packages gnuplot-nox
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target quorvel-sim players_dat >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# The same run as the page's tables: one csv row a match, then a blank line and the aggregates.
"$build/quorvel-sim" --players "$build/players.dat" --matches 10000 --stats --all-pairs \
    --seed 1 --format csv >"$work/matches.csv"

# Percentages of innings in each bin: totals in tens of runs, wickets 0–10, runs an over in
# quarters. Overs are written overs.balls (42.1 is 42 overs and 1 ball).
awk -F, -v dir="$work" '
    NR == 1 { next }
    $0 == "" { exit }
    {
        n++
        totals[int($5 / 10) * 10]++; sum_total += $5
        for (i = 5; i <= 9; i += 4) {
            innings++; wickets[$(i + 1)]++; sum_wickets += $(i + 1)
            split($(i + 2), o, "."); balls = o[1] * 6 + o[2]
            if (balls == 0) continue
            rpo = $i * 6 / balls; rated++; sum_rpo += rpo
            rates[int(rpo * 4) / 4]++
        }
    }
    END {
        for (b in totals) printf "%d %.3f\n", b + 5, 100 * totals[b] / n > dir "/totals.dat"
        for (w in wickets) printf "%d %.3f\n", w, 100 * wickets[w] / innings > dir "/wickets.dat"
        for (r in rates) printf "%.3f %.3f\n", r + 0.125, 100 * rates[r] / rated > dir "/rpo.dat"
        printf "total_mean = %.2f\nwickets_mean = %.2f\nrpo_mean = %.2f\n",
            sum_total / n, sum_wickets / innings, sum_rpo / rated > dir "/means.gp"
    }' "$work/matches.csv"

cd "$work"
gnuplot <<EOF
load "means.gp"
set terminal pngcairo size 800,480 font "DejaVu Sans,11"
set style fill solid 0.6 border -1
set ylabel "% of innings"
set grid ytics
set key top right opaque
set offsets 0, 0, graph 0.3, 0
# The real band is shaded (a point target, "about 7.2", as a strip 0.2 wide); the simulated mean
# is a dashed line. The NaN plots only put the band and the mean into the key.
band(lo, hi) = sprintf("set object 1 rect from %g, graph 0 to %g, graph 1 front fc rgb '#e8a000' fs transparent solid 0.45 noborder", lo, hi)
mean(x) = sprintf("set arrow 1 from %g, graph 0 to %g, graph 1 nohead front dt 2 lw 2 lc rgb '#1f4e79'", x, x)
real = "real ODIs 1995–2000: "
keys = "NaN with boxes fc rgb '#e8a000' fs transparent solid 0.45 title real.band_text, NaN with lines dt 2 lw 2 lc rgb '#1f4e79' title mean_text"

set output "$out/first-innings-totals.png"
set title "First-innings totals, 10,000 simulated matches"
set xlabel "runs (bins of 10)"
set xrange [0:450]
eval band(220, 230)
eval mean(total_mean)
band_text = "220–230"; mean_text = sprintf("simulated mean %.1f", total_mean)
plot "totals.dat" using 1:2:(10) with boxes lc rgb "#6a9fd4" title "simulated", @keys

set output "$out/wickets-per-innings.png"
set title "Wickets per innings, both innings of 10,000 simulated matches"
set xlabel "wickets"
set xrange [-0.5:10.5]
set xtics 1
set key top left
eval band(7.1, 7.3)
eval mean(wickets_mean)
band_text = "about 7.2"; mean_text = sprintf("simulated mean %.2f", wickets_mean)
plot "wickets.dat" using 1:2:(0.8) with boxes lc rgb "#6a9fd4" title "simulated", @keys

set output "$out/runs-per-over.png"
set title "Runs per over of each innings, 10,000 simulated matches"
set xlabel "runs per over (bins of 0.25)"
set xrange [1:9]
set xtics 1
set key top right
eval band(4.4, 4.7)
eval mean(rpo_mean)
band_text = "4.4–4.7"; mean_text = sprintf("simulated mean %.2f", rpo_mean)
plot "rpo.dat" using 1:2:(0.25) with boxes lc rgb "#6a9fd4" title "simulated", @keys
EOF
ls -1 "$out"
