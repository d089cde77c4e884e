#!/usr/bin/env python3
"""Holds a declaration of the simulator's interface to the ABI table, host/abi/AbiTable.h.

  scripts/check-abi.py --build build-msvc [--installation <Orbiter>/Orbitersdk/include]
  scripts/check-abi.py --build build-msvc-x86 --self-test

Compiles host/abi/AbiProbe.cpp with the module's own compile command of the build folder (x64 or
x86, as the folder was configured) and compares what the compiler made of the declaration with the
table:
1. sizes, alignments, member offsets, handle types and constant values: the probe's compile-time
   assertions, one failure line each, naming the class, member or constant;
2. the vtable slot of every VESSEL2/VESSEL3/VESSEL4 callback and of each oapi::Sketchpad function
   the table lists, from the compiler's vtable dump;
3. the decorated name of every callback's base implementation: the probe's vessel class inherits
   them all, so its object names exactly the table's 36 names of this architecture.
By default the declaration is the project's own (host/). With --installation the same probe is
compiled a second time against the interface headers of a simulator installation, so that the
table and host/ can be held against the real thing.

--self-test compiles the probe against altered copies of host/, each wrong in one way (a
using-declaration moving VESSEL3's slots, a member of another size, a constant's value, a callback
of another signature) and checks that each is named, and that the unaltered copy passes.
"""
import argparse
import importlib.util
import os
import re
import shutil
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "host/abi/AbiTable.h")
PROBE = os.path.join(ROOT, "host/abi/AbiProbe.cpp")

_spec = importlib.util.spec_from_file_location("check_msvc_imports",
                                               os.path.join(ROOT, "scripts/check-msvc-imports.py"))
imports_checker = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(imports_checker)


def macro_entries(text, macro):
    """The X(...) entries of one list macro of the table, each as a list of its arguments."""
    match = re.search(r"#define " + macro + r"\(X\)((?:[^\n]*\\\n)*[^\n]*)", text)
    if not match:
        sys.exit(f"{TABLE}: no list {macro}")
    return [[a.strip().strip('"') for a in args.split(",")]
            for args in re.findall(r"X\(([^()]*)\)", match.group(1))]


def read_table():
    with open(TABLE) as source:
        text = source.read()
    callbacks = [{"class": c, "name": n, "slot": int(s), "x64": x64, "x86": x86}
                 for c, n, s, x64, x86 in macro_entries(text, "QM_ABI_VESSEL_CALLBACKS")]
    sketchpad = [{"name": n, "slot": int(s)} for n, s in macro_entries(text, "QM_ABI_SKETCHPAD_SLOTS")]
    return callbacks, sketchpad


def vtable_indices(dump):
    """`Class::function` -> slot, from the 'VFTable indices' sections of clang's vtable dump."""
    slots = {}
    for section in re.split(r"\n(?=VFTable)", dump):
        if not section.startswith("VFTable indices for"):
            continue
        for slot, text in re.findall(r"^\s*(\d+) \| (.*)$", section, re.M):
            name = re.search(r"([\w:~]+)\(", text)
            if name:
                slots.setdefault(name.group(1), int(slot))
    return slots


def check(tools, entry, arch, workdir, extra=(), quiet=False):
    """Failures of one declaration against the table: empty when it keeps every fact."""
    callbacks, sketchpad = read_table()
    with open(PROBE) as source:
        probe_text = source.read()
    result, obj = imports_checker.compile_probe(
        entry, probe_text, workdir, ["-ferror-limit=0", "-Xclang", "-fdump-vtable-layouts", *extra])
    failures = [f"{message}" for message in
                re.findall(r"error: static_assert failed(?: due to requirement [^\n]*?)? \"([^\"]*)\"",
                           result.stderr)]
    if result.returncode != 0:
        if not failures:
            if not quiet:
                print(result.stderr[:4000], file=sys.stderr)
            failures.append("the probe did not compile")
        return failures
    slots = vtable_indices(result.stdout)
    for callback in callbacks:
        qualified = f"{callback['class']}::{callback['name']}"
        found = slots.get(qualified)
        if found != callback["slot"]:
            where = "missing" if found is None else f"slot {found}"
            failures.append(f"{qualified}: {where}, the simulator's is slot {callback['slot']}")
    for function in sketchpad:
        qualified = f"oapi::Sketchpad::{function['name']}"
        found = slots.get(qualified)
        if found != function["slot"]:
            where = "missing" if found is None else f"slot {found}"
            failures.append(f"{qualified}: {where}, the simulator's is slot {function['slot']}")
    named = {name for name in imports_checker.probe_imports(tools, obj) if "@VESSEL" in name}
    expected = {callback[arch] for callback in callbacks}
    for name in sorted(expected - named):
        failures.append(f"{name}: the simulator's base implementation, not the one declared")
    for name in sorted(named - expected):
        failures.append(f"{name}: declared, not the simulator's")
    return failures


# Alterations of host/ the check must name: file, text, replacement, what a failure line must hold.
USING_DECLARATIONS = ("    using VESSEL2::clbkDrawHUD;\n    using VESSEL2::clbkPanelMouseEvent;\n"
                      "    using VESSEL2::clbkPanelRedrawEvent;\n")
SELF_TEST_CASES = [
    ("the using-declarations at the top of VESSEL3", "host/Vessel.h", None, None,
     "VESSEL3::clbkDrawHUD: slot 28"),
    ("HUDPAINTSPEC::Scale a float", "host/HostTypes.h", "    double Scale;", "    float Scale;",
     "HUDPAINTSPEC::Markersize"),
    ("VESSEL::version an int", "host/Vessel.h", "    short version;", "    int version;",
     "VESSEL::version"),
    ("OAPI_KEY_E another key", "host/Keyboard.h", "#define OAPI_KEY_E 0x12", "#define OAPI_KEY_E 0x13",
     "OAPI_KEY_E"),
    ("clbkPostCreation a const member", "host/Vessel.h", "virtual void clbkPostCreation();",
     "virtual void clbkPostCreation() const;", "?clbkPostCreation@VESSEL2@@"),
    ("a callback added before VESSEL4's", "host/Vessel.h", "    virtual int clbkNavProcess(int mode);",
     "    virtual void clbkExtra();\n    virtual int clbkNavProcess(int mode);",
     "VESSEL4::clbkNavProcess: slot 36"),
]


def altered_host(workdir, path, old, new):
    """A copy of host/ in workdir/copy with one alteration; the probe's includes find it first."""
    copy = os.path.join(workdir, "copy")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(os.path.join(ROOT, "host"), os.path.join(copy, "host"))
    if path:
        target = os.path.join(copy, path)
        with open(target) as source:
            text = source.read()
        if old is None:  # the using-declarations moved to the top of VESSEL3
            text = text.replace(USING_DECLARATIONS, "")
            old = "    VESSEL3(OBJHANDLE hVessel, int fmodel = 1);\n"
            new = old + USING_DECLARATIONS
        if old not in text:
            sys.exit(f"self-test: '{old.strip()}' is no longer in {path}")
        with open(target, "w") as out:
            out.write(text.replace(old, new, 1))
    return ["-iquote", copy]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="a build folder configured with an MSVC-ABI toolchain")
    parser.add_argument("--like", default="vessel/ModuleExports.cpp",
                        help="the module source whose compile command compiles the probe")
    parser.add_argument("--installation", metavar="INCLUDE",
                        help="also check a simulator installation's Orbitersdk/include")
    parser.add_argument("--llvm-bin", default="/usr/lib/llvm-14/bin")
    parser.add_argument("--self-test", action="store_true")
    options = parser.parse_args()
    tools = {tool: os.path.join(options.llvm_bin, f"llvm-{tool}") for tool in ("nm", "undname", "readobj")}
    entry = imports_checker.compile_command(options.build, options.like)
    arch = imports_checker.architecture(entry)
    passed, failed = 0, 0

    def report(ok, what, details=()):
        nonlocal passed, failed
        print(f"{'ok  ' if ok else 'FAILED'} {what}")
        for line in details:
            print(f"       {line}")
        passed, failed = passed + ok, failed + (not ok)

    with tempfile.TemporaryDirectory() as workdir:
        if options.self_test:
            flags = altered_host(workdir, None, None, None)
            failures = check(tools, entry, arch, workdir, flags, quiet=True)
            report(not failures, f"passes an unaltered copy of host/ ({arch})", failures)
            for what, path, old, new, expected in SELF_TEST_CASES:
                flags = altered_host(workdir, path, old, new)
                failures = check(tools, entry, arch, workdir, flags, quiet=True)
                named = any(expected in line for line in failures)
                report(named, f"names {what} ('{expected}')", [] if named else failures or ["no failure"])
        else:
            failures = check(tools, entry, arch, workdir)
            report(not failures, f"host/ keeps the simulator's slots, layouts, names and constants "
                   f"of {os.path.relpath(TABLE, ROOT)} ({arch})", failures)
            if options.installation:
                include = os.path.abspath(options.installation)
                failures = check(tools, entry, arch, workdir, imports_checker.probe_header(include, workdir)[1])
                report(not failures, f"{include} keeps the table's slots, layouts, names and "
                       f"constants ({arch})", failures)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
