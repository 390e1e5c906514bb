#!/usr/bin/env bash
# fit_test.sh at scale 2 on a 1920x1080 screen (960 x 540 of Qt's pixels).
export SYS_SCREEN=1920x1080x24 QT_SCALE_FACTOR=2
exec bash "$(dirname "$0")/fit_test.sh"
