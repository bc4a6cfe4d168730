// Every figure carried from Chapter 9 Tables 4, 5 and 8 into src/design/
// against the figures collected and cross-checked in the reference folder
// (the cache variable QUILLET_REFERENCE_DIR, ../shared/reference beside the
// source tree unless set). A clone without that folder skips these tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/tables.h"
#include "design/raceway.h"
#include "platform/native_text.h"
#include "schedule/csv.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

using Record = std::map<std::string, std::string>;

// The file's records by heading; none when the reference folder is not there.
std::optional<std::vector<Record>> ReferenceRecords(const std::string& name) {
  const std::filesystem::path path = PathFromUtf8(std::string(QUILLET_REFERENCE_DIR) + "/" + name);
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  CsvReader reader(file);
  const CsvRecord header = reader.ReadHeader();
  std::vector<Record> records;
  for (CsvRecord row; reader.Next(row);) {
    Record record;
    for (std::size_t c = 0; c < header.cells.size() && c < row.cells.size(); ++c)
      record[header.cells[c]] = row.cells[c];
    records.push_back(std::move(record));
  }
  return records;
}

#define REFERENCE_OR_SKIP(records, name)                                                                       \
  const auto records = ReferenceRecords(name);                                                                 \
  if (!records) GTEST_SKIP() << QUILLET_REFERENCE_DIR "/" name " is not here: the carried figures go unchecked"

double Figure(const Record& record, const char* heading) { return std::strtod(record.at(heading).c_str(), nullptr); }

TEST(ReferenceTables, Chapter9Table4RacewayAreas) {
  REFERENCE_OR_SKIP(records, "nec_ch9_table4_conduit_areas.csv");
  for (std::size_t r = 0; r < RacewayNames().size(); ++r) {
    const auto raceway = static_cast<Raceway>(r);
    std::vector<const Record*> rows;
    for (const Record& record : *records)
      if (record.at("type") == RacewayNames()[r]) rows.push_back(&record);
    const auto sizes = TradeSizes(raceway);
    ASSERT_EQ(rows.size(), sizes.size()) << RacewayNames()[r];
    for (std::size_t t = 0; t < sizes.size(); ++t) {
      SCOPED_TRACE(std::string(RacewayNames()[r]) + " " + std::string(sizes[t]));
      EXPECT_EQ(rows[t]->at("trade_size"), sizes[t]);
      EXPECT_EQ(RacewayAreaIn2(raceway, static_cast<int>(t)), Figure(*rows[t], "total_area_in2"));
    }
  }
}

TEST(ReferenceTables, Chapter9Table5ConductorAreas) {
  REFERENCE_OR_SKIP(records, "nec_ch9_table5_conductor_areas.csv");
  // The reference's type names, in the order of `WireType`.
  const char* types[] = {"THHN/THWN/THWN-2", "XHHW/XHHW-2/XHH", "RHH/RHW/RHW-2 (with outer covering)"};
  for (std::size_t w = 0; w < std::size(types); ++w) {
    for (int area = 0; area < kSizeCount; ++area) {
      SCOPED_TRACE(std::string(types[w]) + " " + SizeName(area));
      const auto row = std::find_if(records->begin(), records->end(), [&](const Record& record) {
        return record.at("type") == types[w] && record.at("size") == SizeName(area);
      });
      ASSERT_NE(row, records->end());
      EXPECT_EQ(ConductorAreaIn2(static_cast<WireType>(w), area), Figure(*row, "approx_area_in2"));
    }
  }
}

TEST(ReferenceTables, Chapter9Table8CircularMils) {
  REFERENCE_OR_SKIP(records, "nec_ch9_table8_bare_stranded.csv");
  for (int area = 0; area < kSizeCount; ++area) {
    SCOPED_TRACE(SizeName(area));
    const auto row = std::find_if(records->begin(), records->end(),
                                  [&](const Record& record) { return record.at("size") == SizeName(area); });
    ASSERT_NE(row, records->end());
    EXPECT_EQ(AreaCmil(area), std::stoll(row->at("area_cmil")));
  }
}

}  // namespace
}  // namespace quillet
