#!/usr/bin/env bash
# The main job as a demo: a generated sample phone (a few hundred contacts in
# several scripts, a share of them deleted) behind the simulated phone and a
# private adb server, and Cardivane.exe from the 64-bit Windows build under
# Wine reading it. With a display (DISPLAY set) the program opens there for
# you to use. Without one it runs headless under Xvfb: it walks the scan to
# the results page, recovers every contact to a folder, saves pictures of the
# window and checks the file against the sample's ground truth.
# CARDIVANE_RUN_TREE names another win64 build tree to use (default build/win64).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
tree=${CARDIVANE_RUN_TREE:-build/win64}
[ -f "$tree/build.ninja" ] || scripts/configure.sh win64 "$tree"
echo "== building the program, the simulated phone and the driver ($tree)"
mkdir -p "$tree"
cmake --build "$tree" -j"$(nproc)" --target e2e_driver >"$tree/run-build.log" 2>&1 || {
  tail -n 30 "$tree/run-build.log"
  exit 1
}
tree=$(cd "$tree" && pwd)
demo=$tree/demo
rm -rf "$demo"
mkdir -p "$demo"

if [ -n "${DISPLAY:-}" ]; then
  CARDIVANE_USE_DISPLAY=1 scripts/wine-session.sh "$tree" \
    bash tests/e2e/demo_interactive.sh "$tree/wine-run.sh" "$tree/bin" "$demo"
  exit
fi

echo "== no display: running headless under Xvfb"
status=0
E2E_KEEP=$demo scripts/wine-session.sh "$tree" \
  bash tests/e2e/e2e_success_test.sh "$tree/wine-run.sh" "$tree/bin" "$tree/bin/e2e_driver.exe" 300 || status=$?
echo
echo "Sample phone database and its ground truth: $demo/phone/"
echo "Pictures of the window:"
for picture in "$demo"/pictures/*.png; do [ -e "$picture" ] && echo "  $picture"; done
contacts=$(find "$demo/out" -name contacts.txt 2>/dev/null | head -n 1)
echo "Recovered contacts (UTF-16): ${contacts:-none written}"
exit "$status"
