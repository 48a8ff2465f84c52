#!/usr/bin/env python3
"""Reads a result's web page as a browser builds it and checks it against the same result's CSV:
every element closed where it was opened, one table, and in its body a row for every bird, with
a cell under each heading and the bird's loft and ring as the CSV has them, in the same order.

    check_result_page.py PAGE.html RESULT.csv

Prints what is wrong and exits with 1, or exits with 0."""

import csv
import sys
from html.parser import HTMLParser

# Elements that have no end tag.
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "wbr"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.wrong, self.tables = [], [], 0
        self.headings, self.rows, self.cell = [], [], None

    def handle_starttag(self, tag, attrs):
        if tag in VOID:
            return
        self.open.append(tag)
        self.tables += tag == "table"
        if tag == "tr" and "tbody" in self.open:
            self.rows.append([])
        if tag in ("th", "td"):
            self.cell = ""

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            self.wrong.append(f"</{tag}> where <{self.open[-1] if self.open else 'nothing'}> is open")
            return
        self.open.pop()
        if tag == "th" and "thead" in self.open:
            self.headings.append(self.cell)
        if tag == "td" and "tbody" in self.open:
            self.rows[-1].append(self.cell)

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def main(page_path, csv_path):
    page = Page()
    with open(page_path, encoding="utf-8") as html:
        page.feed(html.read())
    page.close()
    with open(csv_path, encoding="utf-8", newline="") as result:
        birds = [(row["loft"], row["ring"]) for row in csv.DictReader(result)]
    wrong = page.wrong + [f"<{tag}> never closed" for tag in page.open]
    if page.tables != 1:
        wrong.append(f"{page.tables} tables, not one")
    if any(len(row) != len(page.headings) for row in page.rows):
        wrong.append(f"a row without a cell for each of the {len(page.headings)} headings")
    if "Loft" in page.headings and "Ring" in page.headings:
        loft, ring = page.headings.index("Loft"), page.headings.index("Ring")
        shown = [(row[loft], row[ring]) for row in page.rows if len(row) > max(loft, ring)]
        if shown != birds:
            wrong.append(f"the birds on the page {shown}, not those of the CSV {birds}")
    else:
        wrong.append(f"no Loft and Ring among the headings {page.headings}")
    for problem in wrong:
        print(f"{page_path}: {problem}")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
