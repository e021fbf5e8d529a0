// The Levels commands on an in-memory form: a Calculate's ranges shown at
// other levels, ranges narrowed by further sightings, and their errors with
// the place, the message and the box to fix.
#include "window/levels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/statpoint.h"
#include "window/places.h"

namespace kelmora {
namespace {

// The window's form, HP 41 at level 1 (the worked example) unless told otherwise.
MemoryForm Window(const std::vector<std::pair<std::string, std::string>>& edits = {}) {
  MemoryForm form;
  for (const auto& [field, text] : edits)
    form.setText(field, text);
  return form;
}

const std::vector<std::pair<std::string, std::string>> kHp41AtLevel1 = {{"txt_hpval", "41"},
                                                                        {"txt_level", "1"}};

TEST(ProjectTest, ShowsTheWorkedExampleAtOtherLevels) {
  const std::vector<std::string> levels = {"99", "50", "1"};
  const Projection projection = Project(Window(kHp41AtLevel1), levels);
  EXPECT_EQ(FormatRange(projection.ranges[0]), "621990 \xE2\x80\xA6 637163");
  ASSERT_EQ(projection.levels.size(), 3u);
  EXPECT_EQ(projection.levels[0].level, 99);
  EXPECT_EQ(FormatShown(projection.levels[0].shown[0]), "487 \xE2\x80\xA6 499");
  EXPECT_EQ(FormatShown(projection.levels[1].shown[0]), "264 \xE2\x80\xA6 270");
  EXPECT_EQ(FormatShown(projection.levels[2].shown[0]), "41");
}

TEST(ProjectTest, TheDefaultRowShowsFortyToFortyOneAtLevelOne) {
  const std::vector<std::string> levels = {"1", " 9.9e1 "};
  const Projection projection = Project(Window(), levels);
  EXPECT_EQ(FormatShown(projection.levels[0].shown[0]), "40 \xE2\x80\xA6 41");
  // At its own level every stat shows its own value again.
  EXPECT_EQ(projection.levels[1].level, 99);
  const int values[] = {487, 37, 22, 74};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(projection.levels[1].shown[i].Min, values[i]);
    EXPECT_EQ(projection.levels[1].shown[i].Max, values[i]);
  }
  EXPECT_EQ(DescribeInputs(projection.inputs),
            "HP 487, C-value 8, 108 %; MP 37, C-value 30, 108 %; PA 22, C-value 34, 97 %; "
            "MA 74, C-value 7, 94 %; level 99");
}

TEST(ProjectTest, NoLevelsGiveTheRangesAlone) {
  const Projection projection = Project(Window(), {});
  EXPECT_TRUE(projection.levels.empty());
  EXPECT_EQ(projection.ranges[3].Max, 98663);
}

// Runs `call`, which must fail with this kind at this place; its box to fix
// and (when given) its message must be these.
template <typename Call>
void ExpectFailure(Call&& call, ErrorKind kind, const std::string& place, const std::string& fix,
                   const std::string& message) {
  try {
    call();
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_EQ(error.kind(), kind);
    EXPECT_EQ(error.place(), place);
    EXPECT_EQ(FieldToFix(error), fix);
    if (!message.empty()) {
      EXPECT_EQ(DescribeError(error), message);
    }
  }
}

struct ErrorCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> edits;
  std::vector<std::string> levels;
  ErrorKind kind;
  std::string place;
  std::string fix;
  std::string message;  // checked when not empty
};

class ProjectErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ProjectErrorTest, NamesThePlaceAndTheBoxToFix) {
  const ErrorCase& c = GetParam();
  ExpectFailure([&] { Project(Window(c.edits), c.levels); }, c.kind, c.place, c.fix, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, ProjectErrorTest,
    testing::Values(
        ErrorCase{"WindowReadingFirst",
                  {{"txt_hpc", ""}},
                  {"abc"},
                  ErrorKind::TypeMismatch,
                  "txt_hpc",
                  "txt_hpc",
                  ""},
        // Every box is read before anything is computed.
        ErrorCase{"LevelTextBeforeTheRanges",
                  {{"txt_mpm", "0"}},
                  {"10", "abc"},
                  ErrorKind::TypeMismatch,
                  "levels[2]",
                  std::string(kNewLevelBox),
                  "Type mismatch \xE2\x80\x94 Level to show: \"abc\" is not a number"},
        ErrorCase{"TheWindowsRangesNext",
                  {{"txt_mpm", "0"}},
                  {"10"},
                  ErrorKind::DivisionByZero,
                  "txt_mplo",
                  "txt_mpm",
                  ""},
        ErrorCase{"LevelOutOfRange",
                  {},
                  {"40000"},
                  ErrorKind::Overflow,
                  "levels[1]",
                  std::string(kNewLevelBox),
                  ""},
        ErrorCase{"CountBeyondTheShownValues",
                  {},
                  {"1", "30000"},
                  ErrorKind::Overflow,
                  "levels[2]@30000/txt_hplo",
                  std::string(kNewLevelBox),
                  "Overflow \xE2\x80\x94 HP minimum at level 30000: 621423 stat points lie beyond "
                  "every shown value from -32768 to 32766 at level 30000"},
        ErrorCase{"CPlusOneNotPositive",
                  {{"txt_pac", "-5"}},
                  {"50"},
                  ErrorKind::InvalidOperation,
                  "levels[1]@50/txt_palo",
                  "txt_pac",
                  "Invalid operation \xE2\x80\x94 PA minimum at level 50: shown values rise with "
                  "the stat points only where C-value plus 1 is above 0, and C-value -5 plus 1 is "
                  "not"},
        ErrorCase{"CPlusLevelNotPositive",
                  {},
                  {"-8"},
                  ErrorKind::InvalidOperation,
                  "levels[1]@-8/txt_hplo",
                  "txt_hpc",
                  ""},
        ErrorCase{"CPlusLevelOverflows",
                  {},
                  {"32767"},
                  ErrorKind::Overflow,
                  "levels[1]@32767/txt_hplo",
                  "txt_hpc",
                  ""},
        ErrorCase{"NegativeMultiplier",
                  {{"txt_mam", "-94"}, {"txt_maval", "-74"}},
                  {"1"},
                  ErrorKind::InvalidOperation,
                  "levels[1]@1/txt_malo",
                  "txt_mam",
                  ""}),
    [](const testing::TestParamInfo<ErrorCase>& test) { return std::string(test.param.name); });

TEST(LevelTableTest, HoldsTheTableLevelsTheOwnAndTheExtraOnesInOrder) {
  const std::vector<std::string> extra = {"37", "99", "1", "30000"};
  const LevelTable table = MakeLevelTable(Window({{"txt_level", "45"}}), extra);
  std::vector<int> levels;
  for (const TableRow& row : table.rows)
    levels.push_back(row.level);
  EXPECT_EQ(levels, (std::vector<int>{1, 10, 20, 30, 37, 40, 45, 50, 60, 70, 80, 90, 99, 30000}));
  for (const TableRow& row : table.rows) {
    EXPECT_EQ(row.own, row.level == 45) << row.level;
    EXPECT_EQ(row.extra, row.level == 37 || row.level == 99 || row.level == 1 || row.level == 30000)
        << row.level;
    // Only the last row's counts lie beyond the shown values there.
    EXPECT_EQ(row.shown.has_value(), row.level != 30000) << row.level;
    EXPECT_EQ(row.error.has_value(), row.level == 30000) << row.level;
  }
  EXPECT_EQ(table.rows.back().error->step(), Step::CountBeyondShownValues);
  // The own level shows the window's values again.
  EXPECT_EQ(table.rows[6].shown->shown[0].Min, 487);
  EXPECT_EQ(table.rows[6].shown->shown[0].Max, 487);
}

TEST(LevelTableTest, AnUnreadableExtraLevelFailsTheWholeTable) {
  const std::vector<std::string> extra = {"37", "x"};
  ExpectFailure([&] { MakeLevelTable(Window(), extra); }, ErrorKind::TypeMismatch, "levels[2]",
                std::string(kNewLevelBox), "");
}

// --- Narrowing ------------------------------------------------------------------

Sighting At(std::string level, std::string hp, std::string mp = "37", std::string pa = "22",
            std::string ma = "74") {
  return {std::move(level), {std::move(hp), std::move(mp), std::move(pa), std::move(ma)}};
}

TEST(NarrowTest, ASecondSightingNarrowsTheWorkedExample) {
  const std::vector<Sighting> more = {At("99", "487"), At("50", "264")};
  const Narrowing narrowing = Narrow(Window(kHp41AtLevel1), more);
  ASSERT_EQ(narrowing.sightings.size(), 3u);
  EXPECT_EQ(narrowing.sightings[0].level, 1);
  EXPECT_EQ(FormatRange(narrowing.sightings[0].ranges[0]), "621990 \xE2\x80\xA6 637163");
  EXPECT_EQ(FormatRange(narrowing.sightings[1].ranges[0]), "621423 \xE2\x80\xA6 622700");
  ASSERT_TRUE(narrowing.stats[0].range);
  // The intersection: the latest start and the earliest end.
  const StatRange& at50 = narrowing.sightings[2].ranges[0];
  EXPECT_EQ(narrowing.stats[0].range->Min, std::max({621990, 621423, at50.Min}));
  EXPECT_EQ(narrowing.stats[0].range->Max, std::min({637163, 622700, at50.Max}));
  EXPECT_EQ(DescribeConflict(narrowing, StatKind::HP), "");
}

TEST(NarrowTest, TheWindowAloneIsItsOwnRange) {
  const Narrowing narrowing = Narrow(Window(), {});
  ASSERT_EQ(narrowing.sightings.size(), 1u);
  EXPECT_EQ(narrowing.stats[2].range->Min, 97790);
  EXPECT_EQ(narrowing.stats[2].range->Max, 102234);
}

TEST(NarrowTest, SightingsThatDoNotMeetAreNamed) {
  // MP 60 at level 99 cannot be the same character as MP 37 there.
  const std::vector<Sighting> more = {At("50", "264"), At("99", "487", "60")};
  const Narrowing narrowing = Narrow(Window(), more);
  EXPECT_TRUE(narrowing.stats[0].range);
  const Narrowed& mp = narrowing.stats[1];
  EXPECT_FALSE(mp.range);
  EXPECT_EQ(mp.first, 1u);
  EXPECT_EQ(mp.second, 3u);
  EXPECT_EQ(DescribeConflict(narrowing, StatKind::MP),
            "The sightings 1 and 3 disagree on MP: MP 37 at level 99 needs 134912 \xE2\x80\xA6 "
            "138538 stat points, MP 60 at level 99 needs 218736 \xE2\x80\xA6 222393 stat points. "
            "These sightings do not fit one C-value and multiplier.");
}

TEST(NarrowTest, AValueNoCountShowsIsNamedAlone) {
  // At 100000 % a shown value covers so few counts that the round-up to a
  // multiple of 9 skips some values entirely.
  const Float32 m = DivFloat32(100000.0f, 100.0f);
  Int16 skipped = 0;
  for (Int16 v = 1; v < 1000 && skipped == 0; ++v) {
    if (MinStatpoint(v, 8, m, 99) > MaxStatpoint(v, 8, m, 99))
      skipped = v;
  }
  ASSERT_NE(skipped, 0);
  const Narrowing narrowing =
      Narrow(Window({{"txt_hpm", "100000"}, {"txt_hpval", std::to_string(skipped)}}), {});
  EXPECT_FALSE(narrowing.stats[0].range);
  EXPECT_EQ(narrowing.stats[0].first, 1u);
  EXPECT_EQ(narrowing.stats[0].second, 1u);
  EXPECT_EQ(DescribeConflict(narrowing, StatKind::HP),
            "No count of stat points shows HP " + std::to_string(skipped) +
                " at level 99 (sighting 1) with this C-value and multiplier.");
}

struct SightingErrorCase {
  const char* name;
  std::vector<Sighting> more;
  ErrorKind kind;
  std::string place;
  std::string fix;
  std::string message;
};

class NarrowErrorTest : public testing::TestWithParam<SightingErrorCase> {};

TEST_P(NarrowErrorTest, NamesTheSightingAndTheBox) {
  const SightingErrorCase& c = GetParam();
  ExpectFailure([&] { Narrow(Window(), c.more); }, c.kind, c.place, c.fix, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Sightings, NarrowErrorTest,
    testing::Values(
        SightingErrorCase{"BadLevel",
                          {At("50", "264"), At("x", "1")},
                          ErrorKind::TypeMismatch,
                          "sightings[3]/txt_level",
                          "sightings[3]/txt_level",
                          "Type mismatch \xE2\x80\x94 Sighting 3 level: \"x\" is not a number"},
        // Read in the row's order: level, HP, MP, PA, MA; every row before any range.
        SightingErrorCase{"FirstBadBoxOfTheFirstBadRow",
                          {At("1", "32767"), At("50", "1", "", "x")},
                          ErrorKind::TypeMismatch,
                          "sightings[3]/txt_mpval",
                          "sightings[3]/txt_mpval",
                          ""},
        SightingErrorCase{"ValueOutOfRange",
                          {At("50", "264", "37", "40000")},
                          ErrorKind::Overflow,
                          "sightings[2]/txt_paval",
                          "sightings[2]/txt_paval",
                          "Overflow \xE2\x80\x94 Sighting 2 PA stat value: \"40000\" is outside "
                          "-32768\xE2\x80\xA6"
                          "32767"},
        SightingErrorCase{"RangeFailsAtTheMaximum",
                          {At("1", "32767")},
                          ErrorKind::Overflow,
                          "sightings[2]/txt_hphi",
                          "sightings[2]/txt_hpval",
                          ""},
        SightingErrorCase{"RangeFailsOnTheWindowsCValue",
                          {At("-8", "1")},
                          ErrorKind::DivisionByZero,
                          "sightings[2]/txt_hplo",
                          "txt_hpc",
                          "Division by zero \xE2\x80\x94 Sighting 2 HP minimum: C-value 8 plus "
                          "level -8 is 0"}),
    [](const testing::TestParamInfo<SightingErrorCase>& test) {
      return std::string(test.param.name);
    });

// --- Places ---------------------------------------------------------------------

class PlaceNameTest : public testing::TestWithParam<std::string> {};

TEST_P(PlaceNameTest, ReadsBackAsItself) {
  const auto place = ParsePlace(GetParam());
  ASSERT_TRUE(place);
  EXPECT_EQ(PlaceName(*place), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Names, PlaceNameTest,
                         testing::Values("txt_hpc", "txt_level", "txt_mahi", "levels[1]",
                                         "levels[12]@-5/txt_pahi", "sightings[2]/txt_level",
                                         "sightings[30]/txt_maval", "sightings[4]/txt_mplo"));

TEST(PlaceNameTest, NamesNoPlaceForOtherTexts) {
  for (const char* name :
       {"", "txt_nothing", "levels[", "levels[x]", "levels[1]@", "levels[1]/txt_hpc",
        "levels[1]@40000/txt_hplo", "sightings[2]", "sightings[2]/", "Label4"}) {
    EXPECT_FALSE(ParsePlace(name)) << name;
  }
}

}  // namespace
}  // namespace kelmora
