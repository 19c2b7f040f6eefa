#!/usr/bin/env bash
# Builds the Debian packages and installs them on a clean Debian 12 root
# (debootstrap chroot) to check them. Needs root; several minutes the first
# time, as the root is bootstrapped once and then kept outside the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh build-package
bash tests/install/debian_install_test.sh build-package/packages
