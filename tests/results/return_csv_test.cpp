#include <gtest/gtest.h>

#include "results/return_csv.h"

namespace results {
namespace {

struct ReturnForm {
    const char* name;
    const char* contents;
};

// The same two lofts' three birds as spreadsheets save them; a loft's clock and distance given
// on its first row only, or again the same.
TEST(ReadReturnTest, ReadsEveryForm) {
    const ReturnForm forms[] = {
        {"CommasLf",
         "loft,ring,clocked,clock set,master set,clock check,master check,miles,yards\n"
         "\"Smith, J & \"\"Son\"\"\",A1,2026-05-09 11:42:17.25,2026-05-08 19:00:00,"
         "2026-05-08 19:00:00,2026-05-09 19:00:30,2026-05-09 19:00:00,92,1000\n"
         "Lefèvre,B1,09/05/2026 12:00:00,08/05/2026 19:00:00,08/05/2026 19:00:00,"
         "09/05/2026 19:00:00,09/05/2026 19:00:00,100,5\n"
         "\"Smith, J & \"\"Son\"\"\",A2,2026-05-09 11:50:00,,,,,,\n"},
        {"BomCrlfSemicolonsDecimalCommasColumnsInAnyOrder",
         "\xEF\xBB\xBFYards;Miles;Master Check;Clock Check;Master Set;Clock Set;Clocked;RING;"
         "Loft;notes\r\n"
         "1000;92;2026-05-09 19.00.00;2026-05-09 19.00.30;2026-05-08 19.00.00;"
         "2026-05-08 19.00.00;2026-05-09 11.42.17,25;A1;\"Smith, J & \"\"Son\"\"\";;\r\n"
         ";;;;;;;;;\r\n"
         "5;100;09/05/2026 190000;09/05/2026 190000;08/05/2026 190000;08/05/2026 190000;"
         "09/05/2026 120000;B1;Lefèvre;late\r\n"
         "1000;92;2026-05-09 19:00:00;2026-05-09 19:00:30;;;2026-05-09 11:50:00;A2;"
         "\"Smith, J & \"\"Son\"\"\";\r\n"},
    };
    for (const ReturnForm& form : forms) {
        SCOPED_TRACE(form.name);
        const ReturnFile file = ReadReturn(form.contents);
        ASSERT_EQ(file.problems, std::vector<ReturnCellProblem>{});
        ASSERT_EQ(file.lofts.size(), 2u);
        EXPECT_EQ(file.lofts[0].name, "Smith, J & \"Son\"");
        EXPECT_EQ(file.lofts[1].name, "Lefèvre");
        EXPECT_EQ(file.lofts[1].distance, (distance::MilesYards{100, 5}));
        ASSERT_EQ(file.clockings.size(), 3u);
        EXPECT_EQ(file.clockings[2].loft_id, file.lofts[0].loft_id);
        EXPECT_EQ(file.clockings[2].ring, "A2");
        EXPECT_EQ(ReadDateTime(file.clockings[0].clocked, Seconds::Required).value.time.fraction,
                  "25");
        EXPECT_EQ(ReadDateTime(file.clocks[0].clock_check, Seconds::Required).value,
                  (DateTime{{2026, 5, 9}, {19, 0, 30, ""}}));
        EXPECT_FALSE(file.distances_from_positions);
    }
}

TEST(ReadReturnTest, PositionsForDistances) {
    const ReturnFile file = ReadReturn(
        "loft;ring;clocked;clock set;master set;clock check;master check;latitude;longitude\n"
        "A;1;2026-05-09 11:00:00;2026-05-08 19:00:00;2026-05-08 19:00:00;2026-05-09 19:00:00;"
        "2026-05-09 19:00:00;52,5;-1,25\n");
    ASSERT_EQ(file.problems, std::vector<ReturnCellProblem>{});
    EXPECT_TRUE(file.distances_from_positions);
    EXPECT_EQ(file.lofts.at(0).latitude, "52,5");
}

// Every bad cell with its row, its column and its own code; only the rows that read are taken.
TEST(ReadReturnTest, ReportsEveryBadCell) {
    const ReturnFile file = ReadReturn(
        "loft,ring,clocked,clock set,master set,clock check,master check,miles,yards\n"
        "A,1,2026-05-09 11:00:00,2026-05-08 19:00:00,2026-05-08 19:00:00,2026-05-09 19:00:00,"
        "2026-05-09 19:00:00,92,10\n"
        "A,2,2026-05-09 11:00,,2026-05-08 19:00:01,,,92,11\n"
        "B,,2026-05-09 11:00:00,,2026-05-08 19:00:00,31/02/2026 19:00:00,2026-05-09 19:00:00,"
        "9.5,\n");
    using R = ReturnProblem;
    std::vector<std::tuple<std::size_t, std::string, ReturnProblem>> cells;
    for (const ReturnCellProblem& p : file.problems) cells.emplace_back(p.row, p.column, p.problem);
    EXPECT_EQ(cells, (decltype(cells){{3, "clocked", R::BadDateTime},
                                      {3, "master set", R::DiffersFromLoftsFirst},
                                      {3, "yards", R::DiffersFromLoftsFirst},
                                      {4, "ring", R::EmptyCell},
                                      {4, "clock set", R::EmptyCell},
                                      {4, "clock check", R::BadDateTime},
                                      {4, "miles", R::NotWholeNumber},
                                      {4, "yards", R::EmptyCell}}));
    EXPECT_EQ(file.problems[0].date_time, DateTimeProblem::NoSeconds);
    EXPECT_EQ(file.problems[1].first_row, 2u);
    EXPECT_EQ(file.problems[5].date_time, DateTimeProblem::NoSuchDay);
    EXPECT_EQ(file.clocking_rows, std::vector<std::size_t>{2});
}

TEST(ReadReturnTest, HeaderProblems) {
    using R = ReturnProblem;
    const auto problems = [](const char* contents) {
        std::vector<std::pair<std::string, ReturnProblem>> found;
        for (const ReturnCellProblem& p : ReadReturn(contents).problems) {
            found.emplace_back(p.column, p.problem);
        }
        return found;
    };
    using Found = std::vector<std::pair<std::string, ReturnProblem>>;
    EXPECT_EQ(problems(""), (Found{{"header", R::EmptyFile}}));
    EXPECT_EQ(problems("loft,ring,clocked,clock set,master set,clock check,miles\n"),
              (Found{{"master check", R::MissingColumn}, {"yards", R::MissingColumn}}));
    EXPECT_EQ(problems("loft,ring,clocked,clock set,master set,clock check,master check,miles,"
                       "yards,latitude,longitude\n"),
              (Found{{"header", R::TwoDistanceForms}}));
    EXPECT_EQ(problems("loft,ring,clocked,clock set,master set,clock check,master check\n"),
              (Found{{"header", R::NoDistanceColumns}}));
}

}  // namespace
}  // namespace results
