// The exporter library as the host sees it: loaded by path, asked through
// its five entry points, its texts single-byte.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostapi/SceneExport.h"
#include "hostapi/SceneImport.h"

namespace {

class ExporterLibrary : public testing::Test {
protected:
    void SetUp() override {
        handle = dlopen(TVX_PLUGIN_FOLDER "/tvxwrite.dle", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle != nullptr) {
            dlclose(handle);
        }
    }
    template <class Fn>
    Fn Entry(const char* name) {
        auto fn = reinterpret_cast<Fn>(dlsym(handle, name));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    std::unique_ptr<hostapi::SceneExport> Create() {
        hostapi::max2011::ClassDesc* desc = Entry<hostapi::max2011::LibClassDescFn>("LibClassDesc")(0);
        return std::unique_ptr<hostapi::SceneExport>(
            desc != nullptr ? static_cast<hostapi::SceneExport*>(desc->Create()) : nullptr);
    }
    void* handle = nullptr;
};

std::string Text(const char* s) { return s == nullptr ? "(null)" : s; }

TEST_F(ExporterLibrary, EntryPointsDescribeOneExporterClass) {
    EXPECT_EQ(Text(Entry<hostapi::max2011::LibDescriptionFn>("LibDescription")()), "Tarvex Pro TVX Exporter");
    EXPECT_EQ(Entry<hostapi::LibNumberClassesFn>("LibNumberClasses")(), 1);
    EXPECT_EQ(Entry<hostapi::LibVersionFn>("LibVersion")(), 0x32C82300u);
    EXPECT_EQ(Entry<hostapi::CanAutoDeferFn>("CanAutoDefer")(), 0u);
    const auto classDesc = Entry<hostapi::max2011::LibClassDescFn>("LibClassDesc");
    EXPECT_EQ(classDesc(1), nullptr);
    hostapi::max2011::ClassDesc* desc = classDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(Text(desc->ClassName()), "TarvexPro");
    EXPECT_EQ(desc->SuperClassID(), 0x0A20u);
    EXPECT_EQ(desc->ClassID(), hostapi::Class_ID(0x5A1B40B4, 0x4DDF55AA));
    EXPECT_EQ(Text(desc->Category()), "Scene Export");
    const auto dllMain = Entry<hostapi::BOOL (*)(hostapi::HINSTANCE, hostapi::DWORD, hostapi::LPVOID)>("DllMain");
    EXPECT_EQ(dllMain(nullptr, 0, nullptr), hostapi::TRUE) << "the entry may run again";
}

TEST_F(ExporterLibrary, AnExporterDescribesItsFileType) {
    const auto exporter = Create();
    ASSERT_NE(exporter, nullptr);
    EXPECT_EQ(exporter->ExtCount(), 1);
    EXPECT_EQ(Text(exporter->Ext(0)), "TVX");
    EXPECT_EQ(Text(exporter->Ext(1)), "") << "empty, never null";
    EXPECT_EQ(Text(exporter->LongDesc()), "Tarvex Pro TVX File");
    EXPECT_EQ(Text(exporter->ShortDesc()), "Tarvex Pro ") << "with its trailing blank";
    EXPECT_EQ(Text(exporter->OtherMessage2()), "");
    EXPECT_EQ(exporter->Version(), 300u);
    EXPECT_TRUE(exporter->SupportsOptions(0, hostapi::SCENE_EXPORT_SELECTED));
    EXPECT_TRUE(exporter->SupportsOptions(5, 1)) << "the extension index does not matter";
    EXPECT_FALSE(exporter->SupportsOptions(0, 0));
    EXPECT_FALSE(exporter->SupportsOptions(0, 3));
    EXPECT_EQ(exporter->DoExport(nullptr, nullptr, nullptr), 0);
}

}  // namespace
