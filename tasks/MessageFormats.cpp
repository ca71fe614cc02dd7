#include "tasks/MessageFormats.h"

#include "client/DebugLog.h"

namespace orvane {

const char kChatText[] = "\xCF\xD0\xC1\xC4";  // 闲聊
const char kMenuHeading[] =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xBB\xB8\xF6\xC8\xCE\xCE\xF1";  // 请选择一个任务
const char kMissingOptionText[] = "\n";
const char kMissingNameText[] = " \n";
// 初始化说话语句格式出错
const char kSentenceFormatError[] =
    "\xB3\xF5\xCA\xBC\xBB\xAF\xCB\xB5\xBB\xB0\xD3\xEF\xBE\xE4\xB8\xF1\xCA\xBD\xB3\xF6\xB4\xED";
// 初始你任务日志条　数据格式不对
const char kTaskLogFormatError[] =
    "\xB3\xF5\xCA\xBC\xC4\xE3\xC8\xCE\xCE\xF1\xC8\xD5\xD6\xBE\xCC\xF5\xA1\xA1"
    "\xCA\xFD\xBE\xDD\xB8\xF1\xCA\xBD\xB2\xBB\xB6\xD4";

namespace {

const char kTaskWord[] = "\xC8\xCE\xCE\xF1";  // 任务
const char kFullWidthColon[] = "\xA3\xBA";    // ：

// Ten fixed slots of five bytes: 一 二 三 四 五 六 七 八 九 十.
const char kNumerals[10][5] = {
    "\xD2\xBB", "\xB6\xFE", "\xC8\xFD", "\xCB\xC4", "\xCE\xE5",
    "\xC1\xF9", "\xC6\xDF", "\xB0\xCB", "\xBE\xC5", "\xCA\xAE",
};

bool IsGbkLeadByte(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}

}  // namespace

std::array<uint8_t, kReplyKeySize> ReadReplyKey(std::span<const uint8_t> message)
{
    std::array<uint8_t, kReplyKeySize> key{};
    ByteReader(message).read_available(key);
    return key;
}

std::optional<TaskListRecord> ReadTaskList(std::span<const uint8_t> message)
{
    if (message.size() < kTaskListSize)
        return std::nullopt;
    ByteReader reader(message.first(kTaskListSize));
    TaskListRecord list{};
    list.nCount = reader.read_i32_le().value_or(0);
    for (int32_t& id : list.nTaskID)
        id = reader.read_i32_le().value_or(0);
    return list;
}

TaskTalkPageArea DecodePageArea(std::span<const uint8_t> areaBytes)
{
    // Missing bytes read as zero, exactly as if the area had been zeroed and
    // then overwritten with what the message holds.
    std::array<uint8_t, kPageAreaSize> raw{};
    ByteReader(areaBytes).read_available(raw);

    ByteReader r(raw);
    TaskTalkPageArea area{};
    area.m_nPageCount = r.read_i16_le().value_or(0);
    r.read_bytes(area.m_Spare);
    for (TaskTalkPage& page : area.m_Pages) {
        page.nTaskID = r.read_i32_le().value_or(0);
        page.nOptionCount = r.read_i32_le().value_or(0);
        for (TaskTalkOption& option : page.options) {
            option.nLink = r.read_i32_le().value_or(0);
            option.nResID = r.read_i32_le().value_or(0);
        }
    }
    return area;
}

std::optional<TextBlock> OpenTextBlock(std::span<const uint8_t> message, size_t blockStart)
{
    if (blockStart > message.size())
        return std::nullopt;
    ByteReader block(message.subspan(blockStart));
    const auto headerSize = block.read_i16_le();
    const auto indexSize = block.read_i16_le();
    const auto entryCount = block.read_i16_le();
    const auto textSize = block.read_i16_le();
    const auto kind = block.read_i16_le();
    if (!headerSize || !indexSize || !entryCount || !textSize || !kind)
        return std::nullopt;
    if (*headerSize != kBlockHeaderSize || *indexSize < 0 || *textSize < 0)
        return std::nullopt;

    const size_t headerBytes = static_cast<size_t>(*headerSize);
    const size_t indexBytes = static_cast<size_t>(*indexSize);
    const size_t textBytes = static_cast<size_t>(*textSize);
    if (block.size() != headerBytes + indexBytes + textBytes)
        return std::nullopt;
    std::optional<ByteReader> index = block.sub_reader(headerBytes, indexBytes);
    std::optional<ByteReader> text = block.sub_reader(headerBytes + indexBytes, textBytes);
    if (!index || !text)
        return std::nullopt;
    return TextBlock{{*headerSize, *indexSize, *entryCount, *textSize, *kind}, *index, *text};
}

size_t GbkFitLength(std::string_view text, size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    size_t end = 0;
    while (end < text.size()) {
        const bool pair = IsGbkLeadByte(static_cast<uint8_t>(text[end])) && end + 1 < text.size();
        const size_t width = pair ? 2 : 1;
        if (end + width > maxBytes)
            break;
        end += width;
    }
    return end;
}

std::string CutGbk(std::string text, size_t maxBytes)
{
    text.resize(GbkFitLength(text, maxBytes));
    return text;
}

std::string ComposePageText(const char* name, const char* desc)
{
    // '#' never occurs inside a GBK double-byte character (trail bytes start
    // at 0x40), so a byte scan is safe.
    std::string story;
    if (desc != nullptr) {
        for (const char* p = desc; *p != '\0'; ++p) {
            if (*p == '#')
                story += "\r\n";
            else
                story += *p;
        }
    }
    if (story.empty() || name == nullptr)
        return kChatText;
    std::string text = std::string(kTaskWord) + kFullWidthColon + name + " \r\n" + story;
    return CutGbk(std::move(text), kMaxPageTextBytes);
}

const char* MenuNumeral(int32_t position)
{
    if (position < 0 || position >= 10)
        return nullptr;
    return kNumerals[position];
}

std::string ComposeMenuLine(int32_t position, int32_t taskID, const char* name)
{
    if (taskID == 0)
        return kChatText;
    const char* numeral = MenuNumeral(position);
    std::string line = std::string(kTaskWord) + " " + (numeral != nullptr ? numeral : "") + ": " +
                       (name != nullptr ? name : kMissingNameText);
    return CutGbk(std::move(line), kMaxMenuLineBytes);
}

}  // namespace orvane
