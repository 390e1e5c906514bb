#!/usr/bin/env bash
# A download is the player's once its time is up, also when the player
# leaves the network screen with "Назад" while it still shows
# "Status: Downloading N Mb...".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saves.sh"
sys_start_x
sys_save_online Net
# The first draw of chance is the download's size: 3 Mb (no midnight comes
# before it at the slow speed from 0:30).
sys_start_game "KALVITOR_TEST_RND=0.3"
sys_load_from_name_dialog Net
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click_menu "Скорость игры" "Медленный"
sys_click frmMainWindow.cmdInNet
sys_wait_for '^ACTIVE frmNetworkWindow' 5
sys_click frmNetworkWindow.Command1                     # dial: about 8 seconds
for i in $(seq 40); do                                  # the sites answer once connected
  sys_click frmNetworkWindow.cmdChangeLocation\(1\)
  sys_dump
  grep -q '^CONTROL frmNetworkWindow.Command6 ' "$SYS_DUMP" && break
  sleep 0.3
done
sys_expect '^CONTROL frmNetworkWindow.Command6 ' "the download site's panel"
sys_click frmNetworkWindow.Command6                     # 3 Mb in 3 seconds
sys_dump
sys_expect '^FORCED_LEFT 0' "the download drew its size"
sys_click frmNetworkWindow.Command9                     # Назад at once
sys_wait_for '^FORM frmNetwork loaded=[01] shown=0' 5
sys_wait_for '^STATE DownloadedMb 3$' 6
sys_expect '^LABEL frmMain.lblOther "3 Мб"' "the main window shows the megabytes"
sys_pass
