// Where rows end: Latin text at spaces, ideographs anywhere, but no row
// starting with closing punctuation or ending with opening punctuation,
// across a link's edge too; and a text box breaks its rows the same way.
#include <map>
#include <string>
#include <vector>

#include "PanelkitTestSupport.h"
#include "panelkit/Views.h"

namespace {

// GBK characters, 12 px wide in the 12-pixel font.
#define QING "\xC7\xE0"     /* 青 */
#define LAN "\xE1\xB0"      /* 岚 */
#define ZHEN "\xD5\xF2"     /* 镇 */
#define DE "\xB5\xC4"       /* 的 */
#define QIN "\xC7\xD8"      /* 秦 */
#define BO "\xB2\xAE"       /* 伯 */
#define SHUO "\xCB\xB5"     /* 说 */
#define NI "\xC4\xE3"       /* 你 */
#define HAO "\xBA\xC3"      /* 好 */
#define SHI "\xCA\xC7"      /* 是 */
#define QU "\xC8\xA5"       /* 去 */
#define SHANG "\xC9\xCC"    /* 商 */
#define DIAN "\xB5\xEA"     /* 店 */
#define WU "\xCE\xED"       /* 雾 */
#define LING "\xC1\xE9"     /* 灵 */
#define LENG "\xC0\xE4"     /* 冷 */
#define COMMA "\xA3\xAC"    /* ， */
#define STOP "\xA1\xA3"     /* 。 */
#define COLON "\xA3\xBA"    /* ： */
#define ELLIPSIS "\xA1\xAD" /* … */
#define OPENQ "\xA1\xB8"    /* 「 */
#define CLOSEQ "\xA1\xB9"   /* 」 */

std::vector<std::string> Rows(const XTalkLine& line)
{
    std::map<int32_t, std::string> byTop;
    for (const XTalkPiece& piece : line.pieces)
        byTop[piece.rect.top] += line.PieceText(piece);
    std::vector<std::string> rows;
    for (const auto& [top, text] : byTop)
        rows.push_back(text);
    return rows;
}

TEST(LineBreaking, RowsEndWhereTheCommonRulesAllow)
{
    struct Case {
        const char* name;
        int32_t width;  // Latin letters are 6 px, ideographs 12 px
        const char* markup;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"Latin wraps at spaces", 60, "the old guard waits", {"the old ", "guard ", "waits"}},
        {"a space at the edge hangs", 36, "Hello, world!", {"Hello, ", "world!"}},
        {"an over-long word still breaks", 30, "abcdefghijkl", {"abcde", "fghij", "kl"}},
        {"a word after a long one", 30, "ab cdefghijklmn", {"ab ", "cdefg", "hijkl", "mn"}},
        {"after a hyphen", 36, "well-known", {"well-", "known"}},
        {"ideographs break anywhere", 36, QING LAN ZHEN DE QIN, {QING LAN ZHEN, DE QIN}},
        {"a comma takes its character along",
         60,
         QING LAN ZHEN DE QIN BO COMMA NI HAO,
         {QING LAN ZHEN DE QIN, BO COMMA NI HAO}},
        {"no lone full stop", 60, QING LAN ZHEN DE QIN STOP, {QING LAN ZHEN DE, QIN STOP}},
        {"an opening quote goes down with its text",
         36,
         QIN BO SHUO OPENQ NI HAO CLOSEQ,
         {QIN BO SHUO, OPENQ NI, HAO CLOSEQ}},
        {"an opening quote never ends a row",
         36,
         QIN BO OPENQ NI HAO CLOSEQ,
         {QIN BO, OPENQ NI, HAO CLOSEQ}},
        {"an ellipsis and a colon keep to their word",
         48,
         WU LING COLON ELLIPSIS ELLIPSIS HAO LENG,
         {WU, LING COLON ELLIPSIS ELLIPSIS, HAO LENG}},
        {"Latin inside Chinese", 36, QU "NPC" SHANG DIAN, {QU "NPC", SHANG DIAN}},
        {"across a link's edge", 24, "<link url=\"1\">" SHI DE "</link>" STOP, {SHI, DE STOP}},
        {"a long word keeps its comma", 30, "abcdefghij,", {"abcde", "fghi", "j,"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XItemContainer items(nullptr);
        RECT rc = Rect(0, 0, 200, 100);
        items.SetWindowPos(rc);
        items.SetAutoWrap(1);
        items.SetMaxWidth(c.width);
        items.AddLine(c.markup);
        const std::optional<XTalkLine> line = panelkit::LineOf(&items, 0);
        ASSERT_TRUE(line.has_value());
        EXPECT_EQ(Rows(*line), c.rows);
        for (const XTalkPiece& piece : line->pieces)
            EXPECT_LE(piece.rect.right, c.width) << line->PieceText(piece);
    }
}

TEST(LineBreaking, ATextBoxBreaksItsRowsAlike)
{
    // The task panel's last line once ended with a lone full stop.
    XEdit edit(nullptr);
    RECT rc{0, 0, 60, 64};
    edit.SetWindowPos(rc);
    edit.SetWindowTextA(QIN BO "\r\n" QING LAN ZHEN DE QIN STOP);
    XRecordingCanvas canvas;
    edit.OnDraw(&canvas, rc);
    std::vector<std::string> rows;
    for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
        rows.push_back(item.text);
    EXPECT_EQ(rows, (std::vector<std::string>{QIN BO, QING LAN ZHEN DE, QIN STOP}));
}

}  // namespace
