#!/usr/bin/env python3
"""Writes a driver script that plays one game year at the normal speed.

A modest life on the easy level (level 0): the player takes the caretaker's job, goes
to school, marries, eats, rests and sees the doctor every few days, tops the
money up with a cheat code every other day (and the health every fifteenth
day), and lives through whatever the
days bring. Deaths start a new game (the name
dialog answers are queued ahead). The script ends with a save named by the
first argument (default "year"), so that the same year can be loaded by the
desktop game or compared between builds.

usage: year_of_play.py [SAVE_NAME] [DAYS] > script.txt
"""
import sys

name = sys.argv[1] if len(sys.argv) > 1 else "year"
days = int(sys.argv[2]) if len(sys.argv) > 2 else 365

out = []
w = out.append
w('# args: --now "01.01.2027 08:00:00" --seed 7')
for _ in range(40):
    w("player 0 Вася")
w("start")


def visit(place, button, screen):
    w(f"click frmMain.{place}")
    w(f"click {screen}.{button}")
    w(f"click {screen}.Command8")


for day in range(days):
    if day % 30 == 0:
        visit("cmdWork", "cmdWork(0)", "frmWork")
    if day % 60 == 1 and day < 120:
        w("click frmMain.cmdSchool")
        w("click frmEducation.Command1" if day < 60 else "click frmEducation.Command2")
        w("click frmEducation.Command8")
    if day % 60 == 5:
        visit("cmdFamily", "Command1", "frmFamily")
    if day % 5 == 0:
        visit("cmdShop", "Command1", "frmShop")
    visit("cmdHealth", "Command3", "frmHospital")
    if day % 3 == 1:
        visit("cmdHappy", "Command4" if day % 7 else "Command2", "frmHappy")
    if day % 2 == 0:
        # The wage does not feed a family: a code from a friend does.
        w("key c")
        w("type frmMain.txtCheat QARVENTOS")
        w("click frmMain.cmdCheatOk")
    if day % 15 == 0:
        w("key c")
        w("type frmMain.txtCheat MELKIR")
        w("click frmMain.cmdCheatOk")
    if day % 45 == 10:
        w("click frmMain.cmdBank")
        w("input 100")
        w("click frmBank.Command1")
        if day == 10:
            w("input 300")
            w("click frmBank.Label1")
        w("click frmBank.Command8")
    w("tick 48")

w(f"file {name}")
w('menu "Файл/Сохранить игру..."')
print("\n".join(out))
