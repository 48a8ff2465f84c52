#include "results/result_messages.h"

namespace results {

std::string DateTimeMessage(DateTimeProblem problem) {
    switch (problem) {
        case DateTimeProblem::Empty:
            return "Nothing is there: a date and time such as 2026-05-09 14:01:00 is needed.";
        case DateTimeProblem::Letter:
            return "A letter is there where figures belong.";
        case DateTimeProblem::Malformed:
            return "It is not a date and time as written 2026-05-09 14:01:00 or 09/05/2026 "
                   "14:01:00.";
        case DateTimeProblem::NoDate:
            return "The date is missing: write it before the time, as 2026-05-09 14:01:00.";
        case DateTimeProblem::NoTime:
            return "The time of day is missing after the date.";
        case DateTimeProblem::NoSeconds:
            return "The seconds are missing: a clock reading gives hours, minutes and seconds.";
        case DateTimeProblem::SecondsGiven:
            return "Seconds are given: hours of darkness begin and end on the minute, as 22:00.";
        case DateTimeProblem::NoSuchMonth:
            return "There is no such month: months run from 1 to 12 (dates are day first, "
                   "09/05/2026, or year first, 2026-05-09).";
        case DateTimeProblem::NoSuchDay:
            return "There is no such day in that month.";
        case DateTimeProblem::HourOf24:
            return "The hour must be below 24.";
        case DateTimeProblem::MinuteOf60:
            return "The minutes must be below 60.";
        case DateTimeProblem::SecondOf60:
            return "The seconds must be below 60.";
    }
    return "It does not read as a date and time.";
}

std::string ReadingLabel(ReadingName reading) {
    switch (reading) {
        case ReadingName::Liberation:
            return "liberation";
        case ReadingName::DarknessEvening:
            return "darkness from";
        case ReadingName::DarknessMorning:
            return "darkness to";
        case ReadingName::ClockSet:
            return "clock set";
        case ReadingName::MasterSet:
            return "master set";
        case ReadingName::ClockCheck:
            return "clock check";
        case ReadingName::MasterCheck:
            return "master check";
        case ReadingName::Clocked:
            return "clocked";
    }
    return "reading";
}

std::string BirdFaultMessage(const BirdFault& fault) {
    switch (fault.problem) {
        case BirdProblem::UnreadableReading:
            return "The " + ReadingLabel(fault.reading.value_or(ReadingName::Clocked)) +
                   " reading does not read. " +
                   DateTimeMessage(fault.reading_fault.value_or(DateTimeProblem::Malformed));
        case BirdProblem::UnknownLoft:
            return "Clocked to a loft that is not listed.";
        case BirdProblem::NoClock:
            return "The loft's clock readings are missing.";
        case BirdProblem::NoDistance:
            return "The loft has no distance: none is given and its position does not read.";
        case BirdProblem::ClockedBeforeLiberation:
            return "Clocked before liberation.";
        case BirdProblem::ClockedBeforeClockSet:
            return "Clocked before the clock was set.";
        case BirdProblem::ClockedAfterCheck:
            return "Clocked after the clock was struck.";
        case BirdProblem::CheckedBeforeSet:
            return "The clock was struck before it was set.";
        case BirdProblem::SetAfterLiberation:
            return "The clock was set after liberation.";
        case BirdProblem::OvernightWithoutDarkness:
            return "Out overnight in a race with no hours of darkness.";
        case BirdProblem::RingClockedAgain:
            return "The ring was clocked earlier in the race; the first clocking counts.";
        case BirdProblem::ClockDidNotRun:
            return "The clock was struck at the reading it was set to, so its variation cannot "
                   "be worked out.";
        case BirdProblem::NoFlyingTime:
            return "The flying time comes to nothing.";
        case BirdProblem::CalculationFailed:
            break;
    }
    return "The figures are too large to work out.";
}

std::string ReturnCellMessage(const ReturnCellProblem& problem) {
    switch (problem.problem) {
        case ReturnProblem::EmptyFile:
            return "The file is empty: its first row must name the columns loft, ring, clocked, "
                   "clock set, master set, clock check, master check, and miles and yards or "
                   "latitude and longitude.";
        case ReturnProblem::MissingColumn:
            return "The first row has no column \"" + problem.column + "\".";
        case ReturnProblem::TwoDistanceForms:
            return "The first row names both miles and yards and latitude and longitude: give "
                   "the distances one way only.";
        case ReturnProblem::NoDistanceColumns:
            return "The first row names neither miles and yards nor latitude and longitude.";
        case ReturnProblem::UnclosedQuote:
            return "A quotation mark opens a field here and none closes it before the end of "
                   "the file.";
        case ReturnProblem::EmptyCell:
            return "It is empty.";
        case ReturnProblem::BadDateTime:
            return DateTimeMessage(problem.date_time.value_or(DateTimeProblem::Malformed));
        case ReturnProblem::BadCoordinate:
            if (problem.coordinate) return distance::CoordinateMessage(*problem.coordinate);
            return "The position does not read.";
        case ReturnProblem::NotWholeNumber:
            return "It must be a whole number, 0 or more.";
        case ReturnProblem::DiffersFromLoftsFirst:
            return "It differs from the loft's " + problem.column + " on row " +
                   std::to_string(problem.first_row) + ".";
    }
    return "It does not read.";
}

}  // namespace results
