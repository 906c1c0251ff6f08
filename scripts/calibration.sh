#!/usr/bin/env bash
# Measures how well the win predictor is calibrated: plays MATCHES seeded matches (match i
# seeded with i, the 36 pairs of predefined elevens in turn) with `quorvel-sim --predict`, and
# over every moment between two overs (the last of each match left out: it is the result
# itself) compares each side's estimated chance with whether that side won. Prints the
# reliability table and the Brier scores, and draws docs/realism/win-calibration.png.
# Usage: scripts/calibration.sh [build folder] [matches] [remainders]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
matches="${2:-2000}"
remainders="${3:-100}"
out="$root/docs/realism"
source "$root/scripts/deps.sh"
need_packages gnuplot-nox
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target quorvel-sim players_dat >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

countries=(Australia England India "New Zealand" Pakistan "South Africa" "Sri Lanka" "West Indies"
           Zimbabwe)
pairs=()
for ((a = 0; a < 9; ++a)); do
    for ((b = a + 1; b < 9; ++b)); do pairs+=("${countries[a]}|${countries[b]}"); done
done
for ((i = 1; i <= matches; ++i)); do
    pair="${pairs[i % 36]}"
    printf '%s\0%s\0%s\0' "$i" "${pair%%|*}" "${pair##*|}"
done | xargs -0 -n 3 -P "$(nproc)" sh -c '"$0" --players "$1" --seed "$4" --left "$5" \
    --right "$6" --predict --format csv --remainders "$2" --jobs 1 | tail -n +2 > "$3/$4.csv"' \
    "$build/quorvel-sim" "$build/players.dat" "$remainders" "$work"

# Each file: one row an over; the last row holds the result (a chance of 1 or 0, or a tie).
for f in "$work"/*.csv; do
    awk -F, '{ rows[NR] = $0 } END {
        split(rows[NR], last, ",")
        left = last[7]; right = last[10]; tie = last[12]
        for (r = 1; r < NR; ++r) {
            split(rows[r], row, ",")
            print row[7], (tie > 0.5 ? 0.5 : left)
            print row[10], (tie > 0.5 ? 0.5 : right)
        }
    }' "$f"
done >"$work/moments.dat"

awk -v dir="$work" '
    {
        p = $1; won = $2; n++
        bin = int(p * 10); if (bin > 9) bin = 9
        count[bin]++; sumP[bin] += p; sumWon[bin] += won
        if (NR % 2 == 1) { brier += (p - won) ^ 2; naive += (0.5 - won) ^ 2; moments++ }
    }
    END {
        printf "| Estimated chance | Moments | Mean estimate | Share won |\n|---|---|---|---|\n"
        for (b = 0; b < 10; ++b) {
            if (!count[b]) continue
            printf "| %d–%d %% | %d | %.1f %% | %.1f %% |\n", b * 10, b * 10 + 10, count[b],
                100 * sumP[b] / count[b], 100 * sumWon[b] / count[b]
            printf "%.4f %.4f %d\n", sumP[b] / count[b], sumWon[b] / count[b], count[b] > dir "/bins.dat"
        }
        printf "\nBrier score over %d moments (the left side): %.4f; the 50 %% guess: %.4f\n",
            moments, brier / moments, naive / moments
    }' "$work/moments.dat"

gnuplot <<GNUPLOT
set terminal pngcairo size 640,480 font "DejaVu Sans,10"
set output "$out/win-calibration.png"
set title "How often a side won, against the chance it was given (${matches} matches)"
set xlabel "estimated chance of winning"
set ylabel "share of those moments the side won"
set xrange [0:1]; set yrange [0:1]
set key top left
set grid
plot x title "perfect calibration" with lines dashtype 2 linecolor rgb "#888888", \
     "$work/bins.dat" using 1:2 title "the predictor (mean of each tenth)" \
         with linespoints pointtype 7 linecolor rgb "#1f5fa8"
GNUPLOT
echo "Drawn: $out/win-calibration.png" >&2
