#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# Targets: players_reader line_end_repair match_reader display_name_lookup headless_match
# sheet_replay tournament_reader.
# New inputs go to a scratch corpus; a crash leaves its input in build-fuzz/artifacts/, to be
# added to fuzz/corpus/TARGET/ as a regression input once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/deps.sh
need_packages "${CORE_PACKAGES[@]}" clang libclang-rt-14-dev

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    targets=(players_reader line_end_repair match_reader display_name_lookup headless_match
        sheet_replay tournament_reader)

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEL_FUZZ=ON -DQUORVEL_GUI=OFF -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc 2>/dev/null || echo 2)" \
    --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/artifacts
status=0
for target in "${targets[@]}"; do
    work=$(mktemp -d)
    echo "== fuzz_$target for ${seconds}s"
    if ! build-fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 \
        -artifact_prefix=build-fuzz/artifacts/"$target"- "$work" fuzz/corpus/"$target" \
        2>build-fuzz/"$target".log; then
        status=1
        tail -n 40 build-fuzz/"$target".log
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" build-fuzz/"$target".log || true
    rm -rf "$work"
done
exit $status
