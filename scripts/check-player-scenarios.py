#!/usr/bin/env python3
"""Checks the scenarios a package gives players, as a fresh installation of the simulator loads them.

For each scenario file:
  - a BEGIN_DESC ... END_DESC text for the scenario list;
  - a BEGIN_HUD ... END_HUD section with a TYPE the simulator has (Orbit, Surface, Docking): without
    it the simulator opens the scenario with the HUD off, and the player never sees the ship's
    welcome line;
  - with a list of classes (the stock list every installation has, or the classes of an
    installation's Config/Vessels folder), every vessel's class is Quillmar or one of them: the
    simulator stops on a class it does not have, and crew vessels need the crew add-on;
  - vesselsim loads and runs it without a warning, with a root that lacks the crew add-on (as a
    fresh installation) and with the sample root that has it; every DOCKINFO link holds, each
    Quillmar keeps its crew lines, a vessel landed stays where its STATUS and POS lines put it, and two docked Quillmars have their ports on one another,
    facing each other with their rotation vectors alike, by the simulator's rotation convention;
  - a landed Quillmar stands on its pads, its centre above the ground by no more than MOST_ALT
    metres, and with the crew add-on a member leaving at its side port (port 1) stands on the
    ground beside it, not thrown up by the simulator's check of states inside a body.

usage: check-player-scenarios.py --vesselsim PATH [--stock-classes FILE | --installed-classes
       <Orbiter>/Config/Vessels] SCENARIO...
"""
import argparse
import json
import math
import os
import re
import subprocess
import sys
import tempfile

SHIP_CLASS = "Quillmar"
TOLERANCE = 0.05  # metres, and for unit vectors
HUD_MODES = ("Orbit", "Surface", "Docking")
MOST_ALT = 50.0  # metres
NEAR_THE_SHIP = 60.0  # metres from the ship's centre: the side port's member on the ground


def read_blocks(text):
    """The description and the vessels: name -> (class, state lines)."""
    desc = re.search(r"^BEGIN_DESC\n(.*?)^END_DESC$", text, re.S | re.M)
    ships = re.search(r"^BEGIN_SHIPS\n(.*?)^END_SHIPS$", text, re.S | re.M)
    vessels = {}
    if ships:
        name = None
        for line in ships.group(1).splitlines():
            line = line.split(";")[0].rstrip()
            if not line.strip():
                continue
            if name is None:
                name, _, cls = line.strip().partition(":")
                vessels[name] = (cls or name, [])  # a header without a class names it
            elif line.strip() == "END":
                name = None
            else:
                vessels[name][1].append(line.strip())
    return (desc.group(1).strip() if desc else ""), vessels


def rotation(degrees):
    """The simulator's matrix of a vessel's AROT angles; global = R * local."""
    x, y, z = (math.radians(d) for d in degrees)
    sx, cx, sy, cy, sz, cz = math.sin(x), math.cos(x), math.sin(y), math.cos(y), math.sin(z), math.cos(z)
    return [[cy * cz, cy * sz, -sy],
            [sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy],
            [cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy]]


def apply(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def close(a, b):
    return all(abs(p - q) < TOLERANCE for p, q in zip(a, b))


def state_vector(lines, key):
    for line in lines:
        words = line.split()
        if words and words[0] == key:
            return [float(w) for w in words[1:4]]
    return None


def hud_mode(text):
    """The TYPE of the BEGIN_HUD section, "" for a section without one, None without a section."""
    section = re.search(r"^BEGIN_HUD\n(.*?)^END_HUD$", text, re.S | re.M)
    if not section:
        return None
    for line in section.group(1).splitlines():
        words = line.split(";")[0].split()
        if len(words) == 2 and words[0].upper() == "TYPE":
            return words[1]
    return ""


def run(vesselsim, root, scenario, script=None):
    command = [vesselsim] + (["--root", root] if root else []) + [scenario] + ([script] if script else [])
    result = subprocess.run(command, capture_output=True, text=True)
    faults = []
    if result.returncode != 0 or result.stderr:
        faults.append(f"vesselsim exit {result.returncode}: {result.stderr.strip()}")
    printed = {}
    for line in result.stdout.splitlines():
        match = re.match(r"\[[\d.]+\] (\{.*\})$", line)
        if match:
            vessel = json.loads(match.group(1))
            printed[vessel["name"]] = vessel
    return faults, printed


def check_docks(vessels, printed):
    faults = []
    for name, (cls, lines) in vessels.items():
        for line in lines:
            if not line.startswith("DOCKINFO"):
                continue
            for item in line.split()[1:]:
                own, _, rest = item.partition(":")
                other_port, _, other = rest.partition(",")
                port, other_port = int(own), int(other_port)
                docks = printed.get(name, {}).get("docks", [])
                if port >= len(docks) or docks[port]["docked"] != other:
                    faults.append(f"{name} port {port} is not docked to {other}")
                    continue
                if cls != SHIP_CLASS or vessels.get(other, ("",))[0] != SHIP_CLASS:
                    continue
                faults += facing(name, lines, docks[port], other, vessels[other][1],
                                 printed[other]["docks"][other_port])
    return faults


def facing(name, lines, dock, other, other_lines, other_dock):
    """Two ports in global coordinates: on one another, facing, rotation vectors alike."""
    ends = []
    for vessel_lines, port in ((lines, dock), (other_lines, other_dock)):
        m = rotation(state_vector(vessel_lines, "AROT") or [0, 0, 0])
        at = state_vector(vessel_lines, "RPOS")
        ends.append(([a + b for a, b in zip(at, apply(m, port["pos"]))], apply(m, port["dir"]),
                     apply(m, port["rot"])))
    (pos_a, dir_a, rot_a), (pos_b, dir_b, rot_b) = ends
    if not close(pos_a, pos_b) or not close(dir_a, [-d for d in dir_b]) or not close(rot_a, rot_b):
        return [f"{name} and {other}: docked ports do not meet face to face "
                f"({pos_a} dir {dir_a} rot {rot_a} against {pos_b} dir {dir_b} rot {rot_b})"]
    return []


def check_landed(vessels, printed):
    """A vessel the scenario lands is still landed, on the same body and spot."""
    faults = []
    for name, (_, lines) in vessels.items():
        status = [l for l in lines if l.split()[0].upper() == "STATUS"]
        if not status or status[0].split()[1:2] != ["Landed"]:
            continue
        surface = [l for l in lines if l.split()[0].upper() in ("STATUS", "POS")]
        state = printed.get(name, {}).get("state", [])
        kept = [l for l in state if l.split()[0].upper() in ("STATUS", "POS")]
        if kept != surface:
            faults.append(f"{name} is not landed as the scenario says: {kept}, not {surface}")
    return faults


def crew_vessel_name(lines):
    """The crew vessel of the first member of a ship's crew lines, as an EVA names it."""
    for line in lines:
        words = line.split()
        if len(words) == 2 and words[0].upper() == "UMMUCREW":
            code, name = words[1].split("-")[:2]
            return f"UMmu_{code}-{name}"
    return None


def check_landed_ship(vesselsim, path, vessels, printed):
    """A landed Quillmar's height, and a member stepping out at its side port onto the ground."""
    faults = []
    for name, (cls, lines) in vessels.items():
        status = [l.split() for l in lines if l.split()[0].upper() == "STATUS"]
        if cls != SHIP_CLASS or not status or status[0][1:2] != ["Landed"]:
            continue
        body = status[0][2]
        alt = [float(l.split()[1]) for l in printed.get(name, {}).get("state", []) if l.startswith("ALT ")]
        if not alt or not 0.0 < alt[0] <= MOST_ALT:
            faults.append(f"{name} does not stand on its pads: ALT {alt}")
        member = crew_vessel_name(lines)
        if member is None:
            continue
        with tempfile.NamedTemporaryFile("w", suffix=".script", delete=False) as script:
            script.write(f"key {name} Shift+KP+\nkey {name} E\nrun 1\nprint {name}\nprint {member}\n")
        try:
            run_faults, after = run(vesselsim, None, path, script.name)
        finally:
            os.unlink(script.name)
        faults += run_faults
        if member not in after:
            faults.append(f"{name}: no crew vessel {member} after an EVA at port 1")
            continue
        state = after[member]["state"]
        apart = math.dist(after[member]["pos"], after[name]["pos"])
        if state[0] != f"STATUS Landed {body}" or apart > NEAR_THE_SHIP:
            faults.append(f"{name}: the member leaving at port 1 is not on the ground beside the ship "
                          f"({state[0]}, {apart:.0f} m from its centre)")
    return faults


def check(path, vesselsim, stock, lacking="a fresh installation"):
    with open(path, encoding="ascii") as f:
        text = f.read()
    desc, vessels = read_blocks(text)
    faults = []
    if not desc:
        faults.append("no BEGIN_DESC ... END_DESC text")
    if not vessels:
        faults.append("no vessels")
    mode = hud_mode(text)
    if mode not in HUD_MODES:
        faults.append("no BEGIN_HUD section with a TYPE of " + ", ".join(HUD_MODES) +
                      f" (found {mode!r}): the scenario opens with the HUD off")
    for name, (cls, _) in vessels.items():
        if stock is not None and cls != SHIP_CLASS and cls.replace("/", "\\").lower() not in stock:
            faults.append(f"vessel {name} is of class {cls}, which {lacking} lacks")
    if faults:
        return faults
    with tempfile.TemporaryDirectory() as fresh:
        for root, which in ((fresh, "without the crew add-on"), (None, "with the crew add-on")):
            run_faults, printed = run(vesselsim, root, path)
            run_faults += check_docks(vessels, printed)
            for name, (cls, lines) in vessels.items():
                if cls != SHIP_CLASS:
                    continue
                crew = [l for l in lines if l.upper().startswith("UMMUCREW")]
                kept = [l for l in printed.get(name, {}).get("state", []) if l.startswith("UMMUCREW")]
                if kept != crew:
                    run_faults.append(f"{name} has the crew lines {kept}, not {crew}")
            run_faults += check_landed(vessels, printed)
            if root is None:
                run_faults += check_landed_ship(vesselsim, path, vessels, printed)
            faults += [f"{which}: {fault}" for fault in run_faults]
    return faults


def installed_classes(folder):
    """The classes of an installation's Config/Vessels folder: each .cfg file below it, named by its
    path there without the extension ("Folder\\Class" for one in a sub-folder)."""
    classes = set()
    for where, _, names in os.walk(folder):
        for name in names:
            if name.lower().endswith(".cfg"):
                relative = os.path.relpath(os.path.join(where, name[:-4]), folder)
                classes.add(relative.replace(os.sep, "\\"))
    return classes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vesselsim", required=True)
    classes = parser.add_mutually_exclusive_group()
    classes.add_argument("--stock-classes", metavar="FILE",
                         help="the vessel classes every installation has, one a line")
    classes.add_argument("--installed-classes", metavar="CONFIG_VESSELS",
                         help="an installation's Config/Vessels folder, whose classes count")
    parser.add_argument("scenarios", nargs="+")
    args = parser.parse_args()
    stock = None
    if args.stock_classes:
        with open(args.stock_classes, encoding="ascii") as f:
            stock = {line.strip() for line in f if line.strip() and not line.startswith("#")}
    elif args.installed_classes:
        stock = installed_classes(args.installed_classes)
        if not stock:
            sys.exit(f"{args.installed_classes}: no vessel classes (.cfg files) there")
    if stock is not None:
        # The simulator finds a class's file ignoring letter case, as its system does.
        stock = {cls.replace("/", "\\").lower() for cls in stock}
    bad = False
    for path in args.scenarios:
        lacking = "the installation" if args.installed_classes else "a fresh installation"
        for fault in check(path, args.vesselsim, stock, lacking):
            print(f"{path}: {fault}")
            bad = True
    if bad:
        sys.exit(1)
    if stock is None:
        print(f"{len(args.scenarios)} player scenarios load (their classes not checked: no class list)")
    else:
        which = "stock classes" if args.stock_classes else "the installation's classes"
        print(f"{len(args.scenarios)} player scenarios load with {which} only")


if __name__ == "__main__":
    main()
