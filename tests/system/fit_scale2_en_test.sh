#!/usr/bin/env bash
# fit_test.sh in English at scale 2 on a 1920x1080 screen.
export SYS_LANG=en SYS_NAME=fit_scale2_en SYS_SCREEN=1920x1080x24 QT_SCALE_FACTOR=2
exec bash "$(dirname "$0")/fit_test.sh"
