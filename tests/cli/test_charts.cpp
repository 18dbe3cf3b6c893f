// The two charts of orvelin watch, drawn from samples made here: the
// terminal frame (size, legend, where the lines fall, colour or dash
// patterns) and the SVG document as a real XML parser reads it.
#include "tests/cli/chart_checks.h"
#include "tests/cli/cli_fixture.h"
#include "cli/charts/svg_chart.h"
#include "cli/charts/terminal_chart.h"

#include <fstream>
#include <sstream>

namespace {

// M_POS falling by 0x20 a sample from 0x800, M_SPD steady at 0x8C.
ChartData falling(std::size_t samples, double interval = 0.05)
{
    ChartData data;
    data.series = {{"M_POS", 2, {}}, {"M_SPD", 2, {}}};
    for (std::size_t k = 0; k < samples; ++k) {
        data.times.push_back(interval * static_cast<double>(k));
        data.series[0].values.push_back(0x800 - 0x20 * static_cast<uint32_t>(k));
        data.series[1].values.push_back(0x8C);
    }
    return data;
}

// The plot rows: the lines with the y axis after the label column.
std::vector<std::string> plotRows(const std::vector<std::string>& lines)
{
    std::vector<std::string> rows;
    for (const std::string& line : lines)
        if (line.size() > 7 && (line[6] == '|' || line[6] == '+') && line.find("--") == std::string::npos)
            rows.push_back(line.substr(7));
    return rows;
}

TEST(TerminalChart, FitsEachSizeWithTheLinesWhereTheValuesAre)
{
    const ChartData data = falling(40);
    for (TerminalSize size : {TerminalSize{80, 24}, TerminalSize{100, 30}, TerminalSize{40, 12}}) {
        std::vector<std::string> lines = terminalChart(data, "watching", size, false);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(size.rows - 1)) << size.columns;
        for (const std::string& line : lines)
            EXPECT_LE(displayWidth(line), size.columns - 1) << line;
        EXPECT_EQ(lines[0], "watching");
        const std::string& legend = lines[1];
        EXPECT_NE(legend.find("M_POS 0x0320"), std::string::npos) << legend;
        EXPECT_NE(legend.find("M_SPD 0x008C"), std::string::npos) << legend;

        // The falling line starts in the top row at the left; the steady one
        // crosses the whole width in one row near the bottom.
        std::vector<std::string> rows = plotRows(lines);
        ASSERT_GE(rows.size(), 2u);
        EXPECT_GT(brailleCount(rows.front().substr(0, 9)), 0) << rows.front();
        EXPECT_EQ(rows.front().find_first_not_of(' ', 30), std::string::npos) << rows.front();
        bool steadyRow = false;
        for (const std::string& row : rows)
            steadyRow = steadyRow || brailleCount(row) == size.columns - 1 - 7;
        EXPECT_TRUE(steadyRow);
    }
}

TEST(TerminalChart, ColoursOrDashesAndWhatIsMissing)
{
    ChartData data = falling(20);
    std::string coloured;
    for (const std::string& line : terminalChart(data, "t", {80, 24}, true))
        coloured += line;
    EXPECT_NE(coloured.find("\x1b[36m"), std::string::npos);
    EXPECT_NE(coloured.find("\x1b[33m"), std::string::npos);
    EXPECT_NE(coloured.find("\x1b[0m"), std::string::npos);

    // Without colour the markers differ, and no escape is written.
    data.series[1].values.back().reset();
    std::vector<std::string> plain = terminalChart(data, "t", {80, 24}, false);
    std::string all;
    for (const std::string& line : plain)
        all += line;
    EXPECT_EQ(all.find('\x1b'), std::string::npos);
    const std::string& legend = plain[1];
    EXPECT_NE(legend.substr(0, legend.find(" M_POS")), legend.substr(legend.find("M_SPD") - 10, 9));
    EXPECT_NE(legend.find("M_SPD ----"), std::string::npos) << legend;

    std::vector<std::string> small = terminalChart(data, "t", {12, 5}, false);
    ASSERT_EQ(small.size(), 4u);
    EXPECT_FALSE(small[0].empty());
    EXPECT_LE(displayWidth(small[0]), 11);
}

TEST(TerminalChart, TimeStartsWithWatchingAndScrollsToTheNewestSamples)
{
    ChartData data = falling(100, 1.0);
    for (std::size_t k = 0; k < 100; ++k)
        data.series[0].values[k] = 0x10 * static_cast<uint32_t>(k);
    std::vector<std::string> lines = terminalChart(data, "t", {40, 12}, false);
    // 40 columns leave 32 plot cells, 64 dot columns: samples 0 to 35 are gone.
    const std::string& times = lines.back();
    ASSERT_NE(times.find_first_not_of(' '), std::string::npos);
    double first = std::stod(times.substr(times.find_first_not_of(' ')));
    EXPECT_GE(first, 36) << times;
    EXPECT_LE(first, 99) << times;

    // While the whole run fits, time starts with watching, before the first sample.
    ChartData shortRun = falling(20);
    for (double& time : shortRun.times)
        time += 0.004;
    const std::string start = terminalChart(shortRun, "t", {80, 24}, false).back();
    EXPECT_EQ(start.substr(start.find_first_not_of(' '), 5), "0.0 s") << start;
}

class SvgChartTest : public CliTest {};

TEST_F(SvgChartTest, WellFormedWithOnePolylinePerRegisterAndItsPoints)
{
    ChartData data = falling(30);
    std::string path = writeFile("chart.svg", svgChart(data, "M_POS <&> 'M_SPD'"));
    EXPECT_EQ(svgSummary(path), (std::vector<std::string>{"True M_POS <&> 'M_SPD'", "M_POS 30", "M_SPD 30"}));

    // A sample that did not come breaks its line; a long run keeps at most
    // four points per pixel column.
    data.series[0].values[10].reset();
    data.series[1].values[0].reset();
    path = writeFile("gaps.svg", svgChart(data, "gaps"));
    EXPECT_EQ(svgSummary(path), (std::vector<std::string>{"True gaps", "M_POS 10 19", "M_SPD 29"}));

    ChartData hours = falling(0);
    for (int k = 0; k < 20000; ++k) {
        hours.times.push_back(0.1 * k);
        hours.series[0].values.push_back(static_cast<uint32_t>(k % 700));
        hours.series[1].values.push_back(0x8C);
    }
    std::vector<std::string> summary = svgSummary(writeFile("hours.svg", svgChart(hours, "hours")));
    ASSERT_EQ(summary.size(), 3u);
    int points = std::stoi(summary[1].substr(6));
    EXPECT_GT(points, 846);
    EXPECT_LE(points, 4 * 848);
    EXPECT_EQ(summary[2], "M_SPD 1694") << "two points per column for a steady value";
}

}  // namespace
