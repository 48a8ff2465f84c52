#include <gtest/gtest.h>

#include "results/result_writers.h"
#include "results/two_cores.h"

namespace results {
namespace {

// On the decimal text, half away from zero: binary doubles would round 1234.5675 down.
TEST(RoundDecimalsTest, HalfAwayFromZeroOnTheDigits) {
    const struct {
        const char* text;
        int decimals;
        const char* shown;
    } cases[] = {
        {"1234.5675", 3, "1234.568"},
        {"1234.5674999", 3, "1234.567"},
        {"610.334845606411", 4, "610.3348"},
        {"999.9995", 3, "1000.000"},
        {"880", 3, "880.000"},
        {"-0.0004", 3, "0.000"},
        {"-2.5", 0, "-3"},
        {"1.5e-05", 4, "0.0000"},
        {"1.25e+15", 1, "1250000000000000.0"},
        {"0.05", 1, "0.1"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(RoundDecimals(row.text, row.decimals), row.shown) << row.text;
    }
}

Result TwoBirds() {
    Result result;
    result.race = {"Ham <Open> & \"Young\"", "2026-05-09 07:00", Darkness{"22:00", "05:00"}, {}};
    ResultRow ranked;
    ranked.position = 1;
    ranked.loft = "O'Neil, <b>&</b>";
    ranked.ring = "GB26\"1";
    ranked.distance = distance::MilesYards{92, 1000};
    ranked.clocked = "2026-05-09 11:42:17.25";
    ranked.figures = {"20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"};
    ranked.velocity = 610.334845606411;
    ResultRow unplaced = ranked;
    unplaced.position.reset();
    unplaced.ring = "GB26-2";
    unplaced.figures = {};
    unplaced.fault = BirdFault{BirdProblem::ClockedBeforeLiberation, {}, {}, {}};
    result.rows = {ranked, unplaced};
    return result;
}

TEST(ResultCsvTest, FullFiguresProblemBirdsWithoutThem) {
    const std::string csv = ResultCsv(TwoBirds(), {});
    const std::string ranked =
        "1,\"O'Neil, <b>&</b>\",\"GB26\"\"1\",92,1000,2026-05-09 11:42:17.25,20.8736549809094,4,"
        "26,56.1263450190909,610.334845606411,\n";
    const std::string unplaced =
        ",\"O'Neil, <b>&</b>\",GB26-2,92,1000,2026-05-09 11:42:17.25,,,,,,Clocked before "
        "liberation.\n";
    EXPECT_EQ(csv,
              "position,loft,ring,miles,yards,clocked,variation,hours,minutes,seconds,"
              "velocity,problem\n" +
                  ranked + unplaced);
    ResultOptions metres;
    metres.unit = VelocityUnit::MetresPerMinute;
    EXPECT_NE(ResultCsv(TwoBirds(), metres).find(",558.090182822502,"), std::string::npos);
}

// A long result is written a half on each core: every row once, in its place.
TEST(ResultCsvTest, ALongResultIsItsRowsWrittenOneByOne) {
    Result result = TwoBirds();
    const std::vector<ResultRow> pair = result.rows;
    result.rows.clear();
    std::string expected;
    for (std::size_t i = 0; result.rows.size() < kLongList + 1; ++i) {
        Result one = TwoBirds();
        one.rows = {pair[i % 2]};
        one.rows[0].ring = std::to_string(i);
        const std::string line = ResultCsv(one, {});
        expected += line.substr(line.find('\n') + 1);
        result.rows.push_back(one.rows[0]);
    }
    const std::string csv = ResultCsv(result, {});
    EXPECT_EQ(csv.substr(csv.find('\n') + 1), expected);
}

TEST(ResultHtmlTest, EveryTextEscapedHeadingsRepeatedOnEachPage) {
    ResultOptions options;
    options.decimals = 4;
    const std::string html = ResultHtml(TwoBirds(), options);
    EXPECT_NE(html.find("<td>O&#39;Neil, &lt;b&gt;&amp;&lt;/b&gt;</td>"), std::string::npos);
    EXPECT_NE(html.find("<h1>Ham &lt;Open&gt; &amp; &quot;Young&quot;</h1>"), std::string::npos);
    EXPECT_NE(html.find("GB26&quot;1"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find(">610.3348<"), std::string::npos);
    EXPECT_NE(html.find("<thead>\n<tr><th scope=\"col\">"), std::string::npos);
    EXPECT_NE(html.find("name=\"viewport\""), std::string::npos);
}

}  // namespace
}  // namespace results
