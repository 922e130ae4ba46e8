#!/usr/bin/env bash
# Builds the editor and starts it: on the desktop when there is one; with no
# display it says so and plays the demo on the headless display, then prints
# where the screenshot and the saved files are. Installs what it needs first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --parallel "$(nproc)" --target mienzo
exec "$root/build/app/mienzo" "$@"
