#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Tessaline.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/prepare.sh
tessaline_install_missing
tessaline_build build -DCMAKE_BUILD_TYPE=Release
exec ./build/tessaline "$@"
