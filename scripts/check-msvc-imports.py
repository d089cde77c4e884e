#!/usr/bin/env python3
"""Checks the module built in the simulator's C++ ABI against the simulator's SDK.

  scripts/check-msvc-imports.py --build build-msvc --sdk-source ../shared/orbitersdk/Orbitersdk.cpp

1. Every name of host/msvc/orbiter.def is a function the SDK declares, with exactly that
   signature: each name is demangled (llvm-undname) and turned into a C++ expression naming that
   one function (a static_cast to its exact type, or a qualified call for constructors and virtual
   functions); the expressions are compiled against the SDK headers with the module's own compile
   command, and the names the compiled probe imports must equal the .def's. InitLib and Date2Int
   are declared only in the SDK's library source (Orbitersdk.cpp): the probe takes their
   declarations from there.
2. Quillmar.dll exports exactly ovcInit, ovcExit and GetModuleVersion, and imports only from
   orbiter.exe, the C runtime (ucrtbase.dll or api-ms-win-crt-*), kernel32.dll, gdi32.dll and
   user32.dll: no C++ runtime or compiler support DLL.
3. What the DLL imports from orbiter.exe is exactly what the .def lists.

--self-test instead feeds the signature check a table of names that must be rejected (and one
that must pass), to show it tells them apart. --print-def OBJECT... prints the .def's name list
for the given objects (by default the module's, in the build folder).
"""
import argparse
import json
import os
import re
import shlex
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXPORTS = {"ovcInit", "ovcExit", "GetModuleVersion"}
ALLOWED_DLLS = re.compile(r"^(orbiter\.exe|ucrtbase\.dll|api-ms-win-crt-[a-z0-9-]+\.dll|"
                          r"kernel32\.dll|gdi32\.dll|user32\.dll)$", re.IGNORECASE)
CALLING_CONVENTIONS = ("__cdecl", "__thiscall", "__stdcall", "__fastcall", "__vectorcall")


def run(command, check=True, **kwargs):
    return subprocess.run(command, check=check, capture_output=True, text=True, **kwargs).stdout


def is_host_import(name):
    """A C++ name the module takes from the simulator, not from its own runtime pieces."""
    return (name.startswith("?") and not re.match(r"\?\?[23]@|\?\?_[UV]@", name)
            and "type_info" not in name and "@std@@" not in name)


def read_def(path):
    names, in_exports = [], False
    with open(path) as lines:
        for line in lines:
            line = line.split(";", 1)[0].strip()
            if not line:
                continue
            if line.upper() == "EXPORTS":
                in_exports = True
            elif line.upper().startswith("LIBRARY"):
                if line.split()[1:] != ["orbiter.exe"]:
                    sys.exit(f"{path}: LIBRARY must be orbiter.exe, not {line}")
            elif in_exports:
                names.append(line.split()[0])
    duplicates = {n for n in names if names.count(n) > 1}
    if duplicates:
        sys.exit(f"{path}: listed twice: {' '.join(sorted(duplicates))}")
    return names


def print_def(tools, objects):
    """The names a module's objects take from the simulator: undefined in all, defined in none."""
    undefined, defined = set(), set()
    for line in run([tools["nm"], "--undefined-only", *objects]).splitlines():
        if line.strip() and not line.endswith(":"):
            undefined.add(line.split()[-1].removeprefix("__imp_"))
    for line in run([tools["nm"], "--defined-only", *objects]).splitlines():
        fields = line.split()
        if len(fields) >= 3:
            defined.add(fields[-1])
    for name in sorted(n for n in undefined - defined if is_host_import(n)):
        print(f"  {name}")


# ---- demangled signature -> C++ expression ---------------------------------------------------

def split_top(text, separator):
    """Splits at separators outside parentheses and angle brackets."""
    parts, depth, start = [], 0, 0
    for i, c in enumerate(text):
        if c in "(<":
            depth += 1
        elif c in ")>":
            depth -= 1
        elif depth == 0 and text.startswith(separator, i):
            parts.append(text[start:i])
            start = i + len(separator)
    parts.append(text[start:])
    return [p.strip() for p in parts]


def closing_paren(text, start):
    depth = 0
    for i in range(start, len(text)):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            return i
    raise ValueError("unbalanced parentheses")


def plain(type_text):
    """A demangled type as C++ names it: the SDK's structures are mostly typedefs of unnamed ones,
    which an elaborated name (`union VECTOR3`) cannot refer to. Whether it is a union or a struct
    still shows in the probe's mangled names, which are compared with the .def's."""
    return re.sub(r"\b(class|struct|union|enum) ", "", type_text)


class Signature:
    """One demangled function: `[access: ][static |virtual ]RET CC QUALNAME(PARAMS)[ const]`."""

    def __init__(self, text):
        match = re.match(r"^(?:(public|protected|private): )?(?:(static|virtual) )?(.*)$", text)
        self.member = match.group(1) is not None
        self.storage = match.group(2) or ""
        rest = match.group(3)
        # The function's own calling convention: the first one outside parentheses.
        depth, cut = 0, None
        for i, c in enumerate(rest):
            depth += {"(": 1, ")": -1}.get(c, 0)
            if depth == 0:
                for convention in CALLING_CONVENTIONS:
                    if rest.startswith(convention + " ", i) and (i == 0 or rest[i - 1] == " "):
                        cut = (i, convention)
                        break
            if cut:
                break
        if not cut:
            raise ValueError("no calling convention")
        self.returns = rest[:cut[0]].strip()
        self.convention = cut[1]
        rest = rest[cut[0] + len(cut[1]):].strip()
        open_paren = rest.index("(")
        self.name = rest[:open_paren].strip()
        close = closing_paren(rest, open_paren)
        params = rest[open_paren + 1:close].strip()
        self.params = [] if params in ("", "void") else [plain(p) for p in split_top(params, ",")]
        self.returns = plain(self.returns)
        self.qualifiers = rest[close + 1:].replace("__ptr64", "").strip()
        if self.qualifiers not in ("", "const"):
            raise ValueError(f"unexpected qualifiers '{self.qualifiers}'")
        if "operator" in self.name or "<" in self.name or "`" in text:
            raise ValueError("operators, templates and special names are not probed")
        scope = split_top(self.name, "::")
        self.scope = "::".join(scope[:-1])
        self.base = scope[-1]
        self.constructor = self.member and self.returns == "" and scope[-2:-1] == [self.base]
        self.destructor = self.member and self.base.startswith("~")
        if not self.returns and not (self.constructor or self.destructor):
            raise ValueError("no return type")

    def probe(self, tag):
        """Declarations that make the compiled probe import exactly this function."""
        params = ", ".join(self.params)
        args = ", ".join(f"a{i}" for i in range(len(self.params)))
        typed = "".join(f"using {tag}_t{i} = {p};\n" for i, p in enumerate(self.params))
        declared = ", ".join(f"{tag}_t{i} a{i}" for i in range(len(self.params)))
        if self.constructor:
            return (f"{typed}[[gnu::used]] static void {tag}(void* where"
                    f"{', ' if declared else ''}{declared}) {{ ::new (where) {self.scope}({args}); }}\n")
        if self.destructor:
            return f"[[gnu::used]] static void {tag}({self.scope}* self) {{ self->{self.name}(); }}\n"
        if not self.member or self.storage == "static":
            pointer = f"{self.returns} ({self.convention} *)({params})"
            return f"[[gnu::used]] static auto const {tag} = static_cast<{pointer}>(&{self.name});\n"
        member = f"{self.returns} ({self.convention} {self.scope}::*)({params}) {self.qualifiers}"
        exact = f"[[gnu::used]] static auto const {tag} = static_cast<{member}>(&{self.name});\n"
        if self.storage != "virtual":
            return exact
        # A pointer to a virtual member names a dispatch thunk, not the function: a qualified
        # (non-virtual) call names the function itself.
        const = "const " if self.qualifiers == "const" else ""
        call = (f"{typed}[[gnu::used]] static void {tag}_call({const}{self.scope}* self"
                f"{', ' if declared else ''}{declared}) {{ self->{self.name}({args}); }}\n")
        return exact + call


def sdk_source_declarations(path):
    """The OAPIFUNC declarations of the SDK's library source, at file scope."""
    with open(path) as source:
        text = source.read()
    found = re.findall(r"OAPIFUNC\s+[^;{}()]+\([^;{}()]*\)\s*;", text)
    if not found:
        sys.exit(f"{path}: no OAPIFUNC declarations")
    return found


def compile_command(build, like):
    with open(os.path.join(build, "compile_commands.json")) as database:
        entries = json.load(database)
    for entry in entries:
        if entry["file"].endswith(like):
            return entry
    sys.exit(f"{build}/compile_commands.json: no entry for {like}")


def compile_probe(entry, probe_text, workdir):
    source = os.path.join(workdir, "probe.cpp")
    obj = os.path.join(workdir, "probe.obj")
    with open(source, "w") as out:
        out.write(probe_text)
    words = shlex.split(entry["command"]) if "command" in entry else list(entry["arguments"])
    command, skip = [], 0
    for word in words:
        if skip:
            skip -= 1
        elif word in ("-o",):
            command += ["-o", obj]
            skip = 1
        elif word in ("-MT", "-MF"):
            skip = 1
        elif word == "-MD":
            pass
        elif word == entry["file"]:
            command.append(source)
        else:
            command.append(word)
    # The SDK returns some values `const` (GetHandle): the probe spells its types as they are.
    command.append("-Wno-ignored-qualifiers")
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    return result, obj


def probe_imports(tools, obj):
    names = set()
    for line in run([tools["nm"], "--undefined-only", obj]).splitlines():
        name = line.split()[-1].removeprefix("__imp_") if line.strip() else ""
        if is_host_import(name):
            names.add(name)
    return names


def check_signatures(tools, entry, sdk_source, names, workdir, quiet=False):
    """Failures for the names: empty when each is exactly a function the SDK declares."""
    failures = []
    demangled = {}
    for name in names:
        # One at a time: a name that is not valid gives an empty line and a message elsewhere.
        lines = run([tools["undname"], name], check=False).strip().split("\n")
        if len(lines) == 2 and lines[0] == name and lines[1].strip():
            demangled[name] = lines[1].strip()
    lines = ["// Generated by scripts/check-msvc-imports.py: names exactly the functions of",
             "// host/msvc/orbiter.def, compiled against the SDK headers.",
             "#include <new>", "#include <Orbitersdk.h>"]
    lines += sdk_source_declarations(sdk_source)
    line_owner = {}
    for i, name in enumerate(names):
        text = demangled.get(name, "")
        if not text or text.startswith("error") or text == name:
            failures.append(f"{name}: llvm-undname cannot demangle it")
            continue
        try:
            code = Signature(text).probe(f"probe{i}")
        except ValueError as why:
            failures.append(f"{name} ({text}): {why}")
            continue
        lines.append(f"// {name}: {text}")
        for code_line in code.splitlines():
            lines.append(code_line)
            line_owner[len(lines)] = name
    result, obj = compile_probe(entry, "\n".join(lines) + "\n", workdir)
    if result.returncode != 0:
        wrong = set()
        for match in re.finditer(r"probe\.cpp:(\d+):\d+: error", result.stderr):
            wrong.add(line_owner.get(int(match.group(1)), "(probe header)"))
        for name in sorted(wrong):
            failures.append(f"{name} ({demangled.get(name, '?')}): the SDK declares no such function")
        if not quiet:
            print(result.stderr[:4000], file=sys.stderr)
        return failures or ["the probe did not compile"]
    imported = probe_imports(tools, obj)
    for name in sorted(set(names) - imported):
        if not any(f.startswith(name) for f in failures):
            failures.append(f"{name} ({demangled.get(name)}): the SDK's declaration has another name")
    for name in sorted(imported - set(names)):
        failures.append(f"{name}: the probe imports it, the .def does not list it")
    return failures


# ---- the built DLL ---------------------------------------------------------------------------

def dll_tables(tools, dll):
    exports = []
    for match in re.finditer(r"Export \{.*?Name: ([^\n]*)\n", run([tools["readobj"], "--coff-exports", dll]), re.S):
        if match.group(1).strip():
            exports.append(match.group(1).strip())
    imports = {}
    text = run([tools["readobj"], "--coff-imports", dll])
    for block in re.findall(r"Import \{(.*?)\n\}", text, re.S):
        library = re.search(r"Name: (\S+)", block).group(1)
        symbols = re.findall(r"Symbol: (\S+)", block)
        imports.setdefault(library.lower(), set()).update(symbols)
    return exports, imports


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-msvc"))
    parser.add_argument("--def", dest="def_file", default=os.path.join(ROOT, "host/msvc/orbiter.def"))
    parser.add_argument("--dll", help="default: BUILD/Quillmar.dll")
    parser.add_argument("--like", default="vessel/ModuleExports.cpp",
                        help="the module source whose compile command compiles the probe")
    parser.add_argument("--sdk-source", default=os.path.join(ROOT, "../shared/orbitersdk/Orbitersdk.cpp"))
    parser.add_argument("--llvm-bin", default="/usr/lib/llvm-14/bin")
    parser.add_argument("--self-test", action="store_true")
    parser.add_argument("--print-def", nargs="*", metavar="OBJECT",
                        help="default: the module's objects in BUILD (vessel/, crew/, host/)")
    options = parser.parse_args()
    tools = {tool: os.path.join(options.llvm_bin, f"llvm-{tool}") for tool in ("nm", "undname", "readobj")}
    if options.print_def is not None:
        objects = options.print_def or sorted(
            os.path.join(folder, name)
            for part in ("vessel", "crew", "host")
            for folder, _, names in os.walk(os.path.join(options.build, part))
            if "msvc" not in os.path.relpath(folder, options.build).split(os.sep)
            for name in names if name.endswith(".obj"))
        print_def(tools, objects)
        return 0
    entry = compile_command(options.build, options.like)
    passed, failed = 0, 0

    def report(ok, what, details=()):
        nonlocal passed, failed
        print(f"{'ok  ' if ok else 'FAILED'} {what}")
        for line in details:
            print(f"       {line}")
        passed, failed = passed + ok, failed + (not ok)

    with tempfile.TemporaryDirectory() as workdir:
        if options.self_test:
            for name, why, accepted in SELF_TEST_CASES:
                failures = check_signatures(tools, entry, options.sdk_source, [name], workdir, quiet=True)
                report(bool(failures) != accepted,
                       f"{'accepts' if accepted else 'rejects'} {name} ({why})", failures if accepted else [])
        else:
            names = read_def(options.def_file)
            failures = check_signatures(tools, entry, options.sdk_source, names, workdir)
            report(not failures, f"{len(names)} names of {os.path.relpath(options.def_file, ROOT)} "
                   "are functions the SDK declares, with those exact signatures", failures)
            dll = options.dll or os.path.join(options.build, "Quillmar.dll")
            exports, imports = dll_tables(tools, dll)
            report(sorted(exports) == sorted(EXPORTS),
                   f"{os.path.basename(dll)} exports exactly {', '.join(sorted(EXPORTS))}",
                   [f"exports: {', '.join(exports) or 'nothing'}"] if sorted(exports) != sorted(EXPORTS) else [])
            foreign = sorted(library for library in imports if not ALLOWED_DLLS.match(library))
            report(not foreign and "orbiter.exe" in imports,
                   f"{os.path.basename(dll)} imports only from {', '.join(sorted(imports))}",
                   [f"not allowed: {library}" for library in foreign] +
                   ([] if "orbiter.exe" in imports else ["nothing imported from orbiter.exe"]))
            host = imports.get("orbiter.exe", set())
            report(host == set(names),
                   f"{os.path.basename(dll)} imports from orbiter.exe exactly the {len(names)} names of the .def",
                   [f"imported, not listed: {n}" for n in sorted(host - set(names))] +
                   [f"listed, not imported: {n}" for n in sorted(set(names) - host)])
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


# Names the signature check must reject, each wrong in one way the ABIs or the SDK can differ,
# and the right ones beside them.
SELF_TEST_CASES = [
    ("?SetSize@VESSEL@@QEBAXN@Z", "void VESSEL::SetSize(double) const", True),
    ("?SetSize@VESSEL@@QEAAXN@Z", "not const", False),
    ("?SetPMI@VESSEL@@QEBAXAEBTVECTOR3@@@Z", "VECTOR3 is a union", True),
    ("?SetPMI@VESSEL@@QEBAXAEBUVECTOR3@@@Z", "VECTOR3 as a struct", False),
    ("?oapiGetVesselByIndex@@YAPEAXH@Z", "OBJHANDLE oapiGetVesselByIndex(int)", True),
    ("?oapiGetVesselByIndex@@YAPEAXI@Z", "unsigned index", False),
    ("?Date2Int@@YAHPEAD@Z", "int Date2Int(char*) from Orbitersdk.cpp", True),
    ("?Date2Int@@YAHPEBD@Z", "Date2Int(const char*)", False),
    ("?InitLib@@YAXPEAUHINSTANCE__@@@Z", "void InitLib(HINSTANCE) from Orbitersdk.cpp", True),
    ("??0VESSEL4@@QEAA@PEAXH@Z", "VESSEL4::VESSEL4(OBJHANDLE, int)", True),
    ("??0VESSEL4@@QEAA@PEAXN@Z", "constructor taking a double", False),
    ("?clbkPreStep@VESSEL2@@UEAAXNNN@Z", "virtual VESSEL2::clbkPreStep", True),
    ("?clbkPreStep@VESSEL2@@QEAAXNNN@Z", "clbkPreStep as a non-virtual", False),
    ("?oapiNoSuchFunction@@YAXXZ", "a function the SDK does not have", False),
    ("?SetSize@VESSEL@@QEBAXN", "not a complete name", False),
]

if __name__ == "__main__":
    sys.exit(main())
