#!/usr/bin/env bash
# Installs what is missing, builds, and starts Formwick.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
exec build/cli/formwick-cli summary
