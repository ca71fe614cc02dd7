// Every text a player reads stands out from what it is drawn on: in each
// documented picture, each colour a window draws text in reaches 4.5 : 1
// against the median of that window's background (the picture without its
// texts), by the contrast ratio of the usual web accessibility guidelines;
// and every window shown is on the desktop.
// The pictures are played in this process from the scenarios that make
// them; where one is written, it is measured instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "panelkit/Views.h"
#include "testkit/ModuleActions.h"
#include "tools/hostlib/DesktopPicture.h"
#include "tools/hostlib/Session.h"
#include "tools/hostlib/Transcript.h"
#include "ui/Panelkit.h"

namespace orvane::test {
namespace {

using hostprog::Pixels;
using hostprog::Rgb;

constexpr double kMinimumRatio = 4.5;

class Quiet : public hostprog::Transcript {
public:
    void Begin(const hostprog::RunInfo&) override {}
    void Blank() override {}
    void Comment(const std::string&) override {}
    void OpStart(const hostprog::Op&) override {}
    void Emit(const hostprog::Event&) override {}
    void Aside(const std::string&) override {}
    void Error(int, const std::string&) override {}
    void Flush() override {}
};

double Channel(uint8_t v)
{
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c)
{
    return 0.2126 * Channel(c.r) + 0.7152 * Channel(c.g) + 0.0722 * Channel(c.b);
}

double Ratio(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The median luminance of the picture inside the rectangle.
double MedianLuminance(const Pixels& px, const RECT& rc)
{
    std::vector<double> values;
    for (int32_t y = std::max<int32_t>(rc.top, 0); y < std::min<int32_t>(rc.bottom, px.height); ++y)
        for (int32_t x = std::max<int32_t>(rc.left, 0); x < std::min<int32_t>(rc.right, px.width);
             ++x) {
            const uint8_t* p = &px.rgba[(static_cast<size_t>(y) * px.width + x) * 4];
            values.push_back(Luminance(Rgb{p[0], p[1], p[2]}));
        }
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

struct Measured {
    std::string where;
    WPixel colour;
    double ratio;
};

// Each visible window of the module's top-level windows, and the colours of
// the texts it draws itself (not its children's).
void Measure(XWindow* wnd, const Pixels& background, const std::string& where,
             std::vector<Measured>& out)
{
    if (!wnd->IsVisible())
        return;
    XRecordingCanvas canvas;
    RECT rc{};
    wnd->GetWindowRect(rc);
    wnd->OnDraw(&canvas, rc);
    std::map<WPixel, bool> colours;
    for (const panelkit::DrawnItem& item : panelkit::DrawnItems(canvas))
        if (item.isText && !item.text.empty())
            colours[item.color] = true;
    if (!colours.empty()) {
        const double median = MedianLuminance(background, rc);
        for (const auto& [colour, unused] : colours)
            out.push_back({where + " " + wnd->GetClassName(), colour,
                           Ratio(Luminance(hostprog::FromWPixel(colour)), median)});
    }
    for (int32_t i = 0; i < wnd->GetChildCount(); ++i)
        Measure(wnd->GetChild(i), background, where, out);
}

std::vector<Measured> MeasureDesktop(const std::string& picture)
{
    const Pixels background = hostprog::DrawDesktop(false, hostprog::TextLayer::LeftOut);
    std::vector<Measured> out;
    for (XWindow* wnd : panelkit::TopLevelWindows())
        Measure(wnd, background, picture + " window " + std::to_string(wnd->GetID()), out);
    return out;
}

TEST(Contrast, EveryTextColourOfThePicturesReadsOnItsBackground)
{
    // The documented pictures, and a selection menu a game client fills.
    const char* scenarios[] = {"docs/pictures/pictures.jsonl", "sample/scenarios/quest-offer.jsonl",
                               "tests/pictures/selection-menu.jsonl"};
    std::map<std::string, bool> kinds;  // the windows measured, by kind
    for (const char* name : scenarios) {
        SCOPED_TRACE(name);
        fuzz::ResetModule();
        fuzz::GameFolder folder{ORVANE_SAMPLE_DIR};
        Quiet quiet;
        hostprog::Session session(quiet, folder.String(), folder.String());
        std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/" + name, std::ios::binary);
        ASSERT_TRUE(in);
        std::string line;
        int number = 0;
        int pictures = 0;
        while (std::getline(in, line)) {
            const hostprog::LineResult read = hostprog::ReadScenarioLine(line, ++number);
            ASSERT_NE(read.kind, hostprog::LineResult::Kind::Error) << read.text;
            if (read.kind != hostprog::LineResult::Kind::Op)
                continue;
            if (read.op.kind != hostprog::OpKind::Snapshot) {
                session.Run(read.op);
                continue;
            }
            ++pictures;
            // Every window shown lies on the 800 x 600 desktop: the task panel
            // above a talk window of ten answers too.
            for (XWindow* wnd : panelkit::TopLevelWindows()) {
                RECT rc{};
                wnd->GetWindowRect(rc);
                if (!wnd->IsVisible())
                    continue;
                EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= 800 && rc.bottom <= 600)
                    << read.op.path << " window " << wnd->GetID() << " at (" << rc.left << ","
                    << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
            }
            for (const Measured& m : MeasureDesktop(read.op.path)) {
                kinds[m.where.substr(m.where.find(" window ") + 1)] = true;
                char colour[8];
                const Rgb rgb = hostprog::FromWPixel(m.colour);
                std::snprintf(colour, sizeof colour, "#%02x%02x%02x", rgb.r, rgb.g, rgb.b);
                std::cout << m.where << ": " << colour << " at " << std::round(m.ratio * 10) / 10
                          << " : 1\n";
                EXPECT_GE(m.ratio, kMinimumRatio) << m.where << " " << colour;
            }
        }
        EXPECT_GT(pictures, 0);
        fuzz::ResetModule();
    }
    // The talk window, the task panel, the task menu's window, a selection
    // menu and the task log were all measured.
    for (const char* kind :
         {"window 163 itemcontainer", "window 215 edit", "window 174 itemcontainer",
          "window 172 mainwnd", "window 172 itemcontainer", "window 172 button"})
        EXPECT_TRUE(kinds.count(kind) != 0) << kind;
}

}  // namespace
}  // namespace orvane::test
