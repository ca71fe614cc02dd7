// Loads the game's BMP and TGA pictures. The file is read into memory first
// and decoded from there, so the decoder never opens files itself and paths
// are handled the same way on every platform.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "panelkit/ImageCache.h"
#include "panelkit/Internals.h"
#include "platform/SafeFile.h"
#include "ui/Panelkit.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
// The toolkit runs on one thread; thread-local data would need the TLS
// support of a newer C runtime than msvcrt.dll.
#define STBI_NO_THREAD_LOCALS
// Larger pictures are refused rather than allocated.
#define STBI_MAX_DIMENSIONS 8192
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include "stb_image.h"
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

// Picture files above this size are treated as unreadable.
constexpr long kMaxFileBytes = 64 * 1024 * 1024;
// No BMP or TGA encoding gives more pixels per byte of the file than a
// run-length packet does (two bytes for at most 255 pixels).
constexpr uint64_t kMaxPixelsPerFileByte = 128;

// Whether the file can hold the pixels its header claims; checked before
// the decoder allocates anything for them.
bool HoldsItsPixels(const std::vector<unsigned char>& bytes)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                              &channels) == 0 ||
        width <= 0 || height <= 0)
        return false;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    return pixels <= static_cast<uint64_t>(bytes.size()) * kMaxPixelsPerFileByte;
}

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool IsAbsolute(const std::string& path)
{
    if (!path.empty() && IsSeparator(path[0]))
        return true;
#if defined(_WIN32)
    // "C:\..." or "C:/..."
    if (path.size() >= 2 && path[1] == ':')
        return true;
#endif
    return false;
}

std::string ToPlatformPath(const char* path)
{
    std::string result(path);
    for (char& c : result) {
        if (IsSeparator(c))
            c = kSeparator;
    }
    return result;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes)
{
    // A pipe would keep the game waiting and a folder holds no picture:
    // only a regular file is opened. C streams rather than iostreams: the
    // Microsoft-ABI build has no iostreams.
    std::FILE* in = orvane::OpenRegularFile(path.c_str());
    if (in == nullptr)
        return false;
    long size = -1;
    if (std::fseek(in, 0, SEEK_END) == 0)
        size = std::ftell(in);
    bool read = false;
    if (size > 0 && size <= kMaxFileBytes && std::fseek(in, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        read = std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    }
    std::fclose(in);
    return read;
}

struct Decoded {
    int32_t width;
    int32_t height;
    std::shared_ptr<const std::vector<uint8_t>> rgba;
};

// Full path to picture; only pictures that decoded are kept.
struct DecodedImages {
    bool keep = false;
    std::map<std::string, Decoded> images;
};

DecodedImages& Kept()
{
    static DecodedImages* kept = new DecodedImages();
    return *kept;
}

}  // namespace

void panelkit::KeepDecodedImages(bool keep)
{
    Kept().keep = keep;
    if (!keep)
        Kept().images.clear();
}

CImageLoader::CImageLoader() : m_pData(new XImageLoaderData()) {}

CImageLoader* CImageLoader::GetInstance()
{
    static CImageLoader* instance = new CImageLoader();
    return instance;
}

IBitmap* CImageLoader::LoadImageA(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return nullptr;
    std::string full = ToPlatformPath(path);
    if (!IsAbsolute(full) && !m_pData->base.empty()) {
        std::string base = ToPlatformPath(m_pData->base.c_str());
        if (!IsSeparator(base.back()))
            base += kSeparator;
        full = base + full;
    }
    DecodedImages& kept = Kept();
    if (kept.keep) {
        const auto it = kept.images.find(full);
        if (it != kept.images.end())
            return panelkit::MakeSharedImage(it->second.width, it->second.height, it->second.rgba);
    }
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(full, bytes) || bytes.size() > static_cast<size_t>(INT32_MAX) ||
        !HoldsItsPixels(bytes))
        return nullptr;
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                  &width, &height, &channels, 4);
    if (pixels == nullptr)
        return nullptr;
    // Freed however the copy ends, a failed allocation included.
    struct Pixels {
        unsigned char* data;
        ~Pixels() { stbi_image_free(data); }
    } owned{pixels};
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    auto rgba = std::make_shared<const std::vector<uint8_t>>(pixels, pixels + count);
    if (kept.keep)
        kept.images.insert_or_assign(full, Decoded{width, height, rgba});
    return panelkit::MakeSharedImage(width, height, std::move(rgba));
}

void CImageLoader::FreeImage(IBitmap* image)
{
    delete image;
}

void CImageLoader::SetBaseFolder(const char* folder)
{
    m_pData->base = folder != nullptr ? folder : "";
}

const char* CImageLoader::GetBaseFolder() const
{
    return m_pData->base.c_str();
}
