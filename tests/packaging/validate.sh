#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# validate.sh TOOL [ARGS...]: runs a validator of the installed desktop files; skipped (77) when the
# tool is not installed (scripts/test.sh installs it).
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed: skipped"; exit 77; }
exec "$@"
