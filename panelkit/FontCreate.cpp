// Fonts with fixed metrics, so that layouts come out the same everywhere:
// a single-byte character is size/2 pixels wide, a GBK double-byte character
// size pixels, and a line, leading included, is 4/3 of the size high,
// rounded up (6, 12 and 16 for size 12): the ascent and descent of a CJK
// face of that size, so underlines and descenders stay inside their row.
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "panelkit/TextUtil.h"
#include "ui/Panelkit.h"

ITTFont::~ITTFont() = default;

namespace {

// Sizes outside this range are clamped; 0 or less means the default 12.
constexpr int32_t kDefaultSize = 12;
constexpr int32_t kMaxSize = 256;

class XFixedFont : public ITTFont {
public:
    explicit XFixedFont(int32_t size) : m_nSize(size) {}
    ~XFixedFont() override;
    int32_t GetTextHeight() override;
    int32_t GetTextWidth(const char* text) override;

private:
    int32_t m_nSize;
};

XFixedFont::~XFixedFont() = default;

int32_t XFixedFont::GetTextHeight()
{
    return (m_nSize * 4 + 2) / 3;
}

int32_t XFixedFont::GetTextWidth(const char* text)
{
    if (text == nullptr)
        return 0;
    const size_t length = std::strlen(text);
    int64_t width = 0;
    for (size_t pos = 0; pos < length;) {
        const size_t step = panelkit::GbkCharLength(text, length, pos);
        width += step == 2 ? m_nSize : m_nSize / 2;
        pos += step;
    }
    return width > INT32_MAX ? INT32_MAX : static_cast<int32_t>(width);
}

using FontKey = std::pair<std::string, int32_t>;

// Never freed: windows keep font pointers until the process ends, and
// nothing may outlive the cache.
std::map<FontKey, std::unique_ptr<XFixedFont>>& FontCache()
{
    static auto* cache = new std::map<FontKey, std::unique_ptr<XFixedFont>>();
    return *cache;
}

}  // namespace

XFontCreate::XFontCreate() = default;

XFontCreate* XFontCreate::GetInstance()
{
    static XFontCreate* instance = new XFontCreate();
    return instance;
}

ITTFont* XFontCreate::CreateFontA(const char* face, int32_t size, int32_t, int32_t, int32_t,
                                  int32_t, int32_t)
{
    if (size <= 0)
        size = kDefaultSize;
    if (size > kMaxSize)
        size = kMaxSize;
    FontKey key(face != nullptr ? face : "", size);
    auto& cache = FontCache();
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second.get();
    auto font = std::make_unique<XFixedFont>(size);
    ITTFont* result = font.get();
    cache.emplace(std::move(key), std::move(font));
    return result;
}
