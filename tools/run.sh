#!/usr/bin/env bash
# The client's main job: builds it, starts the bundled demo service on a free loopback port
# with the demo account, and runs the client against it over HTTP as examples/service.vor
# tells, printing the transcript of what the user and the service see.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target vor-sim vor-service >/dev/null

service_output=$(mktemp)
build/tools/vor-service --port 0 --account 10001:demo-pass --interval 5 >"$service_output" &
service_pid=$!
trap 'kill "$service_pid" 2>/dev/null || true; wait "$service_pid" 2>/dev/null || true; rm -f "$service_output"' EXIT

# The service names its port on its first line.
port=""
for _ in $(seq 100); do
  port=$(sed -n '1s/.*"port":\([0-9]*\).*/\1/p' "$service_output")
  [ -n "$port" ] && break
  kill -0 "$service_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "run.sh: vor-service did not start" >&2
  exit 1
fi

status=0
{ echo "route sms.example.com 127.0.0.1:$port"; cat examples/service.vor; } | build/tools/vor-sim || status=$?
exit "$status"
