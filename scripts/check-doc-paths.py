#!/usr/bin/env python3
"""Checks that every project file README.md and docs/*.md name exists.

A name counts when it begins with one of the project's top-level folders (`vessel/KeyCommands.cpp`,
`sim/session/ScriptRunner.h`, `examples/root/`) and is written in backticks or as a link target.
`Name.*` stands for the files of that name with any extension (`crew/CrewLine.*`): at least one
must exist. Names under build folders, `*` patterns inside a name and `#anchors` are not looked at.
Prints each missing name with the file and line that names it; exit status 1 when one is missing.
"""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ("host", "vessel", "crew", "sim", "testing", "tests", "bench", "fuzz", "examples",
           "packaging", "docs", "scripts", "cmake")
# A path in backticks, or a link's target in parentheses.
MENTION = re.compile(r"`([^`\s]+)`|\]\(([^)\s#]+)")


def named_paths(line):
    """(name, whether it is a link target) for each mention in the line."""
    for match in MENTION.finditer(line):
        if match.group(1):
            # A call or a list in backticks: what comes before "(", ":" or "," could be a path.
            yield re.split(r"[(:,]", match.group(1), maxsplit=1)[0], False
        else:
            yield match.group(2), True


def exists(path):
    if path.endswith(".*"):
        return bool(glob.glob(os.path.join(ROOT, path[:-2]) + ".*"))
    return os.path.exists(os.path.join(ROOT, path))


def check(document):
    missing = []
    base = os.path.dirname(os.path.relpath(document, ROOT))
    with open(document, encoding="utf-8") as text:
        for number, line in enumerate(text, 1):
            for path, link in named_paths(line):
                if path.startswith(("http:", "https:")):
                    continue
                if link:  # relative to the document
                    path = os.path.normpath(os.path.join(base, path))
                if not path.startswith(tuple(folder + "/" for folder in FOLDERS)):
                    continue
                if "*" in path[:-2] or "<" in path:
                    continue
                if not exists(path):
                    missing.append(f"{os.path.relpath(document, ROOT)}:{number}: {path}")
    return missing


def main():
    documents = [os.path.join(ROOT, "README.md")] + sorted(
        glob.glob(os.path.join(ROOT, "docs", "*.md")))
    missing = [entry for document in documents for entry in check(document)]
    for entry in missing:
        print(f"named but missing: {entry}")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
