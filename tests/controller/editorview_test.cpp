// The editor view PlugController::createView gives, on resources each test lays
// out in a folder of its own: which descriptions it refuses, the content scales
// it takes, and the rectangles it constrains.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>

#include "sdk/vst3/interfaces/plugview.h"
#include "sdk/vst3/interfaces/plugviewcontentscale.h"
#include "sdk/vstgui/lib/platform/platform.h"
#include "source/controller/plugcontroller.h"
#include "tests/support/hang_guard.h"

namespace Steinberg::Vst {
namespace {

namespace fs = std::filesystem;

constexpr int32 kWidth = 520;
constexpr int32 kHeight = 384;

std::string readText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class ControllerEditorView : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = ::testing::TempDir() + "editorview.XXXXXX";
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        bundle = folder;
        resources = bundle / "Resources";
        fs::create_directory(resources);
        for (const auto& entry : fs::directory_iterator(MORVIK_RESOURCE_DIR)) {
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), resources / entry.path().filename());
        }
        description = readText(resources / "plug.uidesc");
        ASSERT_FALSE(description.empty());
        VSTGUI::setPlatformResourceFolder(resources.string() + "/");
        controller = Steinberg::owned(new PlugController());
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    }
    void TearDown() override
    {
        controller->terminate();
        VSTGUI::setPlatformResourceFolder("");
        fs::remove_all(bundle);
    }

    IPtr<IPlugView> createEditor() { return Steinberg::owned(controller->createView("editor")); }

    // The bundle's description with its template's size replaced.
    std::string withTemplateSize(const std::string& size) const
    {
        const std::string original = " size=\"520, 384\"";
        std::string text = description;
        text.replace(text.find(original), original.size(), " size=\"" + size + "\"");
        return text;
    }

    fs::path bundle;
    fs::path resources;
    std::string description;
    IPtr<PlugController> controller;
};

TEST_F(ControllerEditorView, ADescriptionThatCannotBeUsedGivesNoEditorAndNeverHangs)
{
    // A description that waits for a writer would hang the test, not fail it.
    const morvik::testing::HangGuard guard(60);
    const auto write = [](const fs::path& path, const std::string& text) { std::ofstream(path) << text; };
    struct Case {
        const char* what;
        std::function<void(const fs::path& file)> layOut;
        bool opens;
    };
    const Case cases[] = {
        {"the bundle's own", [&](const fs::path& file) { write(file, description); }, true},
        {"a symlink to a file inside the folder",
         [&](const fs::path& file) {
             fs::create_directory(resources / "sub");
             write(resources / "sub" / "real.uidesc", description);
             fs::create_symlink("sub/real.uidesc", file);
         },
         true},
        {"a symlink to a file outside the bundle's folder",
         [&](const fs::path& file) {
             write(bundle / "outside.uidesc", description);
             fs::create_symlink("../outside.uidesc", file);
         },
         false},
        {"a symlink to /etc/passwd", [](const fs::path& file) { fs::create_symlink("/etc/passwd", file); },
         false},
        {"a FIFO", [](const fs::path& file) { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }, false},
        {"a folder", [](const fs::path& file) { fs::create_directory(file); }, false},
        {"none", [](const fs::path&) {}, false},
        {"a template at the size bound, 1024 x 1024",
         [&](const fs::path& file) { write(file, withTemplateSize("1024, 1024")); }, true},
        {"a template wider than the bound",
         [&](const fs::path& file) { write(file, withTemplateSize("1025, 384")); }, false},
        {"a template of 32767 x 32767",
         [&](const fs::path& file) { write(file, withTemplateSize("32767, 32767")); }, false},
    };
    for (const Case& c : cases) {
        const fs::path file = resources / "plug.uidesc";
        fs::remove_all(file);
        fs::remove_all(resources / "sub");
        c.layOut(file);
        const IPtr<IPlugView> editor = createEditor();
        EXPECT_EQ(editor != nullptr, c.opens) << c.what;
        ViewRect size;
        if (editor) {
            EXPECT_EQ(editor->getSize(&size), kResultTrue) << c.what;
        }
    }
}

TEST_F(ControllerEditorView, TakesContentScalesFromAHalfToEightAndRefusesAllOthers)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const float kInfinity = std::numeric_limits<float>::infinity();
    struct Case {
        float factor;
        tresult answer;
        int32 width, height;  // what getSize reports after it
    };
    const Case cases[] = {
        {1.25f, kResultTrue, 650, 480},
        {std::nextafter(0.5f, 0.f), kInvalidArgument, 650, 480},
        {0.5f, kResultTrue, 260, 192},
        {1e-30f, kInvalidArgument, 260, 192},
        {0.f, kInvalidArgument, 260, 192},
        {-2.f, kInvalidArgument, 260, 192},
        {8.f, kResultTrue, 4160, 3072},
        {std::nextafter(8.f, 9.f), kInvalidArgument, 4160, 3072},
        {64.f, kInvalidArgument, 4160, 3072},
        {1e9f, kInvalidArgument, 4160, 3072},
        {kInfinity, kInvalidArgument, 4160, 3072},
        {kNaN, kInvalidArgument, 4160, 3072},
        {3.f, kResultTrue, 1560, 1152},
    };
    const IPtr<IPlugView> editor = createEditor();
    ASSERT_TRUE(editor);
    const auto scaling = queryInterfacePtr<IPlugViewContentScaleSupport>(editor.get());
    ASSERT_TRUE(scaling);
    for (const Case& c : cases) {
        EXPECT_EQ(scaling->setContentScaleFactor(c.factor), c.answer) << c.factor;
        ViewRect size;
        ASSERT_EQ(editor->getSize(&size), kResultTrue);
        EXPECT_EQ(size.right - size.left, c.width) << c.factor;
        EXPECT_EQ(size.bottom - size.top, c.height) << c.factor;
    }
}

TEST_F(ControllerEditorView, ExtremeRectanglesKeepTheEditorsSizeWithoutWrapping)
{
    struct Case {
        ViewRect asked;
        ViewRect constrained;
    };
    const Case cases[] = {
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MIN + kWidth, INT_MIN + kHeight}},
        {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {INT_MAX - kWidth, INT_MAX - kHeight, INT_MAX, INT_MAX}},
        {{INT_MAX - 100, INT_MAX - 10, INT_MAX, INT_MAX},
         {INT_MAX - kWidth, INT_MAX - kHeight, INT_MAX, INT_MAX}},
        {{-5, 7, -5, 7}, {-5, 7, -5 + kWidth, 7 + kHeight}},
    };
    const IPtr<IPlugView> editor = createEditor();
    ASSERT_TRUE(editor);
    for (const Case& c : cases) {
        ViewRect rect = c.asked;
        EXPECT_EQ(editor->checkSizeConstraint(&rect), kResultTrue);
        EXPECT_EQ(rect.left, c.constrained.left) << c.asked.left;
        EXPECT_EQ(rect.top, c.constrained.top) << c.asked.top;
        EXPECT_EQ(rect.right, c.constrained.right) << c.asked.right;
        EXPECT_EQ(rect.bottom, c.constrained.bottom) << c.asked.bottom;

        // A host that skips checkSizeConstraint.
        ViewRect asked = c.asked;
        EXPECT_EQ(editor->onSize(&asked), kResultTrue);
        ViewRect size;
        ASSERT_EQ(editor->getSize(&size), kResultTrue);
        EXPECT_EQ(size.right - size.left, kWidth);
        EXPECT_EQ(size.bottom - size.top, kHeight);
    }
}

}  // namespace
}  // namespace Steinberg::Vst
