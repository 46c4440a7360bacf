// Shared by the legacy reader tests: parsing a crafted file in memory.
#pragma once

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/LegacyFileBuilder.h"

namespace tvx::test {

// The whole container parse, so the reader starts where a load starts it.
inline int Parse(const Bytes& file, TVXScene& scene) {
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    return ParseScene(reader, scene);
}

inline int Parse(const Bytes& file) {
    TVXScene scene;
    return Parse(file, scene);
}

inline std::size_t Index(int i) { return static_cast<std::size_t>(i); }

// A scene with something in every section and a map of every kind, in the
// record forms of `version`.
inline LegacyFileBuilder RichScene(int version) {
    using S = LegacySection;
    LegacyFileBuilder b(version, 0x03);
    b.Begin(S::Lights, 1).Light("Sun").Begin(S::Cameras, 1).Camera("Cam");
    b.Begin(S::Materials, 2).MaterialHead("Plain", 0).MaterialHead("Mapped", 7);
    for (int kind = 1; kind <= 7; ++kind) {
        b.MapHead(kind, kind, 0);
        if (!b.newMapEntry()) {
            b.Int(1);
        }
        if (kind == 4) {
            if (b.newMapEntry()) {
                b.Int(1).String("layer").Int(1).Int(2).Float(0.5f);
            } else {
                b.String("l0").String("l1").String("l2");
                for (int i = 0; i < 12; ++i) {
                    b.Int(i);
                }
            }
        } else if (kind == 5) {
            for (int face = 0; face < 6; ++face) {
                b.String("face");
            }
        } else {
            const int fields[] = {0, 3, 7, 4, 0, 0, 1, 1};
            b.String("tex.bmp");
            for (int i = 0; i < fields[kind]; ++i) {
                b.Int(i);
            }
        }
    }
    b.Begin(S::Groups, 2).Group("G0").Group("G1");
    b.Begin(S::Vertices, 2).Vertex(0, 0, 0, {{0, 1}}).Vertex(1, 0, 0, {{1, 0.5f}, {0, 0.5f}});
    if (b.fullRecords()) {
        b.Begin(S::Triangles, 1).Triangle(0);
        b.Begin(S::UVSets, 1).String("UV").Int(1).Int(0).Floats({0.5f, 0.5f}).Int(1).Triangle(5);
    }
    b.Begin(S::FaceLists, 2).FaceList(0, {{{0, 1, 0}, 1, 1, 2, 0, 0}}).FaceList(1, {{{1, 0, 1, 0}, 0, 0, 1, 3, 8}});
    b.Begin(S::Bones, 2).Bone("Root", -1).Bone("Tip", 0);
    b.Begin(S::Animations, 1).Animation("Walk", 2, 2);
    return b;
}

// Families and the thresholds inside them.
inline const int kRichVersions[] = {8, 9, 10, 29, 30, 31, 33};

}  // namespace tvx::test
