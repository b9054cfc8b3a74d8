#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
tavrin_wine_prefix
exec "$TAVRIN_WINE" "$@"
