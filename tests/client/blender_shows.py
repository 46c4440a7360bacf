# What Blender shows of glTF files, for the client tests: imports each file
# into an empty scene and writes one JSON file of its counts and, at each
# time asked for, the world position (in glTF's Y-up axes) of every vertex
# a triangle uses, skinned and animated as Blender evaluates it.
#
#   blender -b --factory-startup --python blender_shows.py -- REQUESTS.json
#
# REQUESTS.json: [{"glb": IN, "json": OUT, "times": [seconds, ...]}, ...].
# A file Blender cannot import gets {"error": MESSAGE} and the others go on.
import json
import math
import sys
import traceback

import numpy

# Blender 3.4's glTF importer still uses numpy.bool, gone since numpy 1.24.
numpy.bool = bool

import bpy

# Keys then fall on whole frames of the 30 fps grid the tests sample.
FPS = 30


def shown(scene, times):
    meshes = [o for o in scene.objects if o.type == "MESH"]
    for o in meshes:
        o.data.calc_loop_triangles()
    out = {
        "meshes": len({o.data.name for o in meshes}),
        "triangles": sum(len(o.data.loop_triangles) for o in meshes),
        "joints": sum(len(o.data.bones) for o in scene.objects if o.type == "ARMATURE"),
        "animations": len({t.name for o in scene.objects if o.animation_data for t in o.animation_data.nla_tracks}),
        "fps": scene.render.fps / scene.render.fps_base,
        "times": [],
    }
    for t in times:
        frame = t * out["fps"]
        whole = math.floor(frame + 1e-6)
        scene.frame_set(whole, subframe=max(0.0, frame - whole))
        depsgraph = bpy.context.evaluated_depsgraph_get()
        positions = []
        for o in meshes:
            evaluated = o.evaluated_get(depsgraph)
            mesh = evaluated.to_mesh()
            mesh.calc_loop_triangles()
            used = sorted({v for tri in mesh.loop_triangles for v in tri.vertices})
            world = evaluated.matrix_world
            for v in used:
                x, y, z = world @ mesh.vertices[v].co
                positions.append([x, z, -y])  # Blender's Z-up back to glTF's Y-up
            evaluated.to_mesh_clear()
        out["times"].append({"t": t, "positions": positions})
    return out


def main():
    requests = json.load(open(sys.argv[sys.argv.index("--") + 1]))
    for request in requests:
        bpy.ops.wm.read_factory_settings(use_empty=True)
        scene = bpy.context.scene
        scene.render.fps, scene.render.fps_base = FPS, 1.0
        try:
            result = bpy.ops.import_scene.gltf(filepath=request["glb"])
            if result != {"FINISHED"}:
                raise RuntimeError("the importer returned %s" % sorted(result))
            out = shown(bpy.context.scene, request["times"])
        except Exception:
            out = {"error": traceback.format_exc()}
        with open(request["json"], "w") as f:
            json.dump(out, f)


main()
