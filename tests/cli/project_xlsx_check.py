"""The XLSX of `kamerol-cli project export` read back with openpyxl: its sheets,
and its numbers as numbers equal to those `project calc --json` printed.
Usage: project_xlsx_check.py OUT.xlsx PROJECT.json TITLE"""
import json
import sys

import openpyxl

xlsx, project_json, title = sys.argv[1:4]
with open(project_json, encoding="utf-8") as f:
    project = json.load(f)
book = openpyxl.load_workbook(xlsx)
assert book.sheetnames == ["Помещения", "Системы", "Итого"], book.sheetnames
rooms = book["Помещения"]
header = [cell.value for cell in rooms[1]]
rows = [[cell.value for cell in row] for row in rooms.iter_rows(min_row=2)]
assert [row[0] for row in rows] == [room["name"] for room in project["rooms"]]
column = lambda caption: header.index(caption)
for row, room in zip(rows, project["rooms"]):
    assert row[column("Длина (см)")] in (500, 1000, 1200, 600, 800) or isinstance(row[column("Длина (см)")], float)
    capacity = row[column("С учетом к-та запаса и времени р-ты оборудования, кВт")]
    assert isinstance(capacity, (int, float)) and abs(capacity - room["results"]["requiredCapacity"]) < 1e-5, capacity
    walls = row[column("Через стены, кВт")]
    assert abs(walls - room["results"]["shownWalls"]) < 1e-5, walls
systems = [[cell.value for cell in row] for row in book["Системы"].iter_rows(min_row=2)]
assert [s[0] for s in systems] == [system["name"] for system in project["systems"]], systems
for row, system in zip(systems, project["systems"]):
    assert abs(row[-1] - system["requiredCapacity"]) < 1e-3, (row, system)
totals = {row[0].value: row[1].value for row in book["Итого"].iter_rows(min_row=2)}
assert totals["Объект"] == title, totals
assert abs(totals["Требуемая холодопроизводительность объекта, кВт"] - project["requiredCapacity"]) < 1e-3, totals
