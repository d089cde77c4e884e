#!/usr/bin/env python3
"""Checks the module built in the simulator's C++ ABI against the simulator's interface.

  scripts/check-msvc-imports.py --build build-msvc [--installation <Orbiter>/Orbitersdk/include]
      [--released-exports <export list> | --released-image <Orbiter>/orbiter.exe]

Either architecture: the build folder's compile commands say which (x64 or x86), and so which
.def holds the module's imports (host/msvc/orbiter.def, host/msvc/orbiter-x86.def).
1. Every name of the .def is a function the interface declares, with exactly that signature: each
   name is demangled (llvm-undname) and turned into a C++ expression naming that one function (a
   static_cast to its exact type, or a qualified call for constructors and virtual functions); the
   expressions are compiled with the module's own compile command against the project's
   declaration (host/HostApi.h) or, with --installation, against a simulator installation's
   interface headers, and the names the compiled probe imports must equal the .def's. Those
   headers do not declare InitLib and Date2Int, which orbiter.exe exports: against them the probe
   declares the two itself, as host/HostApi.h does.
2. The two architectures' .def files name the same functions.
3. Quillmar.dll exports exactly ovcInit, ovcExit and GetModuleVersion, and imports only from
   orbiter.exe, the C runtime (ucrtbase.dll or api-ms-win-crt-*) and kernel32.dll: no C++ runtime
   or compiler support DLL.
4. What the DLL imports from orbiter.exe is exactly what the .def lists.
5. With --released-exports or --released-image: every function the DLL imports from orbiter.exe is
   an export of the released simulator: of the export list given (orbiter.exe's, as MSVC's
   demangler prints it), or of the export table of an installation's own orbiter.exe, read from
   the executable.

--self-test instead feeds the signature and export-list checks tables of names that must be
rejected and names that must pass, to show they tell them apart, and builds a small orbiter.exe
that exports every function of the .def but one, which the export check must name. --print-def OBJECT... prints the
.def's name list for the given objects (by default the module's, in the build folder).
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
ALLOWED_DLLS = re.compile(r"^(orbiter\.exe|ucrtbase\.dll|api-ms-win-crt-[a-z0-9-]+\.dll|kernel32\.dll)$",
                          re.IGNORECASE)
DEF_FILES = {"x64": "host/msvc/orbiter.def", "x86": "host/msvc/orbiter-x86.def"}
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
    """A demangled type as C++ names it: the interface's structures are mostly typedefs of unnamed ones,
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


def probe_header(installation, workdir):
    """The probe's first lines and the compiler flags it needs: the project's declaration of the
    interface, or the interface headers of the installation whose include folder is given."""
    if not installation:
        return ["#include <new>", '#include "host/HostApi.h"'], []
    # The define makes host/abi/AbiProbe.cpp (scripts/check-abi.py) include the installation's
    # headers in place of host/.
    flags = ["-DQM_ABI_PROBE_INSTALLATION", "-isystem", installation]
    # The interface headers include <lua/lua.h>; the folder is Lua/, and only Windows file systems
    # ignore letter case.
    if not os.path.exists(os.path.join(installation, "lua")) and os.path.exists(os.path.join(installation, "Lua")):
        link = os.path.join(workdir, "lua")
        if not os.path.lexists(link):
            os.symlink(os.path.join(installation, "Lua"), link)
        flags += ["-isystem", workdir]
    return (["#include <new>", "#include <Orbitersdk.h>",
             "__declspec(dllimport) void InitLib(HINSTANCE hModule);",
             "__declspec(dllimport) int Date2Int(char* date);"], flags)


def compile_command(build, like):
    with open(os.path.join(build, "compile_commands.json")) as database:
        entries = json.load(database)
    for entry in entries:
        if entry["file"].endswith(like):
            return entry
    sys.exit(f"{build}/compile_commands.json: no entry for {like}")


def compile_probe(entry, probe_text, workdir, extra=()):
    """Compiles the probe text with the module's compile command, and `extra` flags after it."""
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
    # The interface returns some values `const` (GetHandle): the probe spells its types as they are.
    command.append("-Wno-ignored-qualifiers")
    command += list(extra)
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    return result, obj


def probe_imports(tools, obj):
    names = set()
    for line in run([tools["nm"], "--undefined-only", obj]).splitlines():
        name = line.split()[-1].removeprefix("__imp_") if line.strip() else ""
        if is_host_import(name):
            names.add(name)
    return names


def demangle(tools, names):
    """Each name that llvm-undname can demangle, with its C++ declaration."""
    names = [n for n in names if n and not any(c.isspace() for c in n)]
    # Read from its input, llvm-undname prints for each line the name, its declaration (nothing
    # for a name it cannot demangle) and an empty line.
    output = subprocess.run([tools["undname"]], input="\n".join(names) + "\n", capture_output=True,
                            text=True).stdout
    demangled = {}
    for block in output.split("\n\n"):
        lines = block.strip("\n").split("\n")
        if len(lines) == 2 and lines[0] in names and lines[1].strip() and not lines[1].startswith("error"):
            demangled[lines[0]] = lines[1].strip()
    return demangled


def architecture_neutral(declaration):
    """A demangled declaration without what the two architectures and the two demanglers (MSVC's,
    LLVM's) print differently: calling conventions, __ptr64 and spaces. MSVC's demangler also
    drops the top-level const of a returned pointer (`void *const VESSEL::GetHandle`)."""
    text = declaration.replace("__ptr64", "")
    for convention in CALLING_CONVENTIONS:
        text = text.replace(convention, "")
    text = re.sub(r"\s+", "", text)
    return re.sub(r"\*const(?=[\w:~]+\()", "*", text, count=1)


def released_from_list(path):
    """The released orbiter.exe's exports from its export list, as MSVC's demangler prints it."""
    with open(path) as lines:
        return {architecture_neutral(line) for line in lines if line.strip()}


def released_from_image(tools, image):
    """The exports of an orbiter.exe, read from the executable's export table."""
    exports, _ = dll_tables(tools, image)
    if not exports:
        sys.exit(f"{image}: no export table (is it a simulator's orbiter.exe?)")
    return {architecture_neutral(text) for text in demangle(tools, exports).values()}


def not_released(tools, names, released):
    """Failures for the names the released simulator's orbiter.exe (`released`, its exports'
    declarations made architecture-neutral) does not export."""
    demangled = demangle(tools, names)
    failures = []
    for name in names:
        if name not in demangled:
            failures.append(f"{name}: llvm-undname cannot demangle it")
        elif architecture_neutral(demangled[name]) not in released:
            failures.append(f"{demangled[name]}: not exported by the released orbiter.exe ({name})")
    return failures


def same_functions(tools, def_files):
    """Failures where the .def files of the two architectures name different functions."""
    functions = {}
    for architecture, path in def_files.items():
        names = read_def(path)
        demangled = demangle(tools, names)
        functions[architecture] = {architecture_neutral(demangled.get(n, n)) for n in names}
    (first, a), (second, b) = functions.items()
    return ([f"only in the {first} list: {f}" for f in sorted(a - b)] +
            [f"only in the {second} list: {f}" for f in sorted(b - a)])


def architecture(entry):
    """x64 or x86, from the compile command's target."""
    command = entry.get("command") or " ".join(entry.get("arguments", []))
    match = re.search(r"--target=(\S+)|-target (\S+)", command)
    target = (match.group(1) or match.group(2)) if match else ""
    if target.startswith("x86_64"):
        return "x64"
    if re.match(r"i[3-6]86", target):
        return "x86"
    sys.exit(f"compile command without an x86_64 or i686 target: {command[:200]}")


def check_signatures(tools, entry, installation, names, workdir, quiet=False):
    """Failures for the names: empty when each is exactly a function the interface declares."""
    failures = []
    demangled = demangle(tools, names)
    header, flags = probe_header(installation, workdir)
    lines = ["// Generated by scripts/check-msvc-imports.py: names exactly the functions of",
             "// the module's .def, compiled against a declaration of the simulator's interface."]
    lines += header
    line_owner = {}
    for i, name in enumerate(names):
        text = demangled.get(name, "")
        if not text or text == name:
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
    result, obj = compile_probe(entry, "\n".join(lines) + "\n", workdir, flags)
    if result.returncode != 0:
        wrong = set()
        for match in re.finditer(r"probe\.cpp:(\d+):\d+: error", result.stderr):
            wrong.add(line_owner.get(int(match.group(1)), "(probe header)"))
        for name in sorted(wrong):
            failures.append(f"{name} ({demangled.get(name, '?')}): the interface declares no such function")
        if not quiet:
            print(result.stderr[:4000], file=sys.stderr)
        return failures or ["the probe did not compile"]
    imported = probe_imports(tools, obj)
    for name in sorted(set(names) - imported):
        if not any(f.startswith(name) for f in failures):
            failures.append(f"{name} ({demangled.get(name)}): the interface's declaration has another name")
    for name in sorted(imported - set(names)):
        failures.append(f"{name}: the probe imports it, the .def does not list it")
    return failures


def build_exporting_image(tools, names, workdir, arch):
    """A small orbiter.exe of the architecture whose export table holds exactly `names`, each an
    alias of one function: what an installation's orbiter.exe is to the export check."""
    source = os.path.join(workdir, "image.c")
    with open(source, "w") as out:
        out.write("void exported(void) {}\nint entry(void) { return 0; }\n")
    target = {"x64": "x86_64-pc-windows-msvc", "x86": "i686-pc-windows-msvc"}[arch]
    obj = os.path.join(workdir, "image.obj")
    run([tools["clang"], f"--target={target}", "-c", "-O1", source, "-o", obj])
    responses = os.path.join(workdir, "image.rsp")
    with open(responses, "w") as out:
        out.write("\n".join(f'"/export:{name}=exported"' for name in names) + "\n")
    image = os.path.join(workdir, "orbiter.exe")
    # lld-link adds x86's leading underscore to the entry and alias names itself.
    run([tools["lld-link"], "/nologo", "/nodefaultlib", "/entry:entry", "/subsystem:console",
         f"/machine:{arch}", f"/out:{image}", obj, f"@{responses}"])
    return image


class Report:
    """Prints each check as it is made, `ok` or FAILED with its details, and counts them."""

    def __init__(self):
        self.passed, self.failed = 0, 0

    def __call__(self, ok, what, details=()):
        print(f"{'ok  ' if ok else 'FAILED'} {what}")
        for line in details:
            print(f"       {line}")
        self.passed, self.failed = self.passed + ok, self.failed + (not ok)

    def summary(self):
        """Prints the counts; the exit status, 1 when a check failed."""
        print(f"{self.passed} passed, {self.failed} failed")
        return 1 if self.failed else 0


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
    parser.add_argument("--def", dest="def_file", help="default: the .def of the build's architecture")
    parser.add_argument("--dll", help="default: BUILD/Quillmar.dll")
    parser.add_argument("--like", default="vessel/ModuleExports.cpp",
                        help="the module source whose compile command compiles the probe")
    parser.add_argument("--installation", metavar="INCLUDE",
                        help="compile the signature probe against a simulator installation's "
                             "Orbitersdk/include instead of host/")
    released = parser.add_mutually_exclusive_group()
    released.add_argument("--released-exports", metavar="FILE",
                          help="the released orbiter.exe's export list, as MSVC's demangler prints it")
    released.add_argument("--released-image", metavar="ORBITER_EXE",
                          help="an installation's orbiter.exe, whose export table is read")
    parser.add_argument("--llvm-bin", default="/usr/lib/llvm-14/bin")
    parser.add_argument("--self-test", action="store_true")
    parser.add_argument("--print-def", nargs="*", metavar="OBJECT",
                        help="default: the module's objects in BUILD (vessel/, crew/, host/)")
    options = parser.parse_args()
    tools = {tool: os.path.join(options.llvm_bin, f"llvm-{tool}") for tool in ("nm", "undname", "readobj")}
    tools.update({tool: os.path.join(options.llvm_bin, tool) for tool in ("clang", "lld-link")})
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
    arch = architecture(entry)
    def_file = options.def_file or os.path.join(ROOT, DEF_FILES[arch])
    report = Report()
    released, released_name = None, None
    if options.released_exports:
        released, released_name = released_from_list(options.released_exports), options.released_exports
    elif options.released_image:
        released, released_name = released_from_image(tools, options.released_image), options.released_image

    with tempfile.TemporaryDirectory() as workdir:
        if options.self_test:
            for names, why, accepted in SIGNATURE_CASES:
                name = names[arch]
                if name is None:
                    continue
                failures = check_signatures(tools, entry, options.installation, [name], workdir, quiet=True)
                report(bool(failures) != accepted,
                       f"{'accepts' if accepted else 'rejects'} {name} ({why})", failures if accepted else [])
            if released is not None:
                for names, why, accepted in RELEASED_EXPORT_CASES:
                    failures = not_released(tools, [names[arch]], released)
                    report(bool(failures) != accepted,
                           f"{'finds' if accepted else 'does not find'} {names[arch]} among the released "
                           f"exports ({why})", failures if accepted else [])
            # An installation's orbiter.exe that lacks one function the module imports.
            names = read_def(def_file)
            missing = names[len(names) // 2]
            image = build_exporting_image(tools, [n for n in names if n != missing], workdir, arch)
            failures = not_released(tools, names, released_from_image(tools, image))
            wanted = [f"{demangle(tools, [missing])[missing]}: not exported by the released orbiter.exe ({missing})"]
            report(failures == wanted,
                   f"an orbiter.exe exporting all but {missing} of the {len(names)} functions of the .def "
                   f"is found to lack exactly that one", failures)
        else:
            names = read_def(def_file)
            failures = check_signatures(tools, entry, options.installation, names, workdir)
            report(not failures, f"{len(names)} names of {os.path.relpath(def_file, ROOT)} "
                   f"are functions {options.installation or 'host/'} declares, with those exact signatures "
                   f"({arch})", failures)
            failures = same_functions(tools, {a: os.path.join(ROOT, p) for a, p in DEF_FILES.items()})
            report(not failures, f"{' and '.join(DEF_FILES.values())} name the same functions", failures)
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
            if released is not None:
                failures = not_released(tools, sorted(host), released)
                report(bool(host) and not failures,
                       f"the {len(host)} functions {os.path.basename(dll)} imports from orbiter.exe are "
                       f"exports of the released simulator ({released_name})",
                       failures)
    return report.summary()


# Names the signature check must reject, each wrong in one way the ABIs or the interface can differ,
# and the right ones beside them; each under its x64 and its x86 name (None: that architecture has
# no such case).
def both(x64, x86):
    return {"x64": x64, "x86": x86}


SIGNATURE_CASES = [
    (both("?SetSize@VESSEL@@QEBAXN@Z", "?SetSize@VESSEL@@QBEXN@Z"), "void VESSEL::SetSize(double) const", True),
    (both("?SetSize@VESSEL@@QEAAXN@Z", "?SetSize@VESSEL@@QAEXN@Z"), "not const", False),
    (both(None, "?SetSize@VESSEL@@QBAXN@Z"), "a member function that is __cdecl, not __thiscall", False),
    (both("?SetSize@VESSEL@@QBEXN@Z", "?SetSize@VESSEL@@QEBAXN@Z"), "the other architecture's name", False),
    (both("?SetPMI@VESSEL@@QEBAXAEBTVECTOR3@@@Z", "?SetPMI@VESSEL@@QBEXABTVECTOR3@@@Z"), "VECTOR3 is a union", True),
    (both("?SetPMI@VESSEL@@QEBAXAEBUVECTOR3@@@Z", "?SetPMI@VESSEL@@QBEXABUVECTOR3@@@Z"), "VECTOR3 as a struct", False),
    (both("?oapiGetVesselByIndex@@YAPEAXH@Z", "?oapiGetVesselByIndex@@YAPAXH@Z"),
     "OBJHANDLE oapiGetVesselByIndex(int)", True),
    (both("?oapiGetVesselByIndex@@YAPEAXI@Z", "?oapiGetVesselByIndex@@YAPAXI@Z"), "unsigned index", False),
    (both("?Date2Int@@YAHPEAD@Z", "?Date2Int@@YAHPAD@Z"), "int Date2Int(char*), exported though no interface header declares it", True),
    (both("?Date2Int@@YAHPEBD@Z", "?Date2Int@@YAHPBD@Z"), "Date2Int(const char*)", False),
    (both("?InitLib@@YAXPEAUHINSTANCE__@@@Z", "?InitLib@@YAXPAUHINSTANCE__@@@Z"),
     "void InitLib(HINSTANCE), exported though no interface header declares it", True),
    (both("??0VESSEL4@@QEAA@PEAXH@Z", "??0VESSEL4@@QAE@PAXH@Z"), "VESSEL4::VESSEL4(OBJHANDLE, int)", True),
    (both("??0VESSEL4@@QEAA@PEAXN@Z", "??0VESSEL4@@QAE@PAXN@Z"), "constructor taking a double", False),
    (both("?clbkPreStep@VESSEL2@@UEAAXNNN@Z", "?clbkPreStep@VESSEL2@@UAEXNNN@Z"), "virtual VESSEL2::clbkPreStep", True),
    (both("?clbkPreStep@VESSEL2@@QEAAXNNN@Z", "?clbkPreStep@VESSEL2@@QAEXNNN@Z"), "clbkPreStep as a non-virtual", False),
    (both("?oapiNoSuchFunction@@YAXXZ", "?oapiNoSuchFunction@@YAXXZ"), "a function the interface does not have", False),
    (both("?SetSize@VESSEL@@QEBAXN", "?SetSize@VESSEL@@QBEXN"), "not a complete name", False),
]

# Names the released-export check must find, and names it must not: functions the released
# orbiter.exe does not export, or exports with another signature.
RELEASED_EXPORT_CASES = [
    (both("?SetSize@VESSEL@@QEBAXN@Z", "?SetSize@VESSEL@@QBEXN@Z"), "VESSEL::SetSize", True),
    (both("?GetHandle@VESSEL@@QEBAQEAXXZ", "?GetHandle@VESSEL@@QBEQAXXZ"),
     "returns OBJHANDLE const, listed as void *", True),
    (both("?Date2Int@@YAHPEAD@Z", "?Date2Int@@YAHPAD@Z"), "Date2Int", True),
    (both("?clbkPreStep@VESSEL2@@UEAAXNNN@Z", "?clbkPreStep@VESSEL2@@UAEXNNN@Z"), "virtual VESSEL2::clbkPreStep", True),
    (both("?SetSize@VESSEL@@QEAAXN@Z", "?SetSize@VESSEL@@QAEXN@Z"), "SetSize not const", False),
    (both("?oapiGetVesselByIndex@@YAPEAXI@Z", "?oapiGetVesselByIndex@@YAPAXI@Z"), "unsigned index", False),
    (both("?oapiNoSuchFunction@@YAXXZ", "?oapiNoSuchFunction@@YAXXZ"), "a function the simulator does not have", False),
    (both("?SetSize@VESSEL@@QEBAXN", "?SetSize@VESSEL@@QBEXN"), "not a complete name", False),
]

if __name__ == "__main__":
    sys.exit(main())
