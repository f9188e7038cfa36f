#!/usr/bin/env bash
# ./run.sh [FOLDER]: builds the converter if needed and runs it in FOLDER (default: samples/),
# turning FOLDER/img.jpg into FOLDER/out.cpp. The exit status is the converter's.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
folder=${1:-$root/samples}
if [ ! -d "$folder" ]; then
    echo "run.sh: no folder $folder" >&2
    exit 2
fi
folder=$(cd "$folder" && pwd)

"$root/tools/setup.sh"
build=$root/build/native
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -Wno-dev >/dev/null
fi
ninja -C "$build" -j "${PELLUX_JOBS:-2}" --quiet converter | { grep -v "^ninja: no work to do" || true; }

converter=$(sed -n 's/^converter=//p' "$build/program-paths.txt")
cd "$folder"
exec "$converter"
