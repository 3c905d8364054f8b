#!/usr/bin/env bash
# scale_figures.sh CLI WORK_DIR [CONTACTS...]
# Generates phones of the given sizes (default 40000, about 50 MB, and
# 200000) and prints wall time, CPU time and peak memory of carve, list and
# export through the command line. Use a release build of cardivane-cli.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=$1 work=$2; shift 2
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(40000 200000)
printf '%-8s %-7s %9s %8s %8s %10s %9s\n' contacts command db_MB wall_s cpu_s peak_MB lines
for n in "${sizes[@]}"; do
  db=$work/$n/contacts2.db
  [ -f "$db" ] || python3 "$root/tools/contactsgen/gen_contacts.py" --out "$db" --contacts "$n" --seed 5 >/dev/null
  mb=$(( $(stat -c %s "$db") / 1048576 ))
  for cmd in carve list export; do
    args=("$db")
    if [ $cmd = export ]; then rm -rf "$work/$n/out"; mkdir -p "$work/$n/out"; args+=("$work/$n/out"); fi
    /usr/bin/time -f '%e %U %S %M' -o "$work/$n/$cmd.time" "$cli" $cmd "${args[@]}" >"$work/$n/$cmd.out"
    read -r wall user sys peak <"$work/$n/$cmd.time"
    lines=$(grep -c . "$work/$n/$cmd.out" || true)
    [ $cmd = carve ] && lines=$(grep -c $'\r$' "$work/$n/$cmd.out" || true)
    printf '%-8s %-7s %9s %8s %8.2f %10d %9s\n' "$n" $cmd "$mb" "$wall" "$(echo "$user + $sys" | bc)" $((peak / 1024)) "$lines"
  done
done
