#!/usr/bin/env bash
# A new player's first looks: the menu column's labels show a hand and a
# light plate under the pointer; the pointer held over a label or a place's
# button shows its tip (what the place is for, a meal's effect and price,
# what a part costs and what needs it, what a program needs and what of it
# is there).
source "$(dirname "$0")/lib.sh"
sys_start_x
sys_start_game
sys_new_game Vasya
sys_wait_for '^ACTIVE frmMainWindow' 5

hover() {  # WINDOW.CONTROL: the pointer over its middle, no click
  sys_dump
  local line
  line="$(grep -m1 -F "CONTROL $1 " "$SYS_DUMP")" || sys_fail "no control $1 on the screen"
  read -r _ _ x y w h <<<"$line"
  xdotool mousemove $(( (x + w / 2) * SYS_SCALE )) $(( (y + h / 2) * SYS_SCALE ))
}
tip_of() {  # WINDOW.CONTROL TEXT: the tip shown over it begins with TEXT
  xdotool mousemove 0 0; sleep 0.3
  hover "$1"
  sys_wait_for "^TOOLTIP \"$2" 5
}

hover frmMainWindow.cmdShop
sys_wait_for '^HOVER frmMainWindow.cmdShop cursor=hand highlight=1' 3
sys_wait_for '^TOOLTIP "Еда: сытость\."' 5
sys_shot hover-shop
hover frmMainWindow.lblMoney
sys_wait_for '^HOVER frmMainWindow.lblMoney cursor=arrow highlight=0' 3
hover frmMainWindow.cmdWork
sys_wait_for '^HOVER frmMainWindow.cmdWork cursor=hand highlight=1' 3

sys_click frmMainWindow.cmdShop
sys_wait_for '^ACTIVE frmShopWindow' 5
tip_of frmShopWindow.Command2 'Сытость \+20%, настроение -15%\. Цена \$45\."'
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click frmMainWindow.cmdHard
sys_wait_for '^ACTIVE frmHardWindow' 5
tip_of 'frmHardWindow.cmdUpggrade(0)' '486 DX2-66 MHz за \$25\.\\nСейчас: Нет вооще\.\\nНужен для: Microsoft Windows 3\.1\."'
sys_shot hover-hard
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_click frmMainWindow.cmdSoft
sys_wait_for '^ACTIVE frmSoftWindow' 5
tip_of 'frmSoftWindow.cmdUpgrade(0)' 'Microsoft Windows 3\.1, бесплатно\.\\nНужно:\\n· Процессор не хуже 486 DX2-66 MHz — нет'
sys_shot hover-soft
sys_key Escape
sys_wait_for '^ACTIVE frmMainWindow' 5
sys_pass
