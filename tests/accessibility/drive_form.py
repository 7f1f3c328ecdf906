#!/usr/bin/python3
"""Drives the calculation window through the accessibility bus (AT-SPI), as a
screen reader or a UI automation client would: finds the length field by its
accessible name, types a length, and reads the area and the results back;
then switches to the product page by its tab and picks a product from its
list with the arrow key, as a screen reader user would.

Run inside a session with an AT-SPI bus, with the program started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (tests/accessibility/run.sh does both)."""

import sys
import time

import pyatspi


def find_app(name, timeout=20.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application {name!r} on the accessibility bus")


def find(node, name, role=None):
    """The first descendant with this accessible name (and role)."""
    def match(n):
        return n is not None and n.name == name and (role is None or n.getRole() == role)
    found = pyatspi.findDescendant(node, match, True)
    if found is None:
        sys.exit(f"no accessible {name!r}")
    return found


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def wait_for(node, expected, timeout=5.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if text_of(node) == expected:
            return True
        time.sleep(0.1)
    return False


def main():
    app = find_app(sys.argv[1] if len(sys.argv) > 1 else "kamerol")
    length = find(app, "Длина (см)", pyatspi.ROLE_TEXT)
    width = find(app, "Ширина (см)", pyatspi.ROLE_TEXT)
    height = find(app, "Высота (см)", pyatspi.ROLE_TEXT)
    area = find(app, "Площадь (кв м)", pyatspi.ROLE_TEXT)
    for field, value in ((length, "500"), (width, "400"), (height, "300")):
        field.queryComponent().grabFocus()
        editable = field.queryEditableText()
        editable.setTextContents(value)
    checks = [
        ("Площадь (кв м)", area, "20"),
        ("Через стены", find(app, "Через стены", pyatspi.ROLE_TEXT), "0.63"),
        ("Суммарно", find(app, "Суммарно", pyatspi.ROLE_TEXT), "1.17"),
    ]
    failed = False
    for caption, node, expected in checks:
        ok = wait_for(node, expected)
        print(f"{caption}: {text_of(node)!r} {'ok' if ok else 'expected ' + repr(expected)}")
        failed |= not ok

    # The page tabs: a page tab list whose tabs have their captions.
    strip = find(app, "Страницы расчета", pyatspi.ROLE_PAGE_TAB_LIST)
    tabs = [strip.getChildAtIndex(i).name for i in range(strip.childCount)]
    print(f"tabs: {tabs}")
    failed |= len(tabs) != 10 or tabs[5] != "От продукта"
    product_tab = find(strip, "От продукта", pyatspi.ROLE_PAGE_TAB)
    product_tab.queryAction().doAction(0)

    # The product list keeps its caption as its name; Down picks the next
    # product, whose freezing point follows.
    products = find(app, "Продукт", pyatspi.ROLE_COMBO_BOX)
    freezing = find(app, "Точка замерзания (град)", pyatspi.ROLE_TEXT)
    field = find(products, "Продукт", pyatspi.ROLE_TEXT)
    field.queryComponent().grabFocus()
    time.sleep(0.3)
    before = text_of(field)
    pyatspi.Registry.generateKeyboardEvent(0xff54, None, pyatspi.KEY_SYM)  # Down
    deadline = time.time() + 5
    while time.time() < deadline and text_of(field) == before:
        time.sleep(0.1)
    after = text_of(field)
    ok = after != before and text_of(freezing) != ""
    print(f"Продукт: {before!r} -> {after!r}, точка замерзания {text_of(freezing)!r} {'ok' if ok else 'no pick'}")
    failed |= not ok
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
