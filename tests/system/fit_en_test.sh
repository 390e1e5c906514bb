#!/usr/bin/env bash
# fit_test.sh in English: every window whole, no text cut off, on 1024x768.
export SYS_LANG=en SYS_NAME=fit_en
exec bash "$(dirname "$0")/fit_test.sh"
