#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Tessaline.
#   ./run.sh --web   builds the web edition into build-web/site/ and serves it on
#                    http://127.0.0.1:8080/ (TESSALINE_PORT sets the port)
set -euo pipefail
cd "$(dirname "$0")"
source scripts/prepare.sh
if [ "${1:-}" = "--web" ]; then
    tessaline_install_only "${tessaline_web_packages[@]}"
    tessaline_build_web build-web
    port=${TESSALINE_PORT:-8080}
    echo "Tessaline on the web: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
    exec python3 scripts/serve_web.py build-web/site "$port"
fi
tessaline_install_missing
tessaline_build build -DCMAKE_BUILD_TYPE=Release
exec ./build/tessaline "$@"
