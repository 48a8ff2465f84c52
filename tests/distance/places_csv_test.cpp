#include <gtest/gtest.h>

#include "distance/places_csv.h"

namespace distance {
namespace {

std::vector<std::string> Names(const PlacesFile& file) {
    std::vector<std::string> names;
    for (const Place& place : file.places) names.push_back(place.name);
    return names;
}

struct FileCase {
    const char* name;
    const char* contents;
    std::size_t second_row;  // the header being row 1, blank rows counted
};

class ReadPlacesFormsTest : public ::testing::TestWithParam<FileCase> {};

// The same two lofts as spreadsheets save them.
TEST_P(ReadPlacesFormsTest, ReadsEveryForm) {
    const PlacesFile file = ReadPlaces(GetParam().contents);
    ASSERT_TRUE(file.problems.empty()) << file.problems.front().message;
    EXPECT_EQ(Names(file), (std::vector<std::string>{"Smith, J & \"Son\"", "Lefèvre"}));
    ASSERT_EQ(file.places.size(), 2u);
    EXPECT_NEAR(file.places[0].position.latitude, 52.5, 1e-12);
    EXPECT_NEAR(file.places[1].position.longitude, -0.25, 1e-12);
    EXPECT_EQ(file.places[1].row, GetParam().second_row);
}

const FileCase kFileCases[] = {
    {"CommasLfSecondsMarkUnquoted",
     "name,latitude,longitude\n\"Smith, J & \"\"Son\"\"\",52°30'00\"N,1\nLefèvre,1,-0.25\n", 3},
    {"BomCrlf",
     "\xEF\xBB\xBFname,latitude,longitude\r\n\"Smith, J & \"\"Son\"\"\",52 30 N,1 E\r\n"
     "Lefèvre,1,0 15 W\r\n",
     3},
    {"SemicolonsDecimalCommas",
     "Name;Latitude;Longitude\r\n\"Smith, J & \"\"Son\"\"\";52,5;1\r\nLefèvre;1;-0,25", 3},
    {"ColumnsInAnyOrderBlankRowsKept",
     "longitude,NAME,latitude\n1,\"Smith, J & \"\"Son\"\"\",52.5\n,,\n-0.25,Lefèvre,1\n", 4},
};
INSTANTIATE_TEST_SUITE_P(Spreadsheets, ReadPlacesFormsTest, ::testing::ValuesIn(kFileCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ReadPlacesTest, ReportsEveryBadCellAndKeepsTheGoodRows) {
    const PlacesFile file =
        ReadPlaces("name,latitude,longitude\nGood,52,1\nBad,52 61 0 N,2 N\n,91,0\n\"Open,52,1\n");
    EXPECT_EQ(Names(file), std::vector<std::string>{"Good"});
    std::vector<std::pair<std::size_t, std::string>> cells;
    for (const CellProblem& problem : file.problems)
        cells.emplace_back(problem.row, problem.column);
    EXPECT_EQ(cells,
              (std::vector<std::pair<std::size_t, std::string>>{
                  {3, "latitude"}, {3, "longitude"}, {4, "name"}, {4, "latitude"}, {5, "name"}}));
    EXPECT_EQ(file.problems[0].message, "Minutes must be below 60 in the latitude \"52 61 0 N\".");
}

TEST(ReadPlacesTest, NamesTheMissingColumn) {
    EXPECT_EQ(ReadPlaces("name,lat,longitude\nA,52,1\n").problems,
              (std::vector<CellProblem>{{1, "header",
                                         "The first row has no column \"latitude\": it must name "
                                         "the columns name, latitude and longitude."}}));
    EXPECT_EQ(ReadPlaces("").problems.at(0).column, "header");
}

TEST(DistanceTableTest, LoftsOutermostQuotedWhereNeeded) {
    const std::vector<Place> lofts = {{"Loft, North", "", "", {52, 0}, 2},
                                      {"B", "", "", {51, 0}, 3}};
    const std::vector<Place> race_points = {{"X", "", "", {50, 0}, 2}, {"Y", "", "", {50, 1}, 3}};
    const std::string csv = DistanceCsv(DistanceTable(lofts, race_points));
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "loft,race point,miles,yards,kilometres,bearing\n"
              "\"Loft, North\",X,138,445,222.497,0.0\n");
    std::vector<std::string> order;
    for (const DistanceRow& row : DistanceTable(lofts, race_points)) {
        order.push_back(row.loft + "/" + row.race_point);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"Loft, North/X", "Loft, North/Y", "B/X", "B/Y"}));
}

}  // namespace
}  // namespace distance
