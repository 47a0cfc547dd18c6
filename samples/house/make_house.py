#!/usr/bin/env python3
"""Writes the sample building: house.json (a scene file, host/scene/SCENE_FORMAT.md) and its textures.

A two-storey house with an attic under a gable roof: walls, slabs, a roof, doors, windows, furniture
and two lamps placed from library parts, a few materials, a camera set. Lengths in metres.
Run it from anywhere; it writes beside itself:  python3 samples/house/make_house.py
"""
import json
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# ---- Textures: small procedural PNG pictures --------------------------------------------------------


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), 8 bits each; an RGB PNG without interlacing."""
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
                  + chunk(b"IEND", b""))


def brick(x, y):
    course = y // 8
    mortar = y % 8 == 7 or (x + (8 if course % 2 else 0)) % 16 == 15
    shade = (x * 7 + y * 13 + course * 5) % 23
    return (200, 195, 185) if mortar else (150 + shade, 60 + shade // 2, 45)


def tiles(x, y):
    row = y // 8
    edge = y % 8 == 0 or (x + (4 if row % 2 else 0)) % 8 == 0
    return (70, 40, 35) if edge else (140 - (y % 8) * 4, 60, 45)


def oak(x, y):
    grain = int(18 * math.sin(x * 0.35 + math.sin(y * 0.2) * 2.0))
    plank = y % 16 == 0
    return (90, 60, 30) if plank else (170 + grain, 120 + grain // 2, 70)


TEXTURES = [("Brick", "brick.png", brick, [0.5, 0.25]),
            ("Roof tiles", "tiles.png", tiles, [0.4, 0.4]),
            ("Oak planks", "oak.png", oak, [1.0, 1.0])]

# ---- Materials: model materials and the project's material attributes -------------------------------

PLASTER, BRICK, TILES, OAK, GLASS, TIMBER, FABRIC, METAL = range(1, 9)
MATERIALS = [
    {"name": "Plaster - White", "surfaceColor": [0.92, 0.91, 0.88], "diffuseReflection": 0.9},
    {"name": "Brick - Red", "surfaceColor": [0.62, 0.27, 0.2], "texture": 1, "diffuseReflection": 0.8,
     "parameters": [{"name": "C4D_SHIMAGE_FILE", "text": "brick.png"}]},
    {"name": "Roof Tiles - Terracotta", "surfaceColor": [0.55, 0.24, 0.18], "texture": 2,
     "diffuseReflection": 0.8},
    {"name": "Oak - Natural", "surfaceColor": [0.68, 0.5, 0.3], "texture": 3, "textureRotationAngle": 1.5707963,
     "diffuseReflection": 0.7, "specularReflection": 0.2, "shining": 12.0, "specularColor": [1, 1, 1]},
    {"name": "Glass - Clear", "surfaceColor": [0.75, 0.85, 0.9], "transparency": 0.8, "transparencyAttenuation": 0.1,
     "specularReflection": 0.9, "shining": 80.0, "specularColor": [1, 1, 1]},
    {"name": "Timber - Painted", "surfaceColor": [0.95, 0.95, 0.93], "diffuseReflection": 0.8,
     "specularReflection": 0.3, "shining": 20.0, "specularColor": [1, 1, 1]},
    {"name": "Fabric - Blue", "surfaceColor": [0.2, 0.3, 0.5], "diffuseReflection": 0.9},
    {"name": "Metal - Brushed", "surfaceColor": [0.7, 0.7, 0.72], "specularReflection": 0.8, "shining": 60.0,
     "specularColor": [1, 1, 1], "parameters": [{"name": "Roughness", "number": 0.35}]},
]
FIRST_MATERIAL_ATTRIBUTE = 10  # project material attributes are numbered from here

# ---- Project structure ---------------------------------------------------------------------------

STORIES = [(0, 0.0, "Ground floor"), (1, 3.0, "First floor"), (2, 6.0, "Attic")]
STORY_HEIGHT = 3.0
SLAB_THICKNESS = 0.25
LAYERS = [(1, "General"), (2, "Walls - Exterior"), (3, "Walls - Interior"), (4, "Slabs"), (5, "Roof"),
          (6, "Openings"), (7, "Furniture"), (8, "Lighting")]
WALL, WINDOW, DOOR, OBJECT, LAMP, SLAB, ROOF, CAMERA, CAMERA_SET = 1, 4, 5, 6, 7, 8, 9, 26, 27
TYPE_NAMES = {1: "Wall", 2: "Column", 3: "Beam", 4: "Window", 5: "Door", 6: "Object", 7: "Lamp", 8: "Slab",
              9: "Roof", 10: "Mesh", 26: "Camera", 27: "Camera Set"}

# Library parts: name, type (4 object, 5 lamp), default A, B, ZZYZX, extra parameters.
LIBRARY = [("Dining Table", 4, 1.6, 0.9, 0.75, []),
           ("Dining Chair", 4, 0.45, 0.5, 0.9, []),
           ("Sofa 3-Seat", 4, 2.1, 0.9, 0.8, [{"name": "cushions", "number": 3}]),
           ("Double Bed", 4, 1.6, 2.05, 0.5, []),
           ("Wardrobe", 4, 1.2, 0.6, 2.1, [{"name": "doors", "number": 2}]),
           ("Desk", 4, 1.4, 0.7, 0.74, []),
           ("Bookshelf", 4, 0.9, 0.35, 1.8, []),
           ("Pendant Lamp", 5, 0.4, 0.4, 0.5, [{"name": "TAVO_item_no", "text": "PL-40"}]),
           ("Floor Lamp", 5, 0.35, 0.35, 1.6, [])]
LIB_INDEX = {name: i + 1 for i, (name, *_rest) in enumerate(LIBRARY)}

# ---- Geometry helpers -------------------------------------------------------------------------------


def box(x0, y0, z0, x1, y1, z1, materials, uv_size=1.0):
    """A body: a box with faces (bottom, top, south, north, west, east), each with its material."""
    v = [[x0, y0, z0], [x1, y0, z0], [x1, y1, z0], [x0, y1, z0],
         [x0, y0, z1], [x1, y0, z1], [x1, y1, z1], [x0, y1, z1]]
    faces = [[1, 4, 3, 2], [5, 6, 7, 8], [1, 2, 6, 5], [3, 4, 8, 7], [4, 1, 5, 8], [2, 3, 7, 6]]
    if isinstance(materials, int):
        materials = [materials] * 6
    return {"vertices": [[round(c, 4) for c in p] for p in v],
            "textureCoordinates": [[round((p[0] + p[1]) / uv_size, 4), round(p[2] / uv_size, 4)] for p in v],
            "polygons": [{"material": m, "corners": f} for f, m in zip(faces, materials)]}


class House:
    def __init__(self):
        self.project_elements = []
        self.model_elements = []
        self.serial = 0

    def guid(self, kind):
        self.serial += 1
        return "4E0C1A2B-%04X-4000-8000-%012X" % (kind, self.serial)

    def add(self, kind, story, layer, bodies, lights=None, origin=None, **placement):
        guid = self.guid(kind)
        element = {"guid": guid, "type": kind, "story": story, "layer": layer}
        element.update(placement)
        self.project_elements.append(element)
        model = {"guid": guid, "bodies": bodies}
        if origin:
            model["origin"] = origin
        if lights:
            model["lights"] = lights
        self.model_elements.append(model)
        return guid

    def place(self, part, story, x, y, angle, bodies, lights=None, height=None):
        """A library part placed on a story: an object or a lamp with its own ZZYZX."""
        name, kind, a, b, zzyzx, _ = LIBRARY[LIB_INDEX[part] - 1]
        level = STORIES[story][1]
        parameters = [{"name": "ZZYZX", "number": height if height is not None else zzyzx}]
        return self.add(OBJECT if kind == 4 else LAMP, story, 8 if kind == 7 else 7, bodies, lights,
                        origin=[x, y, level], libPart=LIB_INDEX[part], position=[x, y], level=0.0, angle=angle,
                        size=[a, b], parameters=parameters)


# ---- The building ---------------------------------------------------------------------------------

LENGTH, DEPTH, THICK, INNER = 10.0, 8.0, 0.3, 0.12
RIDGE = 3.2  # roof rise above the attic floor


def exterior_walls(house, story):
    z0 = STORIES[story][1]
    z1 = z0 + STORY_HEIGHT - SLAB_THICKNESS
    # Brick outside, plaster inside: the outward face of each wall is its south, north, west or east face.
    south = [PLASTER, PLASTER, BRICK, PLASTER, PLASTER, PLASTER]
    north = [PLASTER, PLASTER, PLASTER, BRICK, PLASTER, PLASTER]
    west = [PLASTER, PLASTER, PLASTER, PLASTER, BRICK, PLASTER]
    east = [PLASTER, PLASTER, PLASTER, PLASTER, PLASTER, BRICK]
    house.add(WALL, story, 2, [box(0, 0, z0, LENGTH, THICK, z1, south)])
    house.add(WALL, story, 2, [box(0, DEPTH - THICK, z0, LENGTH, DEPTH, z1, north)])
    house.add(WALL, story, 2, [box(0, THICK, z0, THICK, DEPTH - THICK, z1, west)])
    house.add(WALL, story, 2, [box(LENGTH - THICK, THICK, z0, LENGTH, DEPTH - THICK, z1, east)])


def interior_wall(house, story, x0, y0, x1, y1):
    z0 = STORIES[story][1]
    house.add(WALL, story, 3, [box(x0, y0, z0, x1, y1, z0 + STORY_HEIGHT - SLAB_THICKNESS, PLASTER)])


def gable_walls(house):
    """Triangular brick gables of the attic, at the west and east ends."""
    z0 = STORIES[2][1]
    for x0, x1 in ((0.0, THICK), (LENGTH - THICK, LENGTH)):
        v = [[x0, 0, z0], [x0, DEPTH, z0], [x0, DEPTH / 2, z0 + RIDGE],
             [x1, 0, z0], [x1, DEPTH, z0], [x1, DEPTH / 2, z0 + RIDGE]]
        body = {"vertices": v, "textureCoordinates": [[p[1], p[2]] for p in v],
                "polygons": [{"material": BRICK, "corners": [1, 3, 2]}, {"material": BRICK, "corners": [4, 5, 6]},
                             {"material": BRICK, "corners": [1, 4, 6, 3]}, {"material": BRICK, "corners": [2, 3, 6, 5]},
                             {"material": PLASTER, "corners": [1, 2, 5, 4]}]}
        house.add(WALL, 2, 2, [body])


def slabs(house):
    for story, level, _ in STORIES:
        house.add(SLAB, story, 4, [box(0, 0, level - SLAB_THICKNESS, LENGTH, DEPTH, level,
                                       [PLASTER, OAK, PLASTER, PLASTER, PLASTER, PLASTER], 2.0)])


def roof(house):
    """Two sloping roof planes 0.2 thick, overhanging the walls by 0.4."""
    z0 = STORIES[2][1]
    over, t = 0.4, 0.2
    slope = RIDGE / (DEPTH / 2)
    for y_eave, y_ridge in ((-over, DEPTH / 2), (DEPTH + over, DEPTH / 2)):
        ze = z0 - over * slope
        v = [[-over, y_eave, ze], [LENGTH + over, y_eave, ze], [LENGTH + over, y_ridge, z0 + RIDGE],
             [-over, y_ridge, z0 + RIDGE]]
        v += [[x, y, z + t] for x, y, z in v]
        faces = [([1, 2, 3, 4], PLASTER), ([5, 8, 7, 6], TILES), ([1, 5, 6, 2], TIMBER), ([2, 6, 7, 3], TIMBER),
                 ([4, 3, 7, 8], TIMBER), ([1, 4, 8, 5], TIMBER)]
        if y_eave > y_ridge:  # the north plane: turn its faces outward
            faces = [(list(reversed(f)), m) for f, m in faces]
        body = {"vertices": [[round(c, 4) for c in p] for p in v],
                "textureCoordinates": [[round(p[0], 4), round(p[1] + p[2], 4)] for p in v],
                "polygons": [{"material": m, "corners": f} for f, m in faces]}
        house.add(ROOF, 2, 5, [body])


def window(house, story, wall, position, width=1.2, height=1.4, sill=0.9):
    """A window in an exterior wall: a painted frame and a glass pane, set in the wall's thickness."""
    z0 = STORIES[story][1] + sill
    z1 = z0 + height
    frame, depth = 0.07, 0.1
    if wall in ("south", "north"):
        y0 = 0.1 if wall == "south" else DEPTH - 0.2
        x0, x1 = position - width / 2, position + width / 2
        bodies = [box(x0, y0, z0, x1, y0 + depth, z0 + frame, TIMBER),
                  box(x0, y0, z1 - frame, x1, y0 + depth, z1, TIMBER),
                  box(x0, y0, z0 + frame, x0 + frame, y0 + depth, z1 - frame, TIMBER),
                  box(x1 - frame, y0, z0 + frame, x1, y0 + depth, z1 - frame, TIMBER),
                  box(x0 + frame, y0 + 0.04, z0 + frame, x1 - frame, y0 + 0.06, z1 - frame, GLASS)]
    else:
        x0 = 0.1 if wall == "west" else LENGTH - 0.2
        y0, y1 = position - width / 2, position + width / 2
        bodies = [box(x0, y0, z0, x0 + depth, y1, z0 + frame, TIMBER),
                  box(x0, y0, z1 - frame, x0 + depth, y1, z1, TIMBER),
                  box(x0, y0, z0 + frame, x0 + depth, y0 + frame, z1 - frame, TIMBER),
                  box(x0, y1 - frame, z0 + frame, x0 + depth, y1, z1 - frame, TIMBER),
                  box(x0 + 0.04, y0 + frame, z0 + frame, x0 + 0.06, y1 - frame, z1 - frame, GLASS)]
    house.add(WINDOW, story, 6, bodies)


def door(house, story, x0, y0, x1, y1, height=2.1):
    """A door leaf with a metal handle; the leaf spans the given plan rectangle."""
    z0 = STORIES[story][1]
    handle_x = x0 + 0.08 if x1 - x0 > y1 - y0 else (x0 + x1) / 2
    handle_y = (y0 + y1) / 2 if x1 - x0 > y1 - y0 else y0 + 0.08
    house.add(DOOR, story, 6, [box(x0, y0, z0, x1, y1, z0 + height, TIMBER),
                               box(handle_x - 0.02, handle_y - 0.06, z0 + 1.0, handle_x + 0.02, handle_y + 0.06,
                                   z0 + 1.04, METAL)])


def furniture(house):
    g, f, a = STORIES[0][1], STORIES[1][1], STORIES[2][1]
    # Ground floor: dining area and living room.
    house.place("Dining Table", 0, 3.0, 5.0, 0.0,
                [box(2.2, 4.55, g + 0.7, 3.8, 5.45, g + 0.75, OAK, 2.0)]
                + [box(x, y, g, x + 0.06, y + 0.06, g + 0.7, OAK) for x in (2.25, 3.69) for y in (4.6, 5.34)])
    for i, (x, y, angle) in enumerate(((2.6, 4.2, 0.0), (3.4, 4.2, 0.0), (2.6, 5.8, math.pi), (3.4, 5.8, math.pi))):
        house.place("Dining Chair", 0, x, y, angle,
                    [box(x - 0.22, y - 0.22, g + 0.42, x + 0.22, y + 0.22, g + 0.46, OAK),
                     box(x - 0.22, y - 0.25 if i < 2 else y + 0.21, g + 0.46, x + 0.22,
                         y - 0.21 if i < 2 else y + 0.25, g + 0.9, OAK)], height=0.92 if i == 0 else None)
    house.place("Sofa 3-Seat", 0, 8.2, 2.0, 0.0,
                [box(7.15, 1.6, g, 9.25, 2.5, g + 0.42, FABRIC), box(7.15, 2.3, g + 0.42, 9.25, 2.5, g + 0.8, FABRIC)])
    house.place("Bookshelf", 0, 9.4, 6.0, math.pi / 2, [box(9.3, 5.55, g, 9.65, 6.45, g + 1.8, OAK)])
    # First floor: bedroom and study.
    house.place("Double Bed", 1, 7.5, 6.4, math.pi,
                [box(6.7, 5.35, f, 8.3, 7.4, f + 0.45, OAK), box(6.75, 5.4, f + 0.45, 8.25, 7.35, f + 0.55, FABRIC)],
                height=0.55)
    house.place("Wardrobe", 1, 5.9, 7.4, math.pi, [box(5.3, 7.1, f, 6.5, 7.7, f + 2.1, OAK)])
    house.place("Desk", 1, 2.0, 1.0, 0.0, [box(1.3, 0.65, f + 0.7, 2.7, 1.35, f + 0.74, OAK),
                                           box(1.3, 0.65, f, 1.35, 1.35, f + 0.7, OAK),
                                           box(2.65, 0.65, f, 2.7, 1.35, f + 0.7, OAK)])
    house.place("Dining Chair", 1, 2.0, 1.7, math.pi, [box(1.78, 1.48, f + 0.42, 2.22, 1.92, f + 0.46, OAK)])
    house.place("Bookshelf", 1, 0.6, 4.0, -math.pi / 2, [box(0.35, 3.55, f, 0.7, 4.45, f + 1.8, OAK)], height=2.0)
    # Attic: storage.
    house.place("Bookshelf", 2, 5.0, 3.9, 0.0, [box(4.55, 3.75, a, 5.45, 4.1, a + 1.8, OAK)])


def lamps(house):
    g, f = STORIES[0][1], STORIES[1][1]
    house.place("Pendant Lamp", 0, 3.0, 5.0, 0.0,
                [box(2.8, 4.8, g + 2.05, 3.2, 5.2, g + 2.25, METAL), box(2.99, 4.99, g + 2.25, 3.01, 5.01, g + 2.75, METAL)],
                lights=[{"type": "point", "color": [1.0, 0.86, 0.7], "position": [3.0, 5.0, g + 2.0],
                         "minDistance": 0.1, "maxDistance": 6.0, "distanceFalloff": 1.0, "castsShadow": True,
                         "radius": 0.05, "parameters": [{"name": "Intensity", "number": 80}]}])
    house.place("Floor Lamp", 1, 3.0, 1.2, 0.0,
                [box(2.85, 1.05, f, 3.15, 1.35, f + 0.03, METAL), box(2.99, 1.19, f + 0.03, 3.01, 1.21, f + 1.45, METAL),
                 box(2.85, 1.05, f + 1.45, 3.15, 1.35, f + 1.6, FABRIC)],
                lights=[{"type": "spot", "color": [1.0, 0.95, 0.85], "position": [3.0, 1.2, f + 1.45],
                         "direction": [0, 0, -1], "minDistance": 0.1, "maxDistance": 4.0, "distanceFalloff": 1.5,
                         "castsShadow": True, "radius": 0.03, "falloffAngle1": 0.5, "falloffAngle2": 0.7,
                         "angleFalloff": 2.0, "parameters": [{"name": "Intensity", "number": 60}]}])


def cameras(house):
    walk = house.guid(CAMERA_SET)
    shots = [("Street view", [-6.0, -9.0], [5.0, 4.0], 1.7, 3.0), ("Garden view", [16.0, 14.0], [5.0, 4.0], 1.7, 3.5)]
    camera_guids = []
    for _name, pos, target, eye, aim in shots:
        guid = house.guid(CAMERA)
        camera_guids.append(guid)
        house.project_elements.append({"guid": guid, "type": CAMERA, "story": 0, "layer": 1, "cameraSet": walk,
                                       "perspective": {"viewCone": 1.05, "cameraZ": eye, "targetZ": aim,
                                                       "pos": pos, "target": target,
                                                       "distance": math.dist(pos, target)}})
    house.project_elements.append({"guid": walk, "type": CAMERA_SET, "story": 0, "layer": 1, "name": "Walk around",
                                   "activeCamera": camera_guids[0]})


def build():
    house = House()
    slabs(house)
    for story in (0, 1):
        exterior_walls(house, story)
    interior_wall(house, 0, 6.0, THICK, 6.0 + INNER, 4.0)
    interior_wall(house, 1, 5.0, THICK, 5.0 + INNER, DEPTH - THICK)
    interior_wall(house, 1, 5.0 + INNER, 4.0, LENGTH - THICK, 4.0 + INNER)
    gable_walls(house)
    roof(house)
    for story, wall, position in ((0, "south", 2.5), (0, "south", 8.0), (0, "north", 2.5), (0, "north", 7.5),
                                  (0, "east", 5.5), (1, "south", 2.0), (1, "south", 5.0), (1, "south", 8.0),
                                  (1, "north", 2.5), (1, "north", 7.5), (1, "west", 4.0)):
        window(house, story, wall, position)
    window(house, 2, "west", DEPTH / 2, 0.8, 0.8, 0.8)
    window(house, 2, "east", DEPTH / 2, 0.8, 0.8, 0.8)
    door(house, 0, 4.5, 0.1, 5.5, 0.16)                # front door
    door(house, 0, 4.0, DEPTH - 0.16, 4.9, DEPTH - 0.1)  # garden door
    door(house, 0, 6.03, 2.0, 6.09, 2.85)              # kitchen
    door(house, 1, 5.03, 1.5, 5.09, 2.35)              # study
    door(house, 1, 6.5, 4.03, 7.35, 4.09)              # bedroom
    furniture(house)
    lamps(house)
    cameras(house)

    library_parts = [{"index": i + 1, "type": kind, "name": name, "fileName": name + ".gsm", "a": a, "b": b,
                      "parameters": [{"name": "ZZYZX", "number": zzyzx}, {"name": "A", "number": a},
                                     {"name": "B", "number": b}] + extra}
                     for i, (name, kind, a, b, zzyzx, extra) in enumerate(LIBRARY)]
    for material in MATERIALS:
        material["externalReference"] = FIRST_MATERIAL_ATTRIBUTE + MATERIALS.index(material)
    return {
        "format": {"name": "zelto-scene", "version": 1},
        "project": {
            "info": {"file": "House.pln"},
            "offset": [2450.0, 1320.0],
            "window": "3d",
            "stories": [{"index": i, "level": level, "name": name} for i, level, name in STORIES],
            "layers": [{"index": i, "name": name} for i, name in LAYERS],
            "materials": [{"index": m["externalReference"], "name": m["name"], "color": m["surfaceColor"]}
                          for m in MATERIALS],
            "libraryParts": library_parts,
            "elements": house.project_elements,
            "elementTypeNames": {str(k): v for k, v in TYPE_NAMES.items()},
            "view3D": {"perspective": True,
                       "camera": {"viewCone": 1.1, "distance": 22.0, "cameraZ": 8.0, "targetZ": 3.0,
                                  "pos": [-8.0, -12.0], "target": [5.0, 4.0]}},
        },
        "model": {
            "elements": house.model_elements,
            "materials": MATERIALS,
            "textures": [{"name": name, "image": file, "size": size} for name, file, _, size in TEXTURES],
        },
    }


def to_json(value, indent=0):
    """JSON text that keeps short values on one line, so the file stays small and readable."""
    flat = json.dumps(value, separators=(", ", ": "))
    if len(flat) <= 110 - indent or not isinstance(value, (dict, list)) or not value:
        return flat
    pad = " " * (indent + 2)
    if isinstance(value, dict):
        items = ["%s%s: %s" % (pad, json.dumps(k), to_json(v, indent + 2)) for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + " " * indent + "}"
    return "[\n" + ",\n".join(pad + to_json(v, indent + 2) for v in value) + "\n" + " " * indent + "]"


def main():
    for _name, file, pixel, _size in TEXTURES:
        write_png(os.path.join(HERE, file), 32, 32, pixel)
    with open(os.path.join(HERE, "house.json"), "w") as out:
        out.write(to_json(build()) + "\n")


if __name__ == "__main__":
    main()
