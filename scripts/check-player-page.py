#!/usr/bin/env python3
"""Checks the player's page of a package: it parses as HTML with every element closed in order,
every picture and local link it names is in the package, and every key the ship handles is on it
as a <kbd> element (the key names come one a line on standard input, from the module's key table:
build/packaging/tool/quillmar_package keys).

usage: quillmar_package keys | check-player-page.py PAGE.html
"""
import os
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open = []
        self.faults = []
        self.kbd = []
        self.files = []
        self.in_kbd = False

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        for name in ("src", "href"):
            target = attributes.get(name)
            if target and "://" not in target and not target.startswith(("#", "mailto:")):
                self.files.append(target)
        if tag in VOID:
            return
        self.open.append((tag, self.getpos()[0]))
        if tag == "kbd":
            self.in_kbd = True
            self.kbd.append("")

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.handle_endtag(tag)

    def handle_endtag(self, tag):
        line = self.getpos()[0]
        if tag in VOID:
            self.faults.append(f"line {line}: </{tag}> closes an element that has no end")
        elif not self.open or self.open[-1][0] != tag:
            expected = f"</{self.open[-1][0]}> of line {self.open[-1][1]}" if self.open else "no end"
            self.faults.append(f"line {line}: </{tag}> where {expected} was due")
        else:
            self.open.pop()
        if tag == "kbd":
            self.in_kbd = False

    def handle_data(self, data):
        if self.in_kbd:
            self.kbd[-1] += data


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    keys = [line.strip() for line in sys.stdin if line.strip()]
    if not keys:
        sys.exit(f"{path}: no key names given on standard input")
    page = Page()
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if not text.lstrip().lower().startswith("<!doctype html>"):
        page.faults.append("no <!DOCTYPE html>")
    page.feed(text)
    page.close()
    faults = page.faults
    faults += [f"<{tag}> of line {line} is never closed" for tag, line in page.open]
    for key in keys:
        if key not in page.kbd:
            faults.append(f"the key {key} is not on the page")
    folder = os.path.dirname(path)
    for target in page.files:
        if not os.path.isfile(os.path.join(folder, target.replace("\\", "/"))):
            faults.append(f"{target} is not in the package")
    for fault in faults:
        print(f"{path}: {fault}")
    if faults:
        sys.exit(1)
    print(f"{path}: parses, {len(keys)} keys on it, {len(page.files)} files it names present")


if __name__ == "__main__":
    main()
