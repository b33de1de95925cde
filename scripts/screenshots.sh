#!/usr/bin/env bash
# Pictures of the manager's windows for the README, drawn under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh xvfb xauth
bash scripts/build.sh build >/dev/null
mkdir -p docs/screenshots
(cd build/manager/ui && xvfb-run -a -s "-screen 0 1280x1024x24" ./veldra-screenshots "$OLDPWD/docs/screenshots")
ls -l docs/screenshots
