#!/usr/bin/env bash
# The client's main job: builds it and runs a start of the client on the simulated desktop,
# printing the transcript of what the user would see.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vor-sim >/dev/null
exec build/tools/vor-sim examples/startup.vor
