#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "document/TVXScene.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/HeaderSummary.h"
#include "fileformat/container/LoadScene.h"
#include "tools/tvx/Commands.h"
#include "tools/tvx/LoadFailure.h"

namespace tvx::tool {
namespace {

void PrintContainer(std::ostream& out, const HeaderSummary& header) {
    out << "container:   ";
    if (!header.compressed) {
        out << "uncompressed, version " << header.outer.version << ", " << header.fileSize << " bytes\n";
    } else if (header.inner) {
        out << "compressed, outer version " << header.outer.version << ", inner version " << header.inner->version
            << " (" << header.fileSize << " bytes, " << header.innerSize << " inflated)\n";
    } else {
        out << "compressed, outer version " << header.outer.version << ", content does not inflate\n";
    }
}

void PrintCounts(std::ostream& out, const TVXFileCounts& c) {
    out << "counts:      lights " << c.lightCount << ", cameras " << c.cameraCount << ", materials "
        << c.materialCount << ", groups " << c.groupCount << ", vertices " << c.vertexCount << ", triangles "
        << c.triangleCount << ", UV sets " << c.uvSetCount << ", face lists " << c.faceListCount << ", bones "
        << c.boneCount << ", animations " << c.animationCount << ", name list " << c.nameListCount << '\n';
}

template <class T, class Describe>
void PrintNames(std::ostream& out, const char* label, const std::vector<T>& records, Describe describe) {
    if (records.empty()) {
        return;
    }
    out << label;
    for (std::size_t i = 0; i < records.size(); ++i) {
        out << (i == 0 ? "" : ", ") << describe(records[i]);
    }
    out << '\n';
}

std::vector<std::string> TextureFiles(const TVXMaterial& material) {
    std::vector<std::string> files;
    const auto add = [&](const TVXString& name) {
        if (!name.empty()) {
            files.push_back(name.ToUtf8());
        }
    };
    for (const auto& slot : material.mapSlots) {
        if (!slot) {
            continue;
        }
        add(slot->fileName);
        for (const TVXMapEntry& entry : slot->entries) {
            add(entry.fileName);
        }
        for (const TVXString& face : slot->faceNames) {
            add(face);
        }
    }
    return files;
}

std::string DescribeMaterial(const TVXMaterial& material) {
    std::string text = material.name.ToUtf8();
    const std::vector<std::string> files = TextureFiles(material);
    for (std::size_t i = 0; i < files.size(); ++i) {
        text += (i == 0 ? " (" : ", ") + files[i];
    }
    return files.empty() ? text : text + ")";
}

std::string DescribeAnimation(const TVXAnimation& animation) {
    std::ostringstream text;
    text << animation.name.ToUtf8() << " (frames " << animation.start << " to " << animation.end << " at "
         << animation.frameRate << " fps)";
    return text.str();
}

template <class T>
std::string NameOf(const T& record) {
    return record.name.ToUtf8();
}

void PrintScene(std::ostream& out, const TVXScene& scene) {
    out << "layout:      version " << scene.version << '\n';
    PrintCounts(out, scene.fileCounts);
    PrintNames(out, "lights:      ", scene.lights, NameOf<TVXLight>);
    PrintNames(out, "cameras:     ", scene.cameras, NameOf<TVXCamera>);
    PrintNames(out, "materials:   ", scene.materials, DescribeMaterial);
    PrintNames(out, "groups:      ", scene.groups, NameOf<TVXGroup>);
    PrintNames(out, "bones:       ", scene.bones, NameOf<TVXBone>);
    PrintNames(out, "animations:  ", scene.animations, DescribeAnimation);
}

}  // namespace

int RunInfo(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out, std::ostream& err) {
    out << "file:        " << file.string() << '\n';
    // Before the load: loading moves the current directory to the scene's
    // folder, so a relative path would no longer name the file.
    if (const auto header = SummarizeHeader(file, options.maxInflatedBytes)) {
        PrintContainer(out, *header);
    }
    TVXScene scene;
    NoProgress progress;
    LoadOptions loadOptions = LoadOptions::AsStored();
    loadOptions.writeEmbeddedFiles = options.extractEmbeddedFiles;
    loadOptions.maxInflatedBytes = options.maxInflatedBytes;
    LoadReport report;
    report.Attach(loadOptions);
    const int status = LoadScene(scene, file, progress, loadOptions);
    if (status != kLoadOk) {
        PrintLoadFailure(err, file, status, report, options.maxInflatedBytes);
        return 1;
    }
    PrintScene(out, scene);
    return 0;
}

}  // namespace tvx::tool
