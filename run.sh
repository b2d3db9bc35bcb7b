#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tallyra.  On the first start Tallyra
# proposes a new database in ~/.local/share/tallyra/.
set -euo pipefail
cd "$(dirname "$0")"
source tools/bootstrap.sh
install_missing_packages
build_tallyra
exec build/app/tallyra "$@"
