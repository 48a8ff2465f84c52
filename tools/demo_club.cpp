#include "tools/demo_club.h"

#include <vector>

#include "club/club_file.h"

namespace demo_club {

std::string Write(const std::filesystem::path& path) {
    // Typed as secretaries type them: degrees, minutes and seconds with spaces, a decimal
    // position copied from a map, one member with an old-bird and a young-bird loft. Mr Hadley's
    // latitude has 63 minutes, the slip a window must show.
    std::vector<club::Loft> lofts{
        {0, "A. Whitehouse", "", "52 35 31 N", "2 10 44 W"},
        {0, "B. & J. Partridge", "", "52 36 02.4 N", "2 09 12.6 W"},
        {0, "C. Darby", "Old birds", "52 34 48 N", "2 11 50 W"},
        {0, "C. Darby", "Young birds", "52 34 51 N", "2 11 43 W"},
        {0, "D. Hadley", "", "52 63 05 N", "2 08 21 W"},
        {0, "E. Bissell & Son", "", "52.6012", "-2.1589"},
        {0, "F. Tonks", "", "52 37 40 N", "2 12 09 W"},
        {0, "G. Worrall", "", "52 33 15 N", "2 06 58 W"},
        {0, "H. Cartwright", "", "52 38 22 N", "2 14 30 W"},
        {0, "I. Onions", "", "52 32 44.8 N", "2 13 01.2 W"},
        {0, "K. Jevons & Daughter", "", "52 36 55 N", "2 07 36 W"},
        {0, "L. Shingler", "", "52 39 10 N", "2 10 05 W"},
    };
    std::vector<club::RacePoint> race_points{
        {0, "Cheltenham", "51 53 56 N", "2 04 42 W"}, {0, "Newbury", "51 24 04 N", "1 19 23 W"},
        {0, "Weymouth", "50 36 29 N", "2 27 18 W"},   {0, "Guernsey", "49 27 19 N", "2 32 09 W"},
        {0, "Carentan", "49 18 14 N", "1 14 52 W"},   {0, "Fougères", "48 21 07 N", "1 12 16 W"},
        {0, "Poitiers", "46 34 50 N", "0 20 26 E"},   {0, "Agen", "44 12 11 N", "0 37 00 E"},
    };
    club::Opening made = club::ClubFile::Create(path);
    if (!made.file) return club::ProblemMessage(*made.problem);
    if (club::WriteProblem problem = made.file->Insert(lofts))
        return club::ProblemMessage(*problem);
    if (club::WriteProblem problem = made.file->Insert(race_points)) {
        return club::ProblemMessage(*problem);
    }
    return {};
}

std::string WriteSeason(const std::filesystem::path& path, int lofts, int races, int birds) {
    club::Opening made = club::ClubFile::Create(path);
    if (!made.file) return club::ProblemMessage(*made.problem);
    club::ClubFile& file = *made.file;
    std::vector<club::Loft> members;
    for (int number = 0; number < lofts; ++number) {
        members.push_back(
            {0, "Member " + std::to_string(number), "",
             "52 " + std::to_string(20 + number % 30) + " " + std::to_string(number % 60) + " N",
             "2 " + std::to_string(number % 50) + " 10 W"});
    }
    std::vector<club::RacePoint> race_points{{0, "Cheltenham", "51 53 56 N", "2 04 42 W"},
                                             {0, "Weymouth", "50 36 29 N", "2 27 18 W"}};
    if (auto problem = file.Insert(members)) return club::ProblemMessage(*problem);
    if (auto problem = file.Insert(race_points)) return club::ProblemMessage(*problem);
    for (int race = 0; race < races; ++race) {
        std::vector<club::Race> one{{0, race_points[static_cast<std::size_t>(race % 2)].id,
                                     "Race " + std::to_string(race + 1), "2026-05-09 07:15",
                                     "21:00", "05:00"}};
        if (auto problem = file.Insert(one)) return club::ProblemMessage(*problem);
        std::vector<club::Clock> clocks;
        for (const club::Loft& loft : members) {
            clocks.push_back({0, one[0].id, loft.id, "2026-05-08 19:00:00", "2026-05-08 19:00:00",
                              "2026-05-09 19:00:30", "2026-05-09 19:00:00"});
        }
        std::vector<club::Clocking> clockings;
        for (int bird = 0; bird < birds; ++bird) {
            const club::Loft& loft = members[static_cast<std::size_t>(bird % lofts)];
            clockings.push_back({0, one[0].id, loft.id, "GB26N" + std::to_string(10000 + bird),
                                 "2026-05-09 10:" + std::to_string(10 + bird % 50) + ":17"});
        }
        if (auto problem = file.Insert(clocks)) return club::ProblemMessage(*problem);
        if (auto problem = file.Insert(clockings)) return club::ProblemMessage(*problem);
    }
    return {};
}

}  // namespace demo_club
