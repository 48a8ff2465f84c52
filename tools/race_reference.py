#!/usr/bin/env python3
"""An independent reference of the race computation, and the table of races it writes.

The calculator's results depend on the exact order of its double-precision operations and on
where its intermediate values pass through the 15-digit texts of its fields. This reference works
every race out again from the club's rules, in Python alone (its floats are IEEE doubles, and
every rounding to text is done here with exact decimals), so that the C++ core can be held to it
digit for digit.

    tools/race_reference.py --write tests/core/data/races.tsv    # the committed table again
    tools/race_reference.py --check tests/core/data/races.tsv    # is the committed table current?
    tools/race_reference.py --seed 7 --count 100000 --write /tmp/more.tsv

The table is plain text, one race a line, columns separated by tabs; a backslash escapes a tab
(\\t), a line feed (\\n) and itself (\\\\) inside a text. The first line names the columns:
name, separator, the 26 entry fields, then the outcome: "ok" followed by the five result texts,
or the kind of failure followed by the field at fault (empty when none) and the message.

Some rows are aimed at faults that once slipped through: the generator works out each such race
with the fault put in on purpose, and keeps races whose texts the fault changes.
"""

import argparse
import decimal
import math
import random
import re
import sys

SECONDS_PER_DAY = 86400.0
YARDS_PER_MILE = 1760.0
INT32_MIN = -(2**31)
INT32_MAX = 2**31 - 1

# The 26 entry fields in the calculator's Tab order, with the row and unit a club member knows
# them by.
FIELDS = [
    ("Midnight", "Set to Opening", "midnights"),
    ("midnight2", "Lib to Opening", "midnights"),
    ("HODhr", "Darkness from", "hours"),
    ("HODmin", "Darkness from", "minutes"),
    ("HOLhr", "Darkness to", "hours"),
    ("HOLmin", "Darkness to", "minutes"),
    ("miles", "Distance", "miles"),
    ("yards", "Distance", "yards"),
    ("MTSetHr", "Master Set", "hours"),
    ("MTSetMin", "Master Set", "minutes"),
    ("MTSetSec", "Master Set", "seconds"),
    ("MTRakeHr", "Master Check", "hours"),
    ("MTRakeMin", "Master Check", "minutes"),
    ("MTRakeSec", "Master Check", "seconds"),
    ("CsHr", "Clock Set", "hours"),
    ("CsMin", "Clock Set", "minutes"),
    ("CsSec", "Clock Set", "seconds"),
    ("CrHr", "Clock Check", "hours"),
    ("CrMin", "Clock Check", "minutes"),
    ("CrSec", "Clock Check", "seconds"),
    ("birdlibhrs", "Liberation", "hours"),
    ("birdlibmins", "Liberation", "minutes"),
    ("birdlibsecs", "Liberation", "seconds"),
    ("birdclockhrs", "Bird Clocked", "hours"),
    ("birdclockmins", "Bird Clocked", "minutes"),
    ("birdclocksecs", "Bird Clocked", "seconds"),
]
FIELD_NAMES = [name for name, _, _ in FIELDS]
FIELD_WORDS = {name: f"{row}, {unit}: " for name, row, unit in FIELDS}
RESULT_NAMES = ["variation", "FTHrs", "FTMins", "FTSecs", "velocity"]

TOO_LARGE = "The entries are too large: the calculation goes beyond the range of numbers it can hold."
CANNOT_SPLIT = "The time is too large to split into hours, minutes and seconds."
CANNOT_SHOW = "The result is beyond the range of numbers that can be shown."
HOURS_RUN_ZERO = (
    "The Clock Check reading is the same as the Clock Set reading, so the clock's gain or loss "
    "cannot be shared out. Please check the Clock Check time and the midnights from Set to Opening."
)
FLYING_ZERO = (
    "The actual flying time comes to 0 seconds, so no velocity can be worked out. Please check "
    "the Liberation and Bird Clocked times."
)

# Deliberate faults the generator aims rows at (see FaultyRules and compute_race).
FAULTS = [
    "hours-run-one-division",
    "hours-to-clocking-two-divisions",
    "variation-as-worked-out",
    "clock-minutes-and-seconds-first",
    "clock-days-and-hours-first",
    "halves-away-from-zero",
    "darkness-edge-inclusive",
    "sixteen-digits",
    "seconds-from-unrounded-minutes",
]


class Failure(Exception):
    """A race with no result: its kind, the field at fault ("" when none) and the message."""

    def __init__(self, kind, field, message):
        super().__init__(message)
        self.kind, self.field, self.message = kind, field, message


class Rules:
    """The text and number rules, with the locale's decimal separator."""

    def __init__(self, separator, faults=frozenset()):
        self.separator = separator
        self.faults = faults
        self.shape = re.compile(
            r"([+-]?)([0-9]*)(?:" + re.escape(separator) + r"([0-9]*))?(?:[eE]([+-]?[0-9]+))?"
        )

    def to_number(self, text):
        """Blanks around, a sign, digits with at most one separator, an exponent; else fails."""
        match = self.shape.fullmatch(text.strip(" \t"))
        if not match or (not match.group(2) and not match.group(3)):
            if not text.strip(" \t"):
                raise Failure("NotANumber", "", "The entry is empty: a number is needed.")
            raise Failure("NotANumber", "", f'"{text}" is not a number.')
        sign, whole, fraction, exponent = match.groups()
        value = float(f"{sign}{whole or '0'}.{fraction or '0'}e{exponent or '0'}")
        if math.isinf(value):
            raise Failure("OutOfRange", "", f'"{text}" is too large a number.')
        return value

    def to_text(self, value):
        """At most 15 significant digits, halves to even, as the shortest plain text."""
        if not math.isfinite(value):
            raise Failure("OutOfRange", "", CANNOT_SHOW)
        if value == 0:
            return "0"
        precision = 16 if "sixteen-digits" in self.faults else 15
        context = decimal.Context(prec=precision, rounding=decimal.ROUND_HALF_EVEN)
        rounded = context.plus(decimal.Decimal(value))
        sign, digit_tuple, _ = rounded.as_tuple()
        digits = "".join(map(str, digit_tuple)).rstrip("0")
        leading = rounded.adjusted()
        if leading < -4 or leading >= precision:
            mantissa = digits[0] + (self.separator + digits[1:] if len(digits) > 1 else "")
            text = f"{mantissa}e{'-' if leading < 0 else '+'}{abs(leading):02d}"
        elif leading >= 0:
            whole = digits[: leading + 1].ljust(leading + 1, "0")
            fraction = digits[leading + 1 :]
            text = whole + (self.separator + fraction if fraction else "")
        else:
            text = "0" + self.separator + "0" * (-leading - 1) + digits
        return ("-" if sign else "") + text

    def whole_quotient(self, value, divisor):
        """Rounded to a whole number (halves to even), then divided truncating toward zero."""
        if not math.isfinite(value):
            raise Failure("OutOfRange", "", CANNOT_SPLIT)
        if "halves-away-from-zero" in self.faults:
            magnitude = math.floor(abs(value))
            magnitude += 1 if abs(value) - magnitude >= 0.5 else 0
            rounded = magnitude if value >= 0 else -magnitude
        else:
            rounded = round(value)
        if not INT32_MIN <= rounded <= INT32_MAX:
            raise Failure("OutOfRange", "", CANNOT_SPLIT)
        quotient = abs(rounded) // divisor
        return quotient if rounded >= 0 else -quotient

    def clock_seconds(self, hours, minutes, seconds, days=None):
        """Minutes onto hours, then the seconds, then whole days: the club's order."""
        if "clock-minutes-and-seconds-first" in self.faults:
            time_of_day = hours * 3600 + (minutes * 60 + seconds)
        elif "clock-days-and-hours-first" in self.faults and days is not None:
            return ((days * SECONDS_PER_DAY + hours * 3600) + minutes * 60) + seconds
        else:
            time_of_day = (hours * 3600 + minutes * 60) + seconds
        return time_of_day if days is None else days * SECONDS_PER_DAY + time_of_day


def finite(value):
    if not math.isfinite(value):
        raise Failure("OutOfRange", "", TOO_LARGE)
    return value


def compute_race(entry, separator, faults=frozenset()):
    """The five result texts of one race, or a Failure: each step in the calculator's order."""
    rules = Rules(separator, faults)

    def number(field):
        text = entry[field]
        try:
            return rules.to_number(text)
        except Failure as failure:
            if failure.kind == "OutOfRange":
                raise Failure("OutOfRange", field, FIELD_WORDS[field] + f'"{text}" is too large a number.')
            if not text.strip(" \t"):
                advice = "the entry is empty. Please enter a number."
            else:
                advice = f'"{text}" is not a number. Please enter a number such as 7 or 7{separator}5.'
            raise Failure("NotANumber", field, FIELD_WORDS[field] + advice)

    def reading(hours, minutes, seconds, days=None):
        # Read in the order the arithmetic takes them: minutes, hours, seconds, days.
        minute_value, hour_value, second_value = number(minutes), number(hours), number(seconds)
        day_value = None if days is None else number(days)
        return finite(rules.clock_seconds(hour_value, minute_value, second_value, day_value))

    def shown(value):  # a value put into a field and read back from it
        return rules.to_number(rules.to_text(value))

    clock_set = reading("CsHr", "CsMin", "CsSec")
    master_set = reading("MTSetHr", "MTSetMin", "MTSetSec")
    clock_check = reading("CrHr", "CrMin", "CrSec", "Midnight")
    master_check = reading("MTRakeHr", "MTRakeMin", "MTRakeSec", "Midnight")
    clocked = reading("birdclockhrs", "birdclockmins", "birdclocksecs", "Midnight")

    setting_error = finite(clock_set - master_set)
    check_error = finite(clock_check - master_check)
    gain = finite(check_error - setting_error)
    if "hours-to-clocking-two-divisions" in faults:
        hours_to_clocking = finite(((clocked - clock_set) / 60) / 60)
    else:
        hours_to_clocking = finite((clocked - clock_set) / 3600)
    if "hours-run-one-division" in faults:
        hours_run = finite((clock_check - clock_set) / 3600)
    else:
        hours_run = finite(((clock_check - clock_set) / 60) / 60)
    if hours_run == 0:
        raise Failure("NoResult", "", HOURS_RUN_ZERO)
    gain_rate = finite(gain / hours_run)
    variation = finite(hours_to_clocking * gain_rate)
    variation_text = rules.to_text(variation)

    # Darkness within one day when it ends later in the day than it begins; otherwise it runs
    # past midnight. A darkness too long to hold stops the calculation here, before the
    # midnights are read.
    darkness_end = finite(number("HOLhr") * 3600 + number("HOLmin") * 60)
    darkness_begin = finite(number("HODhr") * 3600 + number("HODmin") * 60)
    if "darkness-edge-inclusive" in faults:
        within_one_day = darkness_end >= darkness_begin
    else:
        within_one_day = darkness_end > darkness_begin
    if within_one_day:
        darkness = finite(darkness_end - darkness_begin)
    else:
        darkness = finite((darkness_end + SECONDS_PER_DAY) - darkness_begin)
    nights = number("midnight2")
    night_allowance = finite(finite(nights * SECONDS_PER_DAY) - finite(nights * darkness))

    def difference(left, right):
        left_value = number(left)
        return finite(left_value - number(right))

    raw_hours = rules.to_text(difference("birdclockhrs", "birdlibhrs"))
    raw_minutes = rules.to_text(difference("birdclockmins", "birdlibmins"))
    raw_seconds = rules.to_text(finite(difference("birdclocksecs", "birdlibsecs") + night_allowance))
    raw_minute_value = rules.to_number(raw_minutes)
    raw_hour_value = rules.to_number(raw_hours)
    raw_flying = finite(rules.clock_seconds(raw_hour_value, raw_minute_value, rules.to_number(raw_seconds)))

    corrected = finite(raw_flying - setting_error)
    if "variation-as-worked-out" in faults:
        flying = finite(corrected - variation)
    else:
        flying = finite(corrected - rules.to_number(variation_text))

    hours_text = rules.to_text(float(rules.whole_quotient(rules.whole_quotient(flying, 60), 60)))
    after_hours = finite(flying - (rules.to_number(hours_text) * 60) * 60)
    minutes_text = rules.to_text(float(rules.whole_quotient(after_hours, 60)))
    if "seconds-from-unrounded-minutes" in faults:
        seconds_text = rules.to_text(finite(after_hours - math.trunc(after_hours / 60) * 60.0))
    else:
        seconds_text = rules.to_text(finite(after_hours - rules.to_number(minutes_text) * 60))

    yards = number("yards")
    miles = number("miles")
    distance_figure = finite(yards * 60 + finite(miles * YARDS_PER_MILE) * 60)
    minute_value = rules.to_number(minutes_text)
    hour_value = rules.to_number(hours_text)
    flying_seconds = finite(rules.clock_seconds(hour_value, minute_value, rules.to_number(seconds_text)))
    if flying_seconds == 0:
        raise Failure("NoResult", "", FLYING_ZERO)
    velocity_text = rules.to_text(finite(distance_figure / flying_seconds))
    return [variation_text, hours_text, minutes_text, seconds_text, velocity_text]


def outcome(entry, separator, faults=frozenset()):
    """The table's outcome columns for one race."""
    try:
        return ["ok"] + compute_race(entry, separator, faults)
    except Failure as failure:
        return [failure.kind, failure.field, failure.message]


# ---------------------------------------------------------------------------------------------
# The races of the table.

INITIAL = {
    "Midnight": "1", "midnight2": "0", "HODhr": "22", "HODmin": "30", "HOLhr": "4",
    "HOLmin": "30", "miles": "60", "yards": "0",
    "MTSetHr": "19", "MTSetMin": "0", "MTSetSec": "0", "MTRakeHr": "19", "MTRakeMin": "0",
    "MTRakeSec": "0", "CsHr": "19", "CsMin": "0", "CsSec": "0", "CrHr": "19", "CrMin": "0",
    "CrSec": "0", "birdlibhrs": "8", "birdlibmins": "0", "birdlibsecs": "0",
    "birdclockhrs": "10", "birdclockmins": "0", "birdclocksecs": "0",
}  # fmt: skip
GAINING = dict(INITIAL, CrSec="30", birdclockhrs="11", birdclockmins="42", birdclocksecs="17",
               birdlibhrs="7", birdlibmins="15", birdlibsecs="0", miles="92", yards="1000")  # fmt: skip
OVERNIGHT = dict(INITIAL, MTSetSec="2", Midnight="2", CrSec="30", birdclockhrs="14",
                 birdclockmins="25", birdclocksecs="41", birdlibhrs="6", birdlibmins="30",
                 birdlibsecs="15", midnight2="1", miles="312", yards="1234")  # fmt: skip
MAX_DOUBLE = "1.7976931348623157e308"

# Races with a reason of their own: the worked races, the splits that carry, the darkness rule's
# edge, the range of whole seconds, and failures of every kind.
NAMED_RACES = [
    ("worked-initial-entries", ".", INITIAL),
    ("worked-clock-gained-thirty-seconds", ".", GAINING),
    ("worked-overnight-clock-slow-at-setting", ".", OVERNIGHT),
    ("split-59.5", ".", dict(INITIAL, birdclockhrs="8", birdclocksecs="59.5")),
    ("split-3599.5", ".", dict(INITIAL, birdclockhrs="8", birdclockmins="59", birdclocksecs="59.5")),
    ("split-3600.5", ".", dict(INITIAL, birdclockhrs="9", birdclocksecs="0.5")),
    ("split-7199.6", ".", dict(INITIAL, birdclockhrs="9", birdclockmins="59", birdclocksecs="59.6")),
    ("darkness-within-one-day", ".", dict(OVERNIGHT, HODhr="1", HODmin="0", HOLhr="5", HOLmin="0")),
    ("darkness-beginning-where-it-ends", ".", dict(OVERNIGHT, HODhr="22", HODmin="0", HOLhr="22", HOLmin="0")),
    ("clock-lost-thirty-seconds", ".", dict(INITIAL, CrHr="18", CrMin="59", CrSec="30")),
    ("blanks-and-leading-zeros", ".", dict(GAINING, CrSec=" 30 ", birdclockhrs="011", birdclocksecs="\t17")),
    ("negative-zero-distance", ".", dict(INITIAL, miles="-0", yards="-0")),
    ("comma-reads-and-writes-with-comma", ",", dict(GAINING, birdclocksecs="17,0")),
    ("comma-refuses-a-point", ",", dict(GAINING, birdclocksecs="17.0")),
    ("lowest-whole-seconds-still-split", ".", dict(INITIAL, birdclockhrs="8", birdclocksecs="-2147483648.5")),
    ("lowest-whole-seconds-less-one", ".", dict(INITIAL, birdclockhrs="8", birdclocksecs="-2147483649.5")),
    ("largest-whole-seconds", ".", dict(INITIAL, birdclockhrs="8", birdclocksecs="2147483647.4")),
    ("first-bad-entry-in-step-order", ".", dict(INITIAL, MTSetHr="x", CsHr="y", CsMin="z")),
    ("fail-empty", ".", dict(INITIAL, CrMin="")),
    ("fail-blanks-only", ".", dict(INITIAL, miles="   ")),
    ("fail-letters", ".", dict(INITIAL, yards="abc")),
    ("fail-infinity", ".", dict(INITIAL, birdclocksecs="inf")),
    ("fail-not-a-number-word", ".", dict(INITIAL, HODhr="nan")),
    ("fail-hexadecimal", ".", dict(INITIAL, HOLmin="0x1A")),
    ("fail-group-separator", ".", dict(INITIAL, miles="1,0")),
    ("fail-lone-sign", ".", dict(INITIAL, Midnight="-")),
    ("fail-lone-separator", ".", dict(INITIAL, midnight2=".")),
    ("fail-trailing-exponent", ".", dict(INITIAL, MTSetSec="1e")),
    ("fail-beyond-double", ".", dict(INITIAL, MTRakeHr="1e999")),
    ("fail-hours-run-zero", ".", dict(INITIAL, Midnight="0")),
    ("fail-flying-seconds-zero", ".", dict(INITIAL, birdclockhrs="8")),
    ("fail-flying-time-beyond-whole-seconds", ".", dict(INITIAL, birdclocksecs="2147476447.5")),
    ("fail-distance-overflows", ".", dict(INITIAL, miles="1e306")),
    ("fail-clock-reading-overflows", ".", dict(INITIAL, CsHr="1e306")),
    ("fail-variation-beyond-whole-seconds", ".",
     dict(INITIAL, Midnight="0", CrSec=".1", MTRakeHr="0", birdclockhrs="23")),
    # A raw flying time whose text, rounded to 15 digits, reads back beyond the largest double.
    ("fail-raw-hours-text-beyond-double", ".",
     dict(INITIAL, birdlibhrs="-" + MAX_DOUBLE)),
    # Darkness too long to hold, with the midnights not a number: the darkness fails first.
    ("fail-darkness-overflow-then-bad-midnights", ".",
     dict(INITIAL, HOLhr="4e304", HODhr="-4e304", midnight2="x")),
    ("fail-darkness-overflow", ".", dict(INITIAL, HOLhr="4e304", HODhr="-4e304")),
    ("largest-double-distance", ".", dict(INITIAL, yards=MAX_DOUBLE)),
    ("below-smallest-double", ".", dict(GAINING, CsSec="1e-400", yards="4.9e-324")),
    # Where the texts turn to exponent notation: below 1e-4 and from 1e15.
    ("velocity-smallest-plain", ".", dict(INITIAL, miles="0", yards="0.012")),
    ("velocity-below-smallest-plain", ".", dict(INITIAL, miles="0", yards="0.001")),
    ("velocity-from-1e15", ",", dict(INITIAL, miles="1e14")),
    # A seconds text exactly halfway at the 16th digit: halves go to the even 15th digit.
    ("rendering-tie-to-even", ".", dict(INITIAL, birdclocksecs="1234567890.015625")),
    ("rendering-tie-to-even-up", ".", dict(INITIAL, birdclocksecs="1234567890.046875")),
]  # fmt: skip


# The texts the club publishes for the worked races, and the hand-worked splits and darkness
# figures: the reference must give them before it writes a table.
HAND_WORKED = {
    "worked-initial-entries": ["0", "2", "0", "0", "880"],
    "worked-clock-gained-thirty-seconds":
        ["20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"],
    "worked-overnight-clock-slow-at-setting":
        ["28.9470115142047", "25", "54", "59.052988485797", "353.928994371199"],
    "split-59.5": ["0", "0", "1", "-0.5", "106487.394957983"],
    "split-3599.5": ["0", "1", "0", "-0.5", "1760.24447839978"],
    "split-3600.5": ["0", "1", "0", "0.5", "1759.75558950146"],
    "split-7199.6": ["0", "2", "0", "-0.399999999999636", "880.048891605089"],
    "darkness-within-one-day":
        ["28.9470115142047", "27", "54", "59.052988485797", "328.572648378918"],
    "darkness-beginning-where-it-ends":
        ["28.9470115142047", "7", "54", "59.052988485797", "1158.67850111866"],
    "clock-lost-thirty-seconds":
        ["-18.7565126780132", "2", "0", "18.7565126780128", "877.713493850684"],
    "blanks-and-leading-zeros":
        ["20.8736549809094", "4", "26", "56.1263450190909", "610.334845606411"],
    "negative-zero-distance": ["0", "2", "0", "0", "0"],
    "comma-reads-and-writes-with-comma":
        ["20,8736549809094", "4", "26", "56,1263450190909", "610,334845606411"],
    "lowest-whole-seconds-still-split": ["0", "-596523", "-14", "-8.5", "-0.00295042991569489"],
}  # fmt: skip


def rendered(value, rng, separator, decimals):
    """A value as a club member might type it: mostly plain, now and then another written form."""
    text = f"{value:.{decimals}f}" if decimals else str(int(value))
    if decimals:
        text = text.rstrip("0").rstrip(".") or "0"
    form = rng.random()
    if form < 0.03:
        text = " " + text + " "
    elif form < 0.05 and not text.startswith("-"):
        text = "0" + text
    elif form < 0.06 and not text.startswith("-"):
        text = "+" + text
    elif form < 0.07 and "." not in text and text not in ("0", "-0"):
        text = text + "e0"
    elif form < 0.08 and text.startswith("0."):
        text = text[1:]
    return text.replace(".", separator)


def split_clock(total, rng, separator, decimals):
    """Hours, minutes and seconds texts of a time of day in seconds; seconds keep any fraction."""
    whole = math.floor(total)
    fraction = total - whole
    hours, rest = divmod(whole, 3600)
    minutes, seconds = divmod(rest, 60)
    return (
        rendered(hours, rng, separator, 0),
        rendered(minutes, rng, separator, 0),
        rendered(seconds + fraction, rng, separator, decimals),
    )


def random_race(rng, fractions=False, separator="."):
    """An ordinary race: a clock set in the evening, opened after 0 to 3 midnights, gaining or
    losing up to a few minutes; liberation in the morning, the bird clocked later on."""
    def decimals():
        return rng.choice([1, 2, 3, 4]) if fractions and rng.random() < 0.5 else 0

    midnights = rng.randint(0, 3)
    entry = {"Midnight": rendered(midnights, rng, separator, 0)}
    entry["midnight2"] = rendered(rng.randint(0, midnights), rng, separator, 0)
    master_set = rng.uniform(15 * 3600, 21 * 3600)
    if midnights == 0:
        master_check = master_set + rng.uniform(600, 4 * 3600)
    else:
        master_check = rng.uniform(6 * 3600, 22 * 3600)
    setting_error = rng.uniform(-180, 180)
    check_error = setting_error + rng.uniform(-240, 240)
    for prefix, total in (("MTSet", master_set), ("MTRake", master_check)):
        d = decimals()
        entry[prefix + "Hr"], entry[prefix + "Min"], entry[prefix + "Sec"] = split_clock(
            round(total, d), rng, separator, d)
    for prefix, total in (("Cs", master_set + setting_error), ("Cr", master_check + check_error)):
        d = decimals()
        entry[prefix + "Hr"], entry[prefix + "Min"], entry[prefix + "Sec"] = split_clock(
            round(min(max(total, 0), 86399), d), rng, separator, d)
    liberation = rng.uniform(4 * 3600, 12 * 3600)
    clocked = rng.uniform(liberation + 1800, 21 * 3600) if entry["midnight2"] == "0" else rng.uniform(5 * 3600, 21 * 3600)
    d = decimals()
    entry["birdlibhrs"], entry["birdlibmins"], entry["birdlibsecs"] = split_clock(round(liberation, d), rng, separator, d)
    d = decimals()
    entry["birdclockhrs"], entry["birdclockmins"], entry["birdclocksecs"] = split_clock(round(clocked, d), rng, separator, d)
    if rng.random() < 0.8:  # an evening to a morning
        darkness = (rng.randint(19, 23), rng.randint(0, 59), rng.randint(2, 6), rng.randint(0, 59))
    else:  # anywhere in the day: within one day, past midnight, or beginning where it ends
        darkness = (rng.randint(0, 23), rng.randint(0, 59), rng.randint(0, 23), rng.randint(0, 59))
        if rng.random() < 0.2:
            darkness = darkness[:2] * 2
    for field, value in zip(("HODhr", "HODmin", "HOLhr", "HOLmin"), darkness):
        entry[field] = rendered(value, rng, separator, 0)
    if fractions and rng.random() < 0.3:
        entry["HODmin"] = rendered(darkness[1] + rng.choice([0.5, 0.25, 0.1]), rng, separator, 2)
    if fractions and rng.random() < 0.3:
        entry["HOLmin"] = rendered(darkness[3] + rng.choice([0.5, 0.75, 0.3]), rng, separator, 2)
    d = decimals()
    entry["miles"] = rendered(round(rng.uniform(20, 700), d) if d else rng.randint(20, 700), rng, separator, d)
    d = decimals()
    entry["yards"] = rendered(round(rng.uniform(0, 1759), d) if d else rng.randint(0, 1759), rng, separator, d)
    return entry  # fmt: skip


def carry_race(rng, separator="."):
    """A race whose actual flying time lies half a second or less below a whole minute or hour,
    so that the split carries and leaves the seconds negative."""
    entry = dict(INITIAL)
    hours, minutes = rng.randint(0, 12), rng.choice([59, rng.randint(0, 59)])
    below = rng.choice([0.5, 0.25, 0.4, 0.1, 0.05, 0.6, 0.5])
    entry["birdlibhrs"], entry["birdlibmins"], entry["birdlibsecs"] = "8", "0", "0"
    entry["birdclockhrs"] = str(8 + hours)
    entry["birdclockmins"] = str(minutes)
    entry["birdclocksecs"] = rendered(60 - below, rng, separator, 2)
    entry["miles"] = str(rng.randint(20, 700))
    if rng.random() < 0.5:  # a clock that gained or lost a little, so the variation has a fraction
        entry["CrSec"] = str(rng.randint(1, 59))
    return entry


BAD_TEXTS = ["", "   ", "\t", "abc", "12a", "inf", "nan", "0x1A", "1,000", "1.2.3", "-", ".", ",",
             "-.", "1e", "1e-", "e5", "--1", "- 1", "1 2", "1e999", "-1e999", "2e308", "7.5", "7,5",
             "1e306", "-1e306", "1e300", "4e304", "9e15", "2147483648", "1e-400"]  # fmt: skip


def failing_race(rng):
    separator = rng.choice([".", ","])
    entry = random_race(rng, fractions=True, separator=separator)
    for _ in range(rng.choice([1, 1, 1, 2, 3])):
        entry[rng.choice(FIELD_NAMES)] = rng.choice(BAD_TEXTS)
    return separator, entry


def no_result_race(rng):
    separator = "."
    entry = random_race(rng, fractions=rng.random() < 0.5)
    if rng.random() < 0.5:  # the clock checked at the very reading it was set at
        entry["Midnight"] = "0"
        entry["CrHr"], entry["CrMin"], entry["CrSec"] = entry["CsHr"], entry["CsMin"], entry["CsSec"]
    else:  # clocked at the liberation time with no clock error and no nights
        entry.update(midnight2="0", CrHr=entry["CsHr"], CrMin=entry["CsMin"], CrSec=entry["CsSec"],
                     MTSetHr=entry["CsHr"], MTSetMin=entry["CsMin"], MTSetSec=entry["CsSec"],
                     MTRakeHr=entry["CsHr"], MTRakeMin=entry["CsMin"], MTRakeSec=entry["CsSec"],
                     birdclockhrs=entry["birdlibhrs"], birdclockmins=entry["birdlibmins"],
                     birdclocksecs=entry["birdlibsecs"], Midnight=str(rng.randint(1, 3)))  # fmt: skip
    return separator, entry


def fault_candidates(fault, rng):
    """Races likely to show a fault, from which the ones it changes are kept."""
    if fault == "halves-away-from-zero":
        seconds = rng.choice(["-2147483648.5", "2147483646.5", "-2147483646.5", "118.5", "-0.5"])
        return ".", dict(INITIAL, birdclockhrs="8", birdclocksecs=seconds, miles=str(rng.randint(1, 700)))
    if fault == "darkness-edge-inclusive":
        entry = random_race(rng, fractions=rng.random() < 0.5)
        entry["HOLhr"], entry["HOLmin"] = entry["HODhr"], entry["HODmin"]
        entry["midnight2"] = str(rng.randint(1, 3))
        return ".", entry
    if fault == "seconds-from-unrounded-minutes":
        return ".", carry_race(rng)
    separator = "," if rng.random() < 0.2 else "."
    return separator, random_race(rng, fractions=True, separator=separator)


def build_table(seed, count):
    rng = random.Random(seed)
    rows = [(name, separator, entry) for name, separator, entry in NAMED_RACES]
    for name, separator, entry in rows:
        if name in HAND_WORKED and outcome(entry, separator) != ["ok"] + HAND_WORKED[name]:
            raise SystemExit(f"the reference does not give the hand-worked texts of {name}")
    for i in range(count):
        kind = rng.random()
        if kind < 0.30:
            rows.append((f"ordinary-{i}", ".", random_race(rng)))
        elif kind < 0.60:
            rows.append((f"fractions-{i}", ".", random_race(rng, fractions=True)))
        elif kind < 0.70:
            rows.append((f"comma-{i}", ",", random_race(rng, fractions=True, separator=",")))
        elif kind < 0.78:
            rows.append((f"carry-{i}", ".", carry_race(rng)))
        elif kind < 0.80:
            rows.append((f"no-result-{i}",) + no_result_race(rng))
        else:
            rows.append((f"failure-{i}",) + failing_race(rng))
    # Rows aimed at each deliberate fault: races whose texts it changes.
    for fault in FAULTS:
        found, seen = 0, set()
        for _ in range(200000):
            separator, entry = fault_candidates(fault, rng)
            key = (separator,) + tuple(entry[field] for field in FIELD_NAMES)
            if key in seen:
                continue
            seen.add(key)
            if outcome(entry, separator, frozenset([fault])) != outcome(entry, separator):
                rows.append((f"fault-{fault}-{found}", separator, entry))
                found += 1
                if found == 12:
                    break
        if found == 0:
            raise SystemExit(f"no race shows the fault {fault}")
    return rows


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def table_text(seed, count):
    lines = ["\t".join(["name", "separator"] + FIELD_NAMES + ["outcome"])]
    for name, separator, entry in build_table(seed, count):
        columns = [name, separator] + [entry[field] for field in FIELD_NAMES]
        lines.append("\t".join(escape(c) for c in columns + outcome(entry, separator)))
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=20261208)
    parser.add_argument("--count", type=int, default=6000, help="random races beside the named ones")
    action = parser.add_mutually_exclusive_group(required=True)
    action.add_argument("--write", metavar="FILE", help="write the table to FILE")
    action.add_argument("--check", metavar="FILE", help="fail unless FILE holds the table")
    arguments = parser.parse_args()
    text = table_text(arguments.seed, arguments.count)
    if arguments.write:
        with open(arguments.write, "w", encoding="utf-8", newline="\n") as out:
            out.write(text)
        return 0
    with open(arguments.check, encoding="utf-8", newline="\n") as committed:
        if committed.read() == text:
            return 0
    print(f"{arguments.check} is not the table the reference writes: run "
          f"'make race-table' and review the difference.", file=sys.stderr)  # fmt: skip
    return 1


if __name__ == "__main__":
    sys.exit(main())
