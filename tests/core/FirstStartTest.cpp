// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A new user's first map: the user's zone, its city, and the cities stored.

#include "core/FirstStart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

#include "SettingsFixture.h"
#include "core/AtomicFile.h"
#include "core/Settings.h"
#include "core/Text.h"

namespace wc {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(FirstStart, ZoneNamesFromTzAndZoneFilePaths) {
  struct Case {
    const char* from;
    const char* zone;
  } cases[] = {
      {"Asia/Kathmandu", "Asia/Kathmandu"},
      {":Europe/Paris", "Europe/Paris"},
      {"/usr/share/zoneinfo/America/St_Johns", "America/St_Johns"},
      {"../usr/share/zoneinfo/posix/America/Argentina/Buenos_Aires", "America/Argentina/Buenos_Aires"},
      {":/usr/share/zoneinfo/right/Europe/Oslo", "Europe/Oslo"},
      {"EST5EDT", ""},
      {"UTC", ""},
      {"/usr/share/zoneinfo/UTC", ""},
      {"/etc/my-zone", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ZoneNameFrom(c.from), c.zone) << c.from;
}

TEST(FirstStart, TzWinsOverTheSystemZone) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows names its zones in its own terms; the first start finds no city there";
#endif
  test::ScopedEnv tz("TZ", "America/St_Johns");
  EXPECT_EQ(LocalZoneName(), "America/St_Johns");
  test::SetEnv("TZ", "NST3:30NDT");  // a rule names no city, whatever the system says
  EXPECT_EQ(LocalZoneName(), "");
}

TEST(FirstStart, TheCityThatStandsForAZone) {
  const std::vector<std::string> db = {
      "Ahmedabad, India", "Al Ahmadi, Kuwait", "Bayamon, Puerto Rico", "Carolina, Puerto Rico",
      "Gander, Canada",   "Hawalli, Kuwait",   "Kolkata, India",       "Kuwait City, Kuwait",
      "Paris, France",    "Ponce, Puerto Rico", "Salvador, Brazil",    "St John's, Canada",
      "Tokyo, Japan"};
  const std::string zones =
      "Ahmedabad, India\tAsia/Kolkata\t5570585\n"
      "Kolkata, India\tAsia/Kolkata\t4631392\n"
      "Al Ahmadi, Kuwait\tAsia/Kuwait\t637411\n"
      "Hawalli, Kuwait\tAsia/Kuwait\t164212\n"
      "Kuwait City, Kuwait\tAsia/Kuwait\t0\n"
      "Carolina, Puerto Rico\tAmerica/Puerto_Rico\t170404\n"
      "Bayamon, Puerto Rico\tAmerica/Puerto_Rico\t203499\n"
      "Ponce, Puerto Rico\tAmerica/Puerto_Rico\t203499\n"
      "Gander, Canada\tAmerica/St_Johns\r\n"
      "St John's, Canada\tAmerica/St_Johns\r\n"
      "Salvador, Brazil\tAmerica/Bahia\n"
      "Osaka, Japan\tAsia/Tokyo\n";
  struct Case {
    const char* zone;
    const char* city;
  } cases[] = {
      {"Asia/Kolkata", "Kolkata, India"},         // named after the zone, not the first listed
      {"America/St_Johns", "St John's, Canada"},  // "St_Johns" is St John's
      {"America/Bahia", "Salvador, Brazil"},      // none named after it: the only one
      {"Asia/Kuwait", "Kuwait City, Kuwait"},     // the zone's name with "City", however small
      {"America/Puerto_Rico", "Bayamon, Puerto Rico"},  // the largest, the first of equals
      {"Asia/Tokyo", "Tokyo, Japan"},             // Osaka is not in this database
      {"Europe/Paris", "Paris, France"},          // no line for the zone: by name
      {"Europe/Oslo", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CityForZone(c.zone, db, zones), c.city) << c.zone;
  EXPECT_EQ(CityForZone("Asia/Kolkata", db, ""), "Kolkata, India");
}

TEST(FirstStart, LinksAndTheZonesCountryDecideBetweenCitiesOfOneName) {
  const std::vector<std::string> db = {"Kolkata, India",          "Melbourne, Australia",
                                       "New York, United States", "St John's, Antigua & Barbuda",
                                       "St John's, Canada",       "Victoria, Canada"};
  const std::string table =
      "Kolkata, India\tAsia/Kolkata\n"
      "Melbourne, Australia\tAustralia/Melbourne\n"
      "New York, United States\tAmerica/New_York\n"
      "St John's, Antigua & Barbuda\tAmerica/Antigua\n"
      "St John's, Canada\tAmerica/St_Johns\n"
      "Victoria, Canada\tAmerica/Vancouver\n";
  const ZoneFacts facts = ParseZoneFacts(
      "# version 2026a\n"
      "Z America/St_Johns -3:30:52 - LMT 1884\n"
      "L America/St_Johns Canada/Newfoundland\n"
      "L Australia/Melbourne Australia/Victoria\n"
      "L\tAsia/Kolkata\tAsia/Calcutta\n"
      "L America/New_York US/Eastern\n",
      "#codes\tcoordinates\tTZ\n"
      "CA\t+4734-05243\tAmerica/St_Johns\tNewfoundland\n"
      "AG,AI\t+1806-06204\tAmerica/Antigua\n",
      "#code\tname\nAG\tAntigua & Barbuda\nCA\tCanada\nAU\tAustralia\n");
  EXPECT_THAT(facts.countries.at("America/Antigua"),
              ElementsAre("Antigua & Barbuda"));  // AI has no name here

  struct Case {
    const char* zone;
    bool withTable;
    const char* city;
  } cases[] = {
      {"America/St_Johns", true, "St John's, Canada"},
      {"America/St_Johns", false, "St John's, Canada"},  // by name: the zone's country, not the first
      {"Canada/Newfoundland", true, "St John's, Canada"},
      {"Australia/Victoria", true, "Melbourne, Australia"},  // not Victoria in Canada
      {"Asia/Calcutta", true, "Kolkata, India"},
      {"US/Eastern", true, "New York, United States"},
      {"US/Pacific", true, ""},  // a link the facts do not know
  };
  for (const Case& c : cases)
    EXPECT_EQ(CityForZone(c.zone, db, c.withTable ? table : "", facts), c.city)
        << c.zone << " " << c.withTable;
}

// The shipped table against this computer's tz database: every zone and every
// link to a zone of the table gets a city of that zone.
TEST(FirstStart, EveryZoneOfTheShippedDataHasACityOfItsOwn) {
  const ReadResult table = ReadWholeFile(WC_SOURCE_DIR "/data/citydata.zones.tsv");
  ASSERT_EQ(table.status, ReadStatus::Ok);
  const ZoneFacts facts = SystemZoneFacts();
  if (facts.countries.empty()) GTEST_SKIP() << "no tz database on this computer";
  std::map<std::string, std::string> zoneOf;  // city → zone
  std::vector<std::string> db;
  for (const std::string& line : SplitLines(table.bytes)) {
    const auto tab = line.find('\t');
    db.push_back(line.substr(0, tab));
    const auto tab2 = line.find('\t', tab + 1);
    zoneOf[db.back()] = line.substr(tab + 1, tab2 - tab - 1);
  }
  std::map<std::string, std::string> zones;  // zone or link → the zone its city must have
  for (const auto& [zone, countries] : facts.countries) zones[zone] = zone;
  for (const auto& link : facts.links) {
    const std::string& zone = link.second;
    if (std::any_of(zoneOf.begin(), zoneOf.end(), [&](const auto& c) { return c.second == zone; }))
      zones.emplace(link.first, zone);
  }
  for (const auto& [zone, expected] : zones) {
    const std::string city = CityForZone(zone, db, table.bytes, facts);
    EXPECT_EQ(zoneOf[city], expected) << zone << " → \"" << city << "\"";
  }
  EXPECT_EQ(CityForZone("America/St_Johns", db, table.bytes, facts), "St John's, Canada");
  EXPECT_EQ(CityForZone("America/Antigua", db, table.bytes, facts), "St John's, Antigua & Barbuda");
  // Zones no city is named exactly after: not the first suburb in the alphabet.
  EXPECT_EQ(CityForZone("Asia/Ho_Chi_Minh", db, table.bytes, facts), "Ho Chi Minh City, Vietnam");
  EXPECT_EQ(CityForZone("Asia/Kuwait", db, table.bytes, facts), "Kuwait City, Kuwait");
  EXPECT_EQ(CityForZone("America/Guatemala", db, table.bytes, facts), "Guatemala City, Guatemala");
  EXPECT_EQ(CityForZone("America/Puerto_Rico", db, table.bytes, facts), "San Juan, Puerto Rico");
}

CityEntry Entry(const char* name, int lon, int lat) {
  CityEntry e;
  e.setName(name);
  e.lon = ToWest({lon});
  e.lat = lat;
  return e;
}

TEST(FirstStart, SpreadCitiesMakeRoomForTheOwnCity) {
  const std::vector<CityEntry> table = {
      Entry("Delhi, India", 77, 29),          Entry("Kathmandu, Nepal", 85, 28),
      Entry("London, United Kingdom", 0, 51), Entry("Tokyo, Japan", 140, 36),
      Entry("Sydney, Australia", 151, -34),   Entry("Osaka, Japan", 135, 35),
      Entry("Warsaw, Poland", 21, 52),        Entry("Astana, Kazakhstan", 71, 51),
  };
  EXPECT_THAT(FirstStartCities(table, ""),
              ElementsAre("London, United Kingdom", "Delhi, India", "Tokyo, Japan", "Sydney, Australia"));
  EXPECT_THAT(FirstStartCities(table, "Kathmandu, Nepal"),
              ElementsAre("London, United Kingdom", "Tokyo, Japan", "Sydney, Australia", "Kathmandu, Nepal"));
  // The own city among the spread ones is not listed twice, nor does it push itself out.
  EXPECT_THAT(FirstStartCities(table, "Tokyo, Japan"),
              ElementsAre("London, United Kingdom", "Delhi, India", "Tokyo, Japan", "Sydney, Australia"));
  EXPECT_THAT(FirstStartCities(table, "Osaka, Japan"),
              ElementsAre("London, United Kingdom", "Delhi, India", "Sydney, Australia", "Osaka, Japan"));
  // Near is less than 25 degrees of longitude and 15 of latitude apart:
  // Warsaw's labels would print over London's, Astana's stand clear of Delhi's.
  EXPECT_THAT(FirstStartCities(table, "Warsaw, Poland"),
              ElementsAre("Delhi, India", "Tokyo, Japan", "Sydney, Australia", "Warsaw, Poland"));
  EXPECT_THAT(FirstStartCities(table, "Astana, Kazakhstan"),
              ElementsAre("London, United Kingdom", "Delhi, India", "Tokyo, Japan", "Sydney, Australia",
                          "Astana, Kazakhstan"));
  EXPECT_THAT(FirstStartCities({}, "Osaka, Japan"), IsEmpty());
}

class FirstStartFiles : public SettingsStoreTest {
 protected:
  std::vector<std::string> displayCities() const {
    std::vector<std::string> out;
    ReadStringListSetting(kSettingsKey, kDisplayCities, out);
    return out;
  }
};

TEST_F(FirstStartFiles, StoresTheCitiesOfThisDatabase) {
  const std::string cities = dir_ + "/citydata.dat", zones = dir_ + "/citydata.zones.tsv";
  ASSERT_TRUE(
      WriteFileAtomically(cities,
                          "<cities><city><name>Tokyo, Japan</name><lon>140</lon><lat>36</lat></city>"
                          "<city><name>St John's, Canada</name><lon>-53</lon><lat>48</lat></city>"
                          "<city><name>Cairo, Egypt</name><lon>31</lon><lat>30</lat></city></cities>"));
  ASSERT_TRUE(WriteFileAtomically(zones, "St John's, Canada\tAmerica/St_Johns\n"));
  EXPECT_THAT(displayCities(), IsEmpty());  // nothing stored: the value's default stays empty
  EXPECT_TRUE(StoreFirstStartCities(cities, zones, "America/St_Johns").ok());
  EXPECT_THAT(displayCities(), ElementsAre("Cairo, Egypt", "Tokyo, Japan", "St John's, Canada"));
}

TEST_F(FirstStartFiles, ABrokenDatabaseStoresNothingAndIsReported) {
  const std::string cities = dir_ + "/citydata.dat";
  ASSERT_TRUE(WriteFileAtomically(cities, "<cities><city>"));
  const XmlLoadResult r = StoreFirstStartCities(cities, dir_ + "/none.tsv", "Asia/Tokyo");
  EXPECT_EQ(r.status, XmlLoadStatus::Malformed);
  EXPECT_FALSE(r.error.empty());
  EXPECT_FALSE(storeExists());
}

}  // namespace
}  // namespace wc
