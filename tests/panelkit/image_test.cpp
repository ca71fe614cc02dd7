// Picture loading: BMP and TGA files written by the test itself.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace fs = std::filesystem;

namespace {

void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// 2 x 2, 24 bits, rows bottom-up: top red, green; bottom blue, white.
std::vector<uint8_t> TinyBmp()
{
    const uint32_t stride = 8;  // 2 pixels x 3 bytes, padded to 4
    std::vector<uint8_t> out = {'B', 'M'};
    PutU32(out, 54 + stride * 2);
    PutU32(out, 0);
    PutU32(out, 54);
    PutU32(out, 40);
    PutU32(out, 2);  // width
    PutU32(out, 2);  // height, positive: bottom-up
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0);
    PutU32(out, stride * 2);
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, 0);
    PutU32(out, 0);
    const uint8_t bottom[] = {255, 0, 0, 255, 255, 255, 0, 0};  // blue, white (BGR)
    const uint8_t top[] = {0, 0, 255, 0, 255, 0, 0, 0};         // red, green
    out.insert(out.end(), bottom, bottom + stride);
    out.insert(out.end(), top, top + stride);
    return out;
}

// 3 x 1, 32 bits, uncompressed, top-left origin.
std::vector<uint8_t> TinyTga()
{
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0};
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, 3);
    PutU16(out, 1);
    out.push_back(32);
    out.push_back(0x28);
    const uint8_t pixels[] = {0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0};  // BGRA
    out.insert(out.end(), pixels, pixels + sizeof(pixels));
    return out;
}

class ImageLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        dir = fs::temp_directory_path() / ("panelkit_images_" + std::to_string(random()));
        fs::create_directories(dir / "task");
        savedBase = CImageLoader::GetInstance()->GetBaseFolder();
        CImageLoader::GetInstance()->SetBaseFolder(dir.string().c_str());
    }
    void TearDown() override
    {
        CImageLoader::GetInstance()->SetBaseFolder(savedBase.c_str());
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(dir / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> Pixel(XImage* image, int32_t x, int32_t y)
    {
        const auto px = panelkit::PixelsOf(*image);
        const size_t at = (static_cast<size_t>(y) * image->GetWidth() + x) * 4;
        return {px[at], px[at + 1], px[at + 2], px[at + 3]};
    }
    fs::path dir;
    std::string savedBase;
};

TEST_F(ImageLoading, ReadsABmpFromARelativeBackslashPath)
{
    Write("task/pic.bmp", TinyBmp());
    IBitmap* bitmap = CImageLoader::GetInstance()->LoadImageA("task\\pic.bmp");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetWidth(), 2);
    EXPECT_EQ(bitmap->GetHeight(), 2);
    auto* image = dynamic_cast<XImage*>(bitmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Pixel(image, 0, 0), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(image, 1, 0), (std::vector<uint8_t>{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(image, 0, 1), (std::vector<uint8_t>{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(image, 1, 1), (std::vector<uint8_t>{255, 255, 255, 255}));

    XRecordingCanvas canvas;
    bitmap->Draw(&canvas, 7, 9, 4);
    bitmap->Draw(nullptr, 0, 0, 0);
    ASSERT_EQ(panelkit::DrawnItems(canvas).size(), 1u);
    EXPECT_FALSE(panelkit::DrawnItems(canvas)[0].isText);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].bitmap, bitmap);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].x, 7);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].width, 2);
    EXPECT_EQ(panelkit::DrawnItems(canvas)[0].flag, 4);
    CImageLoader::GetInstance()->FreeImage(bitmap);
}

TEST_F(ImageLoading, ReadsATgaFromAnAbsolutePath)
{
    Write("task/select.tga", TinyTga());
    CImageLoader::GetInstance()->SetBaseFolder("/nonexistent-base");
    const std::string path = (dir / "task" / "select.tga").string();
    IBitmap* bitmap = CImageLoader::GetInstance()->LoadImageA(path.c_str());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetWidth(), 3);
    EXPECT_EQ(bitmap->GetHeight(), 1);
    auto* image = dynamic_cast<XImage*>(bitmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(Pixel(image, 0, 0), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(image, 1, 0), (std::vector<uint8_t>{0, 255, 0, 128}));
    EXPECT_EQ(Pixel(image, 2, 0), (std::vector<uint8_t>{0, 0, 255, 0}));
    CImageLoader::GetInstance()->FreeImage(bitmap);
}

TEST_F(ImageLoading, MissingOrUnreadableFilesGiveNull)
{
    std::vector<uint8_t> truncated = TinyBmp();
    truncated.resize(30);
    Write("task/empty.bmp", {});
    Write("task/garbage.bmp", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
    Write("task/truncated.bmp", truncated);
    // A 54-byte header that claims 8192 x 8192 pixels: refused before the
    // pixels are allocated.
    std::vector<uint8_t> claims = TinyBmp();
    claims.resize(54);
    for (const size_t at : {size_t{18}, size_t{22}}) {
        claims[at] = 0x00;
        claims[at + 1] = 0x20;
    }
    Write("task/claims.bmp", claims);
    for (const char* path : {"task\\missing.bmp", "task\\empty.bmp", "task\\garbage.bmp",
                             "task\\truncated.bmp", "task\\claims.bmp", "task", ""}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CImageLoader::GetInstance()->LoadImageA(path), nullptr);
    }
    EXPECT_EQ(CImageLoader::GetInstance()->LoadImageA(nullptr), nullptr);
    CImageLoader::GetInstance()->FreeImage(nullptr);
}

}  // namespace
