// The importer library as the host sees it: loaded by path, asked through
// its five entry points.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostapi/SceneImport.h"

namespace {

class ImporterLibrary : public testing::Test {
protected:
    void SetUp() override {
        handle = dlopen(TVX_PLUGIN_FOLDER "/tvxread.dli", RTLD_NOW | RTLD_LOCAL);
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
    void* handle = nullptr;
};

std::u16string Text(const char16_t* s) { return s == nullptr ? u"(null)" : s; }

TEST_F(ImporterLibrary, EntryPointsDescribeOneImporterClass) {
    EXPECT_EQ(Text(Entry<hostapi::LibDescriptionFn>("LibDescription")()), u"Tarvex Pro TVX Importer");
    EXPECT_EQ(Entry<hostapi::LibNumberClassesFn>("LibNumberClasses")(), 1);
    EXPECT_EQ(Entry<hostapi::LibVersionFn>("LibVersion")(), 0x3A982800u);
    EXPECT_EQ(Entry<hostapi::CanAutoDeferFn>("CanAutoDefer")(), 0u);
    const auto classDesc = Entry<hostapi::LibClassDescFn>("LibClassDesc");
    EXPECT_EQ(classDesc(1), nullptr);
    EXPECT_EQ(classDesc(-1), nullptr);
    hostapi::ClassDesc* desc = classDesc(0);
    ASSERT_NE(desc, nullptr);
    EXPECT_EQ(desc->IsPublic(), 1);
    EXPECT_EQ(Text(desc->ClassName()), u"TarvexPro");
    EXPECT_EQ(desc->SuperClassID(), 0x0A10u);
    EXPECT_EQ(desc->ClassID(), hostapi::Class_ID(0x30DC7F56, 0x762829A1));
    EXPECT_EQ(Text(desc->Category()), u"Scene Import");
    EXPECT_EQ(Entry<hostapi::LibNumberClassesFn>("LibNumberClasses")(), 1);
}

TEST_F(ImporterLibrary, EachCreateGivesAFreshImporter) {
    hostapi::ClassDesc* desc = Entry<hostapi::LibClassDescFn>("LibClassDesc")(0);
    ASSERT_NE(desc, nullptr);
    std::unique_ptr<hostapi::SceneImport> a(static_cast<hostapi::SceneImport*>(desc->Create(hostapi::TRUE)));
    std::unique_ptr<hostapi::SceneImport> b(static_cast<hostapi::SceneImport*>(desc->Create()));
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a->ExtCount(), 1);
    EXPECT_EQ(Text(a->Ext(0)), u"TVX");
    EXPECT_EQ(Text(a->Ext(1)), u"") << "empty, never null";
    EXPECT_EQ(Text(a->LongDesc()), u"Tarvex Pro TVX File");
    EXPECT_EQ(Text(a->ShortDesc()), u"Tarvex Pro");
    EXPECT_EQ(Text(a->OtherMessage1()), u"");
    EXPECT_EQ(a->Version(), 300u);
    EXPECT_EQ(a->ZoomExtents(), -1);
    a->ShowAbout(nullptr);
    const auto dllMain = Entry<hostapi::BOOL (*)(hostapi::HINSTANCE, hostapi::DWORD, hostapi::LPVOID)>("DllMain");
    EXPECT_EQ(dllMain(nullptr, 0, nullptr), hostapi::TRUE) << "the entry may run again";
}

}  // namespace
