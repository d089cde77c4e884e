#!/usr/bin/env python3
"""Writes the ship's placeholder mesh in the simulator's mesh text format.

Boxes only: the hull from the nose port back to the engine block, the cross of arms that carries
the four forward-facing ports, the engine cluster (one nozzle per exhaust point) and a small collar
at each of the seven docking ports. Port and exhaust positions are read from vessel/ShipTables.h,
so the mesh follows the ship's own tables.

usage: make_mesh.py SHIP_TABLES_H OUTPUT_MSH
"""
import re
import sys

HULL_HALF_WIDTH = 4.5
ARM_HALF_THICKNESS = 1.5
ARM_Z = (45.0, 53.0)
NOZZLE_HALF_WIDTH = 1.6
NOZZLE_LENGTH = 18.0
ENGINE_BLOCK_HALF_WIDTH = 10.5
ENGINE_BLOCK_LENGTH = 12.0
COLLAR_HALF_WIDTH = 1.2
COLLAR_DEPTH = 1.5

# The six faces of a box: outward normal and its four corners, as (x, y, z) signs, clockwise
# seen from outside.
FACES = [
    ((1, 0, 0), [(1, -1, -1), (1, 1, -1), (1, 1, 1), (1, -1, 1)]),
    ((-1, 0, 0), [(-1, -1, 1), (-1, 1, 1), (-1, 1, -1), (-1, -1, -1)]),
    ((0, 1, 0), [(-1, 1, -1), (-1, 1, 1), (1, 1, 1), (1, 1, -1)]),
    ((0, -1, 0), [(-1, -1, 1), (-1, -1, -1), (1, -1, -1), (1, -1, 1)]),
    ((0, 0, 1), [(1, -1, 1), (1, 1, 1), (-1, 1, 1), (-1, -1, 1)]),
    ((0, 0, -1), [(-1, -1, -1), (-1, 1, -1), (1, 1, -1), (1, -1, -1)]),
]


def vectors(text):
    return [tuple(float(v) for v in m) for m in re.findall(
        r"\{\s*(-?[\d.]+)\s*,\s*(-?[\d.]+)\s*,\s*(-?[\d.]+)\s*\}", text)]


def table(source, name):
    match = re.search(name + r"\[[^\]]*\]\s*=\s*\{(.*?)\};", source, re.S)
    if match is None:
        sys.exit(f"make_mesh.py: {name} not found")
    return vectors(match.group(1))


def box(low, high):
    """One box as (vertices, triangles) with vertex indices local to the box."""
    centre = [(l + h) / 2 for l, h in zip(low, high)]
    half = [(h - l) / 2 for l, h in zip(low, high)]
    vertices, triangles = [], []
    for normal, corners in FACES:
        first = len(vertices)
        for corner in corners:
            vertices.append(tuple(c + s * h for c, s, h in zip(centre, corner, half)) + normal)
        triangles += [(first, first + 1, first + 2), (first, first + 2, first + 3)]
    return vertices, triangles


def group(boxes):
    vertices, triangles = [], []
    for low, high in boxes:
        v, t = box(low, high)
        triangles += [tuple(i + len(vertices) for i in tri) for tri in t]
        vertices += v
    return vertices, triangles


def number(value):
    text = f"{value:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        source = f.read()
    ports = table(source, "kDockingPorts")[0::3]  # pos, dir, rot per port
    directions = table(source, "kDockingPorts")[1::3]
    exhausts = table(source, "kMainExhaustPoints")
    if len(ports) != 7 or len(exhausts) != 8:
        sys.exit(f"make_mesh.py: expected 7 ports and 8 exhaust points, "
                 f"found {len(ports)} and {len(exhausts)}")

    nose = max(p[2] for p in ports)
    tail = min(e[2] for e in exhausts)
    block_rear = tail + NOZZLE_LENGTH
    w = HULL_HALF_WIDTH
    hull = [((-w, -w, block_rear + ENGINE_BLOCK_LENGTH), (w, w, nose - COLLAR_DEPTH))]
    # Arms out to the four ports that face aft on the cross.
    reach = max(abs(p[0]) for p in ports)
    t = ARM_HALF_THICKNESS
    arms = [((-reach, -t, ARM_Z[0]), (reach, t, ARM_Z[1])),
            ((-t, -reach, ARM_Z[0]), (t, reach, ARM_Z[1]))]
    b = ENGINE_BLOCK_HALF_WIDTH
    engines = [((-b, -b, block_rear), (b, b, block_rear + ENGINE_BLOCK_LENGTH))]
    n = NOZZLE_HALF_WIDTH
    engines += [((x - n, y - n, z), (x + n, y + n, z + NOZZLE_LENGTH)) for x, y, z in exhausts]
    collars = []
    for pos, direction in zip(ports, directions):
        # A collar whose outer face lies on the port, reaching back into the ship.
        inner = tuple(p - d * COLLAR_DEPTH for p, d in zip(pos, direction))
        low = [min(p, q) for p, q in zip(pos, inner)]
        high = [max(p, q) for p, q in zip(pos, inner)]
        for axis in range(3):
            if direction[axis] == 0:
                low[axis] -= COLLAR_HALF_WIDTH
                high[axis] += COLLAR_HALF_WIDTH
        collars.append((tuple(low), tuple(high)))

    groups = [group(hull), group(arms), group(engines), group(collars)]
    lines = ["MSHX1", f"GROUPS {len(groups)}"]
    for vertices, triangles in groups:
        lines.append(f"GEOM {len(vertices)} {len(triangles)}")
        lines += [" ".join(number(c) for c in v) for v in vertices]
        lines += [" ".join(str(i) for i in tri) for tri in triangles]
    with open(sys.argv[2], "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print(f"{sys.argv[2]}: {len(groups)} groups, length {nose - tail:g} m from z = {tail:g} "
          f"to {nose:g}")


if __name__ == "__main__":
    main()
