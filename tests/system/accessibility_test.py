"""A short life by keyboard alone, read through the accessibility bus: start,
name, work, shop, hospital, bank deposit, save, load, the journal. Along the
way every window met is checked (every focusable or clickable object has a
role and a name, no picture is unnamed), the typed message and the message
boxes must reach the bus as one event each with their whole text, and
reading the tree must neither move the game on nor move the focus.
Run by accessibility_test.sh."""
import os
import sys
import time

import pyatspi
from a11y import Bus, Failure, audit, describe, log, walk

MAIN = "Brindlex Kalvitor 1.6 -- Vasya"
GIFT = "Бабушка вам подарила 150 долларов! Скажите ей спасибо!"
faults = []


def check(window):
    bus_of_test.shot(window.name.replace(" ", "_").replace("/", "_"))
    found = audit(window)
    faults.extend(found)
    for f in found:
        log("FAULT", f)
    if found:
        for o in walk(window):
            log("  ", describe(o), o.getState().getStates())


def expect(cond, what):
    if not cond:
        raise Failure(what)


def money(bus):
    return int(bus.value(main_window(bus), "Бюджет").lstrip("$"))


def main_window(bus):
    for w in bus.windows():
        if w.name == MAIN:
            return w
    raise Failure("the main window is not on the screen")


def open_place(bus, label, title, key="Return"):
    """From the main window: Tab to the menu column's label, Enter (or Space)."""
    bus.wait_active(MAIN)
    bus.tab_to(label)
    bus.key(key)
    window = bus.wait_active(title)
    check(window)
    return window


def leave_place(bus):
    bus.key("Escape")
    bus.wait_active(MAIN)


def pause(bus, on):
    """p pauses and resumes; the pause's notice reaches the bus when it shows."""
    mark = bus.mark()
    bus.key("p")
    if on:
        bus.wait(lambda: any(e.kind == "object:state-changed:showing" and e.detail == 1 and e.name == "Пауза"
                             for e in bus.since(mark)), 3, "the pause announced")
    else:
        bus.wait(lambda: any(e.kind == "object:state-changed:showing" and e.detail == 0 and e.name == "Пауза"
                             for e in bus.since(mark)), 3, "the pause's end")


def menu(bus, *path):
    """F10, then the menu bar and a menu's items walked with the arrow keys,
    read from the bus, and Enter."""
    bus.key("F10")
    bus.wait_focus_menu = None
    for depth, name in enumerate(path):
        key = "Right" if depth == 0 else "Down"
        for _ in range(20):
            f = bus.focused_menu_item()
            if f == name:
                break
            bus.key(key)
        else:
            raise Failure(f"the menu never reached {name!r}")
        bus.key("Down" if depth == 0 else "Return")


def message_box(bus, mark, text):
    """A message box has come up with the whole text in one event."""
    def found():
        for e in bus.since(mark):
            if e.kind.startswith("window:activate") and e.role == "alert" and text in e.text:
                return e
        return None
    e = bus.wait(found, 5, f"the message box {text!r}")
    check(bus.active())
    return e


bus_of_test = None


def main():
    global bus_of_test
    bus = bus_of_test = Bus()
    log("on the bus:", bus.app.name)

    # The name dialog: the name box takes the keyboard, named by its caption.
    dialog = bus.wait_active("Добро пожаловать", 20)
    check(dialog)
    bus.wait_focus("Введите Ваше имя")
    bus.tab_to("brindlex@example.org")
    bus.shot("name-link")
    bus.tab_to("Введите Ваше имя")
    bus.type("Vasya")
    # The game's clock starts at the time of day it is: the first midnight,
    # and the first day's message, may come at once.
    first_day = bus.mark()
    bus.key("Return")
    main_w = bus.wait_active(MAIN)
    check(main_w)
    bus.wait_focus("Работа")
    bus.shot("main-work")
    expect(bus.value(main_w, "Бюджет") == "$450", "the money reads " + bus.value(main_w, "Бюджет"))
    expect(bus.value(main_w, "Здоровье") == "40%", "the health reads " + bus.value(main_w, "Здоровье"))
    names = [o.name for o in walk(main_w) if o.getRoleName() == "push button"]
    for place in ("Работа", "Магазин", "Семья", "Больница", "Отдых", "Программы", "Железо", "Сеть", "Банк", "Учеба"):
        expect(place in names, f"the menu column's {place!r} is not a button: {names}")

    # The first day's message: once, whole, as it starts to type.
    mark = first_day
    bus.wait(lambda: any(e.name == GIFT and e.role == "notification" for e in bus.since(mark)), 30,
             "the typed message on the bus")
    bus.pump(1.0)
    # (The pause's notice, named as the main window is built, is not the message.)
    said = [e for e in bus.since(mark) if e.role == "notification" and e.kind.endswith("accessible-name")
            and e.name and GIFT.startswith(e.name)]
    expect(len(said) <= 1, f"the message was spoken in pieces: {said}")

    # Reading the tree moves neither the game nor the focus. The day's tick
    # goes on while its message types (the grandmother's $150 come after
    # it): the game is paused once that tick has ended, or a slow reading
    # would see it end.
    bus.wait(lambda: bus.value(main_w, "Бюджет") == "$600" or None, 30, "the day's gift in the budget")
    pause(bus, True)
    before = (bus.value(main_w, "Бюджет"), [o.name for o in walk(main_w) if "/" in o.name], describe(bus.focused()))
    for _ in range(3):
        for w in bus.windows():
            for o in walk(w):
                o.name, o.getRoleName(), o.getState()
    after = (bus.value(main_w, "Бюджет"), [o.name for o in walk(main_w) if "/" in o.name], describe(bus.focused()))
    expect(before == after, f"reading the tree changed the game: {before} -> {after}")
    pause(bus, False)

    # The speed that leaves time to listen, from the menu bar.
    bus.menu("Скорость игры", "Медленный")
    bus.wait(lambda: any(o.name == "Скорость игры: Медленная" for o in walk(main_window(bus))) or None, 3,
             "the slow speed")

    # Work: a job the player cannot have yet says why, in a message box; the
    # yard-keeper's job is taken.
    work = open_place(bus, "Работа", "Работа")
    bus.tab_to("Сантехник -$15")
    mark = bus.mark()
    bus.key("Return")
    message_box(bus, mark, "Поумнейте до 25%")
    bus.key("Return")
    bus.wait_active("Работа")
    bus.tab_to("Дворник - $10", "shift+Tab")
    bus.key("space")
    bus.wait(lambda: bus.value(main_window(bus), "Работа") == "Дворник ($10/день)" or None, 3,
             "the new job on the main window")
    leave_place(bus)

    # The shop, with the clock paused: a meal at $15.
    open_place(bus, "Магазин", "Магазин", "space")
    pause(bus, True)
    before = money(bus)
    bus.tab_to("Биг-Мак с сыром - +10% - $15")
    bus.key("space")
    bus.wait(lambda: money(bus) == before - 15 or None, 3, "the meal paid")
    pause(bus, False)
    leave_place(bus)

    # The hospital: a sprain's treatment, +2% health for $20.
    open_place(bus, "Больница", "Госпиталь")
    pause(bus, True)
    before, health = money(bus), int(bus.value(main_window(bus), "Здоровье").rstrip("%"))
    bus.tab_to("Вывих - +2% - $20")
    bus.key("Return")
    bus.wait(lambda: money(bus) == before - 20 or None, 3, "the treatment paid")
    expect(bus.value(main_window(bus), "Здоровье") == f"{health + 2}%", "the treatment did not heal")
    pause(bus, False)
    leave_place(bus)

    # The bank: $100 on deposit, through the amount's input box.
    bank = open_place(bus, "Банк", "The Bank of New York")
    bus.tab_to("Вложить деньги под процент (мин. $100; 15%/мес)")
    bus.key("space")
    # The amount's box (titled as the bank) has the keyboard in its text box.
    amount = bus.wait(lambda: (f := bus.focused()) is not None and f.getRoleName() == "text" and f, 5,
                      "the amount's box")
    log("the amount's box:", describe(amount))
    check(bus.active())
    bus.key("Return")
    bank = bus.wait_active("The Bank of New York")
    bus.wait(lambda: any(o.name == "Долг банка: $100" for o in walk(bank)) or None, 3, "the deposit")
    bus.tab_to("Забрать")
    bus.shot("bank-withdraw")
    leave_place(bus)

    # Save by the menu bar: F10, Файл, Сохранить игру...; the name box has
    # the keyboard.
    bus.menu("Файл", "Сохранить игру...")
    check(bus.wait_active("Сохранение игры"))
    bus.wait_focus("Сохранение игры")
    bus.type("blind")
    bus.key("Return")
    bus.wait_active(MAIN)
    saved = os.path.join(os.environ["KALVITOR_SAVE_DIR"], "blind.ksv")
    expect(os.path.getsize(saved) > 0, "nothing saved")

    # A second deposit after saving, which loading takes back.
    open_place(bus, "Банк", "The Bank of New York")
    bus.tab_to("Вложить деньги под процент (мин. $100; 15%/мес)")
    bus.key("space")
    bus.wait(lambda: (f := bus.focused()) is not None and f.getRoleName() == "text" and f, 5, "the amount's box")
    bus.key("Return")
    bank = bus.wait_active("The Bank of New York")
    bus.wait(lambda: any(o.name == "Долг банка: $200" for o in walk(bank)) or None, 3, "the second deposit")
    leave_place(bus)

    # Load: the list of saved games chosen with the arrow keys fills the name box.
    bus.menu("Файл", "Загрузить игру...")
    load = bus.wait_active("Загрузка игры")
    check(load)
    bus.tab_to("Существующие имена игр")
    bus.key("Down")
    bus.wait(lambda: any(o.getRoleName() == "text" and o.queryText().getText(0, -1) == "blind.ksv"
                         for o in walk(load)) or None, 3, "the chosen game in the name box")
    bus.key("Return")
    bus.wait_active(MAIN)
    bank = open_place(bus, "Банк", "The Bank of New York")
    expect(any(o.name == "Долг банка: $100" for o in walk(bank)), "loading did not bring the deposit back")
    leave_place(bus)

    # The journal (Ctrl+J): Tab reaches its table, whose rows tell the life;
    # the pause key works there too; Esc closes it.
    bus.key("ctrl+j")
    journal = bus.wait_active("Журнал событий")
    check(journal)
    table = bus.tab_to("Журнал событий")
    cells = [table.getChildAtIndex(i).name for i in range(min(table.childCount, 90))]
    expect(any("Дворник" in c for c in cells), f"the journal does not tell of the job: {cells[:12]}")
    expect(any(GIFT in c for c in cells), "the journal does not tell the day's message")
    pause(bus, True)
    pause(bus, False)
    bus.key("Escape")
    bus.wait_active(MAIN)

    # The statistics window (Ctrl+T), the cheat box, the other places and
    # the about box: each reached by the keyboard, each read whole.
    bus.key("ctrl+t")
    check(bus.wait_active("Статистика"))
    bus.key("Escape")
    bus.wait_active(MAIN)
    bus.key("c")
    bus.wait_focus("Чит")
    bus.key("Escape")
    bus.wait_focus("Работа")
    for label, title in (("Семья", "Семья"), ("Отдых", "Развлечения"), ("Программы", "Софт"),
                         ("Железо", "Железо"), ("Учеба", "Повышение квалификации")):
        open_place(bus, label, title)
        if label == "Семья":
            bus.tab_to("Развестись - $15 - 15%h")
            bus.shot("family-divorce")
        leave_place(bus)
    bus.tab_to("Сеть")
    mark = bus.mark()
    bus.key("Return")
    message_box(bus, mark, "Установи 9600 bps модем")
    bus.key("Return")
    bus.wait_active(MAIN)
    bus.menu("Справка", "О программе...")
    check(bus.wait_active("О Brindlex Kalvitor 1.6"))
    bus.tab_to("brindlex@example.org")
    bus.shot("about-link")
    bus.key("Escape")
    bus.wait_active(MAIN)

    log("faults:", len(faults))
    expect(not faults, "\n".join(faults))


if __name__ == "__main__":
    started = time.monotonic()
    try:
        main()
    except Failure as e:
        log("FAIL:", e)
        sys.exit(1)
    log(f"passed in {time.monotonic() - started:.1f}s")
