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

}  // namespace demo_club
