#!/usr/bin/env bash
# Builds the tool and shows it working.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target plandock
build/release/plandock --help
