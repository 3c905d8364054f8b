#!/usr/bin/env bash
# The main job: a freshly generated sample phone database through the recovery
# engine's command-line front end, printing what it recovered.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh linux >/dev/null
sample="$root/build/sample"
mkdir -p "$sample"
python3 tools/contactsgen/gen_contacts.py --out "$sample/contacts2.db" --contacts 300 \
  --deleted-share 0.3 --seed 7 >/dev/null
echo "Sample phone database: $sample/contacts2.db"
echo "Recovered deleted contacts (name TAB number):"
build/linux/bin/cardivane-cli carve "$sample/contacts2.db"
