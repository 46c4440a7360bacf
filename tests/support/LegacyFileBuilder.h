// Builds the sequential bodies of versions 6..33 for tests: sections in their
// order (skipped ones are written empty), records in the form of the version,
// strings narrow or UTF-16 as the version stores them.
//
// Record helpers write predictable values so tests can check where each one
// lands; the comments on each say which.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tests/support/ByteWriter.h"
#include "tests/support/CraftedFiles.h"

namespace tvx::test {

enum class LegacySection {
    Lights,
    Cameras,
    Materials,
    Groups,
    Vertices,
    Triangles,  // 30..33 only
    UVSets,     // 30..33 only
    FaceLists,
    Bones,
    Animations,
    End,
};

struct LegacyTestWeight {
    int bone = 0;
    float weight = 0.0f;
};

// A polygon as the helper writes it. Corner l of channel k gets:
//   versions 6..29:  u = uvBase + 10k + l, v = -(u); a third float 99 in 6..9;
//   versions 30..33: UV index 10k + l, second index 7.
// Versions 30..33 write second vertex index 100 + vertex index.
struct LegacyTestPolygon {
    std::vector<int> vertices;
    int material = 0;
    int smoothing = 0;
    int channels = 0;
    int group = 0;  // written in versions 30..33 only
    float uvBase = 0.0f;
};

class LegacyFileBuilder {
public:
    explicit LegacyFileBuilder(int version, std::uint32_t flags = 0) : version_(version), flags_(flags) {}

    int version() const { return version_; }
    bool wideStrings() const { return version_ == 10 || version_ == 32 || version_ == 33; }
    bool fullRecords() const { return version_ >= 30; }
    bool newMapEntry() const { return version_ >= 31; }

    // --- primitives ---
    LegacyFileBuilder& Int(std::int32_t v) {
        w_.I32(v);
        return *this;
    }
    LegacyFileBuilder& Float(float v) {
        w_.F32(v);
        return *this;
    }
    LegacyFileBuilder& Floats(std::initializer_list<float> values) {
        for (float v : values) {
            w_.F32(v);
        }
        return *this;
    }
    // The 152-byte transform block: 38 floats first, first + 1, ...
    LegacyFileBuilder& Transform(float first) {
        for (int i = 0; i < 38; ++i) {
            w_.F32(first + static_cast<float>(i));
        }
        return *this;
    }
    // ASCII text in the version's encoding, its terminating zero counted.
    LegacyFileBuilder& String(std::string_view text) {
        const std::size_t units = text.size() + 1;
        const std::size_t bytes = wideStrings() ? 2 * units : units;
        w_.U16(static_cast<std::uint16_t>(bytes));
        for (char c : text) {
            w_.U8(static_cast<std::uint8_t>(c));
            if (wideStrings()) {
                w_.U8(0);
            }
        }
        return wideStrings() ? U16Raw(0) : U8Raw(0);
    }
    // A string of exactly these bytes, whatever the version.
    LegacyFileBuilder& RawString(const std::vector<std::uint8_t>& bytes) {
        w_.U16(static_cast<std::uint16_t>(bytes.size()));
        w_.Bytes(bytes);
        return *this;
    }

    // --- sections ---
    // Starts a section with its count; sections skipped since the last one
    // (and present in this version) are written empty.
    LegacyFileBuilder& Begin(LegacySection section, int count) {
        WriteEmptyUntil(section);
        next_ = static_cast<int>(section) + 1;
        return Int(count);
    }

    // --- records ---
    // 6..29: type, position (1, 2, 3), colour (0.1, 0.2, 0.3, 0.4).
    // 30..33: code 1601, type, Transform(100), values 1..5 = 11..15, colour,
    // value 6 = 16, value 7 = 17.
    LegacyFileBuilder& Light(std::string_view name, int type = 1) {
        String(name);
        if (!fullRecords()) {
            return Int(type).Floats({1, 2, 3}).Floats({0.1f, 0.2f, 0.3f, 0.4f});
        }
        return Int(1601).Int(type).Transform(100).Floats({11, 12, 13, 14, 15}).Floats({0.1f, 0.2f, 0.3f, 0.4f}).Floats(
            {16, 17});
    }
    // 6..29: int 2 = 5, axes and position Floats 1..12.
    // 30..33: ints 4 and 5, Transform(200). Both: fov 60, near 2, far 500.
    LegacyFileBuilder& Camera(std::string_view name) {
        String(name);
        if (!fullRecords()) {
            Int(5);
            for (int i = 1; i <= 12; ++i) {
                Float(static_cast<float>(i));
            }
        } else {
            Int(4).Int(5).Transform(200);
        }
        return Floats({60, 2, 500});
    }
    // 30..33: ints 8 and 9, Transform(300).
    LegacyFileBuilder& Group(std::string_view name) {
        String(name);
        return fullRecords() ? Int(8).Int(9).Transform(300) : *this;
    }
    // Name, flags, colours 1..20, shininess 21, opacity 22, then the map count.
    LegacyFileBuilder& MaterialHead(std::string_view name, int mapCount, int flags = 2) {
        String(name).Int(flags);
        for (int i = 1; i <= 20; ++i) {
            Float(static_cast<float>(i));
        }
        return Floats({21, 22}).Int(mapCount);
    }
    // The map entry's common part: 6..30 key, kind, two ignored ints, flags;
    // 31..33 key, kind, flags, offset (1, 2, 3), tiling (4, 5, 6), angle (7, 8, 9).
    LegacyFileBuilder& MapHead(int key, int kind, int flags) {
        Int(key).Int(kind);
        if (!newMapEntry()) {
            return Int(-7).Int(-8).Int(flags);
        }
        return Int(flags).Floats({1, 2, 3, 4, 5, 6, 7, 8, 9});
    }
    // A kind-1 map with its file name: int 1 = 3, floats 0.5 and 0.25.
    LegacyFileBuilder& BitmapMap(int key, std::string_view fileName) {
        MapHead(key, 1, 0x40);
        if (!newMapEntry()) {
            Int(0x41);
        }
        return String(fileName).Int(3).Floats({0.5f, 0.25f});
    }
    // Header flags 0x01 add normal (9, 9, 9), 0x02 colour (0.5, 0.5, 0.5, 1).
    LegacyFileBuilder& Vertex(float x, float y, float z, const std::vector<LegacyTestWeight>& weights = {}) {
        Floats({x, y, z});
        if ((flags_ & 0x01) != 0) {
            Floats({9, 9, 9});
        }
        if ((flags_ & 0x02) != 0) {
            Floats({0.5f, 0.5f, 0.5f, 1});
        }
        Int(static_cast<int>(weights.size()));
        for (const LegacyTestWeight& w : weights) {
            Int(w.bone).Float(w.weight);
        }
        return *this;
    }
    // Nine ints first..first+8, then the float first + 0.5.
    LegacyFileBuilder& Triangle(int first) {
        for (int i = 0; i < 9; ++i) {
            Int(first + i);
        }
        return Float(static_cast<float>(first) + 0.5f);
    }
    // 6..29 write the group index G first.
    LegacyFileBuilder& FaceList(int group, const std::vector<LegacyTestPolygon>& polygons) {
        if (!fullRecords()) {
            Int(group);
        }
        Int(static_cast<int>(polygons.size()));
        for (const LegacyTestPolygon& p : polygons) {
            Polygon(p);
        }
        return *this;
    }
    LegacyFileBuilder& Polygon(const LegacyTestPolygon& p) {
        const int n = static_cast<int>(p.vertices.size());
        Int(n).Int(p.channels);
        if (fullRecords()) {
            Int(p.group);
        }
        Int(p.material).Int(p.smoothing);
        for (int v : p.vertices) {
            Int(v);
            if (fullRecords()) {
                Int(100 + v);
            }
        }
        for (int k = 0; k < p.channels; ++k) {
            for (int l = 0; l < n; ++l) {
                if (fullRecords()) {
                    Int(10 * k + l).Int(7);
                    continue;
                }
                const float u = p.uvBase + static_cast<float>(10 * k + l);
                Floats({u, -u});
                if (version_ <= 9) {
                    Float(99);
                }
            }
        }
        return *this;
    }
    // 6..29: position (1, 2, 3), rotation (0, 0, 0.6, 0.8), scale (2, 2, 2)
    // from version 9, colour (0.5, 0.6, 0.7, 0.8). 30..33: Transform(400).
    LegacyFileBuilder& Bone(std::string_view name, int parent) {
        String(name).Int(parent);
        if (fullRecords()) {
            Transform(400);
        } else {
            Floats({1, 2, 3}).Floats({0, 0, 0.6f, 0.8f});
            if (version_ >= 9) {
                Floats({2, 2, 2});
            }
        }
        return Floats({0.5f, 0.6f, 0.7f, 0.8f});
    }
    // Reserved 3, start 1, end 20, frame rate 30, then `tracks` tracks of
    // `keys` keys in each list; key i of track j has time j + i / 10 and
    // values (j, i, 1) or (0, 0, 0, 1).
    LegacyFileBuilder& Animation(std::string_view name, int tracks, int keys) {
        String(name).Int(3).Floats({1, 20, 30}).Int(tracks);
        for (int j = 0; j < tracks; ++j) {
            const auto time = [&](int i) { return static_cast<float>(j) + static_cast<float>(i) / 10.0f; };
            Int(keys);
            for (int i = 0; i < keys; ++i) {
                Float(time(i)).Floats({static_cast<float>(j), static_cast<float>(i), 1});
            }
            Int(keys);
            for (int i = 0; i < keys; ++i) {
                Float(time(i)).Floats({0, 0, 0, 1});
            }
            Int(keys);
            for (int i = 0; i < keys; ++i) {
                Float(time(i)).Floats({static_cast<float>(j), static_cast<float>(i), 1});
            }
        }
        return *this;
    }

    // --- results ---
    // The body with every section not yet begun written empty.
    Bytes Body() const {
        LegacyFileBuilder done = *this;
        done.WriteEmptyUntil(LegacySection::End);
        return done.w_.bytes();
    }
    Bytes File() const { return LegacyFile(version_, Body(), flags_); }
    Bytes Compressed() const { return CompressedFile(8, File()); }

private:
    bool Present(int section) const {
        const auto s = static_cast<LegacySection>(section);
        return fullRecords() || (s != LegacySection::Triangles && s != LegacySection::UVSets);
    }
    void WriteEmptyUntil(LegacySection section) {
        for (; next_ < static_cast<int>(section); ++next_) {
            if (Present(next_)) {
                w_.I32(0);
            }
        }
    }
    LegacyFileBuilder& U8Raw(std::uint8_t v) {
        w_.U8(v);
        return *this;
    }
    LegacyFileBuilder& U16Raw(std::uint16_t v) {
        w_.U16(v);
        return *this;
    }

    int version_;
    std::uint32_t flags_;
    int next_ = 0;
    ByteWriter w_;
};

}  // namespace tvx::test
