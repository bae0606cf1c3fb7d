#!/usr/bin/env bash
# Installs what is missing, builds and starts the editor.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/bin/tamarie ]; then
  exec build/bin/tamarie "$@"
fi
# Until the editor is built: today's almanac through the library.
exec build/bin/tamarie-koyomi "$(date +%F)"
