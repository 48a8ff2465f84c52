#!/usr/bin/env python3
"""Reads a result's web page as a browser builds it: every element closed where it was opened, one
table, and in its body a row for every bird of the same result's CSV, loft and ring, in order.

    check_result_page.py PAGE.html RESULT.csv"""

import csv
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "wbr"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.wrong, self.tables, self.headings, self.rows = [], [], 0, [], []

    def handle_starttag(self, tag, attrs):
        if tag not in VOID:
            self.open.append(tag)
        self.tables += tag == "table"
        if tag == "tr" and "tbody" in self.open:
            self.rows.append([])
        if tag in ("th", "td"):
            (self.headings if tag == "th" else self.rows[-1]).append("")

    def handle_endtag(self, tag):
        if self.open and self.open[-1] == tag:
            self.open.pop()
        else:
            self.wrong.append(f"</{tag}> where <{self.open[-1] if self.open else 'nothing'}> is open")

    def handle_data(self, data):
        if self.open and self.open[-1] in ("th", "td"):
            cells = self.headings if self.open[-1] == "th" else self.rows[-1]
            cells[-1] += data


page = Page()
with open(sys.argv[1], encoding="utf-8") as html:
    page.feed(html.read())
with open(sys.argv[2], encoding="utf-8", newline="") as result:
    birds = [[row["loft"], row["ring"]] for row in csv.DictReader(result)]
wrong = page.wrong + [f"<{tag}> never closed" for tag in page.open]
if page.tables != 1:
    wrong.append(f"{page.tables} tables, not one")
columns = [page.headings.index(name) for name in ("Loft", "Ring") if name in page.headings]
shown = [[row[c] for c in columns if c < len(row)] for row in page.rows]
if shown != birds:
    wrong.append(f"the birds on the page {shown}, not those of the CSV {birds}")
for problem in wrong:
    print(f"{sys.argv[1]}: {problem}")
sys.exit(1 if wrong else 0)
