// The schedule's CSV reader and writer: what spreadsheets write must come
// back cell for cell, and anything else must stop with the line it is on.
#include <gtest/gtest.h>

#include <sstream>

#include "schedule/csv.h"

namespace quillet {
namespace {

struct Read {
  char delimiter = ',';
  bool bom = false;
  std::string lineEnd;
  std::vector<CsvRecord> records;  // the header first
};

Read ReadAll(const std::string& text) {
  std::istringstream in(text);
  CsvReader reader(in);
  Read read;
  read.records.push_back(reader.ReadHeader());
  for (CsvRecord record; reader.Next(record);) read.records.push_back(record);
  read.delimiter = reader.Delimiter();
  read.bom = reader.HadByteOrderMark();
  read.lineEnd = reader.LineEnd();
  return read;
}

using Cells = std::vector<std::string>;

TEST(CsvReader, ReadsWhatSpreadsheetsWrite) {
  struct Row {
    const char* name;
    std::string text;
    char delimiter;
    std::vector<Cells> cells;
    std::vector<int> lines;
  } rows[] = {
      {"comma, LF", "a,b\n1,2\n", ',', {{"a", "b"}, {"1", "2"}}, {1, 2}},
      {"comma, CR LF", "a,b\r\n1,2\r\n", ',', {{"a", "b"}, {"1", "2"}}, {1, 2}},
      {"no line end at the end", "a,b\n1,2", ',', {{"a", "b"}, {"1", "2"}}, {1, 2}},
      {"semicolon", "a;b\n1,5;2\n", ';', {{"a", "b"}, {"1,5", "2"}}, {1, 2}},
      {"tab", "a\tb\n1\t2\n", '\t', {{"a", "b"}, {"1", "2"}}, {1, 2}},
      {"as many commas as semicolons", "a,b;c\n1,2;3\n", ',', {{"a", "b;c"}, {"1", "2;3"}}, {1, 2}},
      {"semicolon header with a comma in a name", "a,x;b;c\n1;2;3\n", ';', {{"a,x", "b", "c"}, {"1", "2", "3"}}, {1, 2}},
      {"quoted delimiter", "a,b\n\"1,5\",2\n", ',', {{"a", "b"}, {"1,5", "2"}}, {1, 2}},
      {"doubled quote", "a,b\n\"say \"\"hi\"\"\",2\n", ',', {{"a", "b"}, {"say \"hi\"", "2"}}, {1, 2}},
      {"line break in quotes", "a,b\n\"two\r\nlines\",2\n3,4\n", ',', {{"a", "b"}, {"two\r\nlines", "2"}, {"3", "4"}},
       {1, 2, 4}},
      {"blanks kept around values", "a , b\n  1 ,\t2 \n", ',', {{"a ", " b"}, {"  1 ", "\t2 "}}, {1, 2}},
      {"blanks around a quoted value", "a,b\n  \" 1 \" ,2\n", ',', {{"a", "b"}, {" 1 ", "2"}}, {1, 2}},
      {"empty lines skipped", "\n\na,b\n\n1,2\r\n\r\n,\n3,4\n", ',', {{"a", "b"}, {"1", "2"}, {"3", "4"}}, {3, 5, 8}},
      {"empty cells kept", "a,b,c\n,2,\n", ',', {{"a", "b", "c"}, {"", "2", ""}}, {1, 2}},
      {"utf-8 kept", "tag,b\n\"Küche ° ÷\",2\n", ',', {{"tag", "b"}, {"Küche ° ÷", "2"}}, {1, 2}},
  };
  for (const Row& row : rows) {
    const Read read = ReadAll(row.text);
    EXPECT_EQ(read.delimiter, row.delimiter) << row.name;
    ASSERT_EQ(read.records.size(), row.cells.size()) << row.name;
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      EXPECT_EQ(read.records[i].cells, row.cells[i]) << row.name << ", record " << i;
      EXPECT_EQ(read.records[i].line, row.lines[i]) << row.name << ", record " << i;
    }
  }
}

TEST(CsvReader, KeepsTheByteOrderMarkAndLineEndForTheOutput) {
  const Read marked = ReadAll("\xEF\xBB\xBFvoltage,length\r\n1,2\r\n");
  EXPECT_TRUE(marked.bom);
  EXPECT_EQ(marked.records[0].cells, (Cells{"voltage", "length"}));
  EXPECT_EQ(marked.lineEnd, "\r\n");
  const Read plain = ReadAll("voltage,length\n1,2\n");
  EXPECT_FALSE(plain.bom);
  EXPECT_EQ(plain.lineEnd, "\n");
}

TEST(CsvReader, StopsWithTheLineOfWhatIsNotCsv) {
  struct Row {
    const char* name;
    std::string text;
    std::string message;
  } rows[] = {
      {"empty file", "", "the file is empty: the first line must name the columns"},
      {"only blank lines", "\n\r\n\n", "the file is empty: the first line must name the columns"},
      {"unterminated quote", "a,b\n1,2\n3,\"4\n5,6\n", "line 3: a quoted value is not closed"},
      {"unterminated quote in the header", "a,\"b\n", "line 1: a quoted value is not closed"},
      {"text after a closing quote", "a,b\n\"1\"x,2\n", "line 2: text follows the closing quote of a value"},
  };
  for (const Row& row : rows) {
    try {
      ReadAll(row.text);
      ADD_FAILURE() << row.name << ": no error";
    } catch (const CsvError& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with(row.message)) << row.name << ": " << error.what();
    }
  }
}

TEST(CsvReader, RefusesARecordBeyondOneMebibyte) {
  const std::string text = "a,b\n\"" + std::string(2 << 20, 'x') + "\",1\n";
  EXPECT_THROW(ReadAll(text), CsvError);
}

TEST(CsvWriter, QuotesOnlyWhatNeedsItAndReadsBackTheSame) {
  struct Row {
    const char* name;
    Cells cells;
    char delimiter;
    std::string line;
  } rows[] = {
      {"plain", {"a", "1.5", ""}, ',', "a,1.5,\n"},
      {"comma inside", {"1,5", "b"}, ',', "\"1,5\",b\n"},
      {"comma in a semicolon file", {"1,5", "b"}, ';', "1,5;b\n"},
      {"quote", {"say \"hi\""}, ',', "\"say \"\"hi\"\"\"\n"},
      {"line break", {"two\nlines", "x"}, '\t', "\"two\nlines\"\tx\n"},
      {"blanks around", {" x", "y "}, ',', " x,y \n"},
  };
  for (const Row& row : rows) {
    const std::string line = CsvLine(row.cells, row.delimiter, "\n");
    EXPECT_EQ(line, row.line) << row.name;
    const Read read = ReadAll(CsvLine(Cells(row.cells.size(), "h"), row.delimiter, "\n") + line);
    ASSERT_EQ(read.records.size(), 2u) << row.name;
    EXPECT_EQ(read.records[1].cells, row.cells) << row.name;
  }
}

}  // namespace
}  // namespace quillet
