// The README's pictures: scripts/pictures.sh still makes them as they are
// kept in docs/pictures, within a small tolerance for font rendering.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "panelkit/TextPainter.h"

#if defined(ORVANE_PICTURES)
#include <unistd.h>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_image.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
#endif

namespace fs = std::filesystem;

namespace {

#if defined(ORVANE_PICTURES)

struct Loaded {
    int width = 0, height = 0;
    stbi_uc* rgba = nullptr;
    explicit Loaded(const fs::path& path)
    {
        int channels = 0;
        rgba = stbi_load(path.string().c_str(), &width, &height, &channels, 4);
    }
    ~Loaded() { stbi_image_free(rgba); }
};

// Pixels whose colour differs by more than `step` in any channel.
size_t DifferentPixels(const Loaded& a, const Loaded& b, int step)
{
    size_t count = 0;
    const size_t n = static_cast<size_t>(a.width) * static_cast<size_t>(a.height);
    for (size_t i = 0; i < n; ++i)
        for (size_t k = 0; k < 3; ++k)
            if (std::abs(a.rgba[i * 4 + k] - b.rgba[i * 4 + k]) > step) {
                ++count;
                break;
            }
    return count;
}

TEST(Pictures, TheScriptStillMakesTheDocumentedPictures)
{
    ASSERT_TRUE(panelkit::HasGlyphFont()) << "FreeType and fonts-wqy-zenhei are needed "
                                             "(scripts/deps.sh linux)";
    const fs::path out =
        fs::temp_directory_path() / ("orvane-pictures-" + std::to_string(::getpid()));
    const std::string command = std::string("'") + ORVANE_SOURCE_DIR + "/scripts/pictures.sh' '" +
                                out.string() + "' '" + ORVANE_HOST_BIN + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : {"talk-page", "task-menu", "choice-page", "task-log", "ten-answers",
                             "quest-offer", "quest-accepted", "quest-declined"}) {
        SCOPED_TRACE(name);
        const Loaded made(out / (std::string(name) + ".png"));
        const Loaded kept(fs::path(ORVANE_SOURCE_DIR) / "docs/pictures" /
                          (std::string(name) + ".png"));
        ASSERT_NE(made.rgba, nullptr);
        ASSERT_NE(kept.rgba, nullptr);
        ASSERT_EQ(made.width, kept.width);
        ASSERT_EQ(made.height, kept.height);
        // Another FreeType may shade a glyph's edge a little differently;
        // a changed layout, image or colour moves far more than this.
        const size_t total = static_cast<size_t>(made.width) * static_cast<size_t>(made.height);
        EXPECT_LE(DifferentPixels(made, kept, 48), total / 1000);
    }
    std::error_code ec;
    fs::remove_all(out, ec);
}

#else

TEST(Pictures, TheScriptStillMakesTheDocumentedPictures)
{
    GTEST_SKIP() << "pictures are made and checked on Linux only";
}

#endif

}  // namespace
