// A host scene written by hand, the way a test or a user writes one for an
// exporter, with every kind of thing the format can hold: a biped-driven
// hierarchy with a dummy, a bone, biped geometry and footsteps; a skinned
// mesh with vertex colours, alpha and an extra channel under a nested
// multi-material; a mesh bound by Physique; a spot with its target, a
// convertible ambient light, a camera; one node left out of the scene.
//
// Nodes, in id order: 0 Root (dummy), 1 Hips (bone, biped body, parent 0),
// 2 Spine (biped geometry, biped slave, parent 1), 3 Foot (footsteps,
// parent 0), 4 Skinned (selected), 5 Spot (selected), 6 Spot.Target,
// 7 Camera, 8 AmbientGlow, 9 Physiqued (hidden), 10 Limbo (not in the
// scene, parent 0), 11 Orphan (parent 10).
#pragma once

namespace memhost::test {

inline constexpr const char* kExportSceneJson = R"({
  "format": "tvx-host-scene",
  "version": 1,
  "scene": {
    "animation": {"frameRate": 25, "ticksPerFrame": 192, "range": [0, 19200]},
    "nodes": [
      {"id": 0, "name": "Root", "object": 5},
      {"id": 1, "name": "Hips", "parent": 0, "object": 8, "boneOn": true,
       "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 10]]},
       "controllers": {"class": "bipedBody",
                       "position": {"kind": "linearPosition", "keys": [[0, 0, 0, 10], [1920, 5, 0, 10]]}}},
      {"id": 2, "name": "Spine", "parent": 1, "object": 2,
       "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 3]]},
       "controllers": {"class": "bipedSlave"}},
      {"id": 3, "name": "Foot", "parent": 0, "controllers": {"class": "footstep"}},
      {"id": 4, "name": "Skinned", "selected": true, "object": 1, "material": 1, "wireColor": [10, 20, 30],
       "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [2, 0, 0]],
                     "objectOffset": [[1, 0, 0], [0, 1, 0], [0, 0, -1], [0, 0, 1]]}},
      {"id": 5, "name": "Spot", "selected": true, "object": 3,
       "transform": {"local": [[1, 0, 0], [0, 0, 1], [0, -1, 0], [0, -10, 5]]}},
      {"id": 6, "name": "Spot.Target", "object": 6},
      {"id": 7, "name": "Camera", "object": 7},
      {"id": 8, "name": "AmbientGlow", "object": 4},
      {"id": 9, "name": "Physiqued", "hidden": true, "object": 10, "material": 0},
      {"id": 10, "name": "Limbo", "inScene": false, "parent": 0},
      {"id": 11, "name": "Orphan", "parent": 10}
    ],
    "objects": [
      {"id": 0, "kind": "mesh",
       "vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]],
       "faces": [[0, 1, 2], [0, 2, 3]],
       "faceMaterialIds": [0, 3], "faceSmoothingGroups": [1, 6], "faceEdgeVisibility": [3, 6],
       "mapChannels": [
         {"channel": -2, "vertices": [[0.5, 0, 0], [1.5, 0, 0]], "faces": [[0, 1, 0], [0, 0, 1]]},
         {"channel": 0, "vertices": [[1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 1], [0, 1, 0]]},
         {"channel": 1, "vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]], "faces": [[0, 1, 2], [0, 2, 9]]},
         {"channel": 3, "vertices": [[0.25, 0.75, 0]], "faces": [[0, 0, 0], [0, 0, 0]]}
       ],
       "specifiedNormals": {"normals": [[0, 0, 1], [0, 0, -1]], "explicit": [true, false],
                            "faces": [[0, 0, 0], [1, 7, -1]], "specified": [7, 2]}},
      {"id": 1, "kind": "derived", "base": 0, "modifiers": [2, 0]},
      {"id": 2, "kind": "geometry", "classId": [37157, 0],
       "vertices": [[0, 0, 0], [0, 1, 0], [0, 0, 1]], "faces": [[0, 1, 2]],
       "specifiedNormals": {"normals": [[1, 0, 0]], "explicit": [true], "faces": [[0, 0, 0]], "specified": [7]}},
      {"id": 3, "kind": "light", "type": 1, "color": [1, 0.5, 0.25], "intensity": 2, "hotspot": -5,
       "falloff": 45, "attenuation": [1, 2, 30, 300], "useLight": true},
      {"id": 4, "kind": "light", "type": 0, "ambientOnly": true,
       "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}},
      {"id": 5, "kind": "helper"},
      {"id": 6, "kind": "target"},
      {"id": 7, "kind": "camera", "type": 1, "fov": 0.7853982, "clip": [1, 100], "envRange": [2, 500]},
      {"id": 8, "kind": "bone", "width": 2, "height": 4, "taper": 0.5, "length": 6},
      {"id": 9, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
      {"id": 10, "kind": "derived", "base": 9, "modifiers": [1]}
    ],
    "modifiers": [
      {"id": 0, "kind": "skin", "bones": [1, 2],
       "weights": [{"vertex": 0, "bones": [1], "weights": [1]},
                   {"vertex": 1, "bones": [1, 2], "weights": [0.5, 0.5]},
                   {"vertex": 2, "bones": [3, 2], "weights": [0.3, 0.7]},
                   {"vertex": 3, "bones": [null], "weights": [1]}]},
      {"id": 1, "kind": "physique",
       "vertices": [{"type": 1, "nodes": [2], "weights": [1]},
                    {"type": 5, "nodes": [2, 3], "weights": [0.25, 0.75]},
                    {"type": 6, "nodes": [3, 2], "weights": [0.6, 0.4]}]},
      {"id": 2, "kind": "other", "classId": [1, 2]}
    ],
    "materials": [
      {"id": 0, "kind": "standard", "name": "Wood", "diffuse": [0.5, 0.25, 0], "ambient": [0.1, 0.1, 0.1],
       "specular": [1, 1, 1], "shininess": 0.25, "opacity": 0.5, "twoSided": true,
       "maps": [{"slot": 1, "texmap": 0, "enabled": true}, {"slot": 6, "texmap": 1},
                {"slot": 8, "texmap": 4, "amount": 0.3}]},
      {"id": 1, "kind": "multi", "name": "Multi", "subMaterials": [0, 2, null, 3]},
      {"id": 2, "kind": "other", "name": "Raytrace", "classId": [1234, 5678], "subTexmaps": [0]},
      {"id": 3, "kind": "multi", "name": "Inner", "subMaterials": [0]}
    ],
    "texmaps": [
      {"id": 0, "kind": "bitmap", "name": "Grain", "fileName": "D:\\art\\wood.png",
       "uvGen": {"uOffset": 0.25, "vOffset": 0.5, "uScale": 2, "vScale": 3, "wAngle": 0.5, "tiling": 1}},
      {"id": 1, "kind": "bitmap", "fileName": "grain.tga"},
      {"id": 2, "kind": "rgbMultiply", "subTexmaps": [0, 1]},
      {"id": 3, "kind": "mix", "subTexmaps": [0, null, 1]},
      {"id": 4, "kind": "normalBump", "subTexmaps": [1, null]},
      {"id": 5, "kind": "composite", "subTexmaps": [0, 1, 2]},
      {"id": 6, "kind": "other", "classId": [4660, 22136], "subTexmaps": [1]}
    ],
    "materialEditor": [{"slot": 0, "material": 1}, {"slot": 3, "texmap": 2}]
  }
})";

}  // namespace memhost::test
