// trimora table, run as a program: text and JSON dumps, writing from JSON, and bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "folder/cutting_record.h"
#include "tables/table_file.h"
#include "tables/table_json.h"
#include "temp_dir.h"

namespace trimora {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct Result {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs "trimora table ARGS" with stdout and stderr caught in files of `dir`.
Result RunTable(const TempDir& dir, const std::string& args) {
  const std::string out = dir.File("stdout.txt");
  const std::string err = dir.File("stderr.txt");
  const std::string command =
      std::string("'") + TRIMORA_CLI + "' table " + args + " >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

std::string Q(const std::string& path) { return "'" + path + "'"; }

Table SampleCuttingData() {
  Table t(CuttingDataColumns());
  t.Append();
  t.WriteInteger("jpegCompressionBlockSize", 16);
  t.WriteText("TempPath", "");
  t.WriteText("Filename", "/fotos/Ferien/Strand.jpg");
  t.WriteText("FileType", "JPG");
  t.WriteBoolean("SaveIt", false);
  t.Append();
  t.WriteInteger("X", 3);
  t.WriteInteger("FormatID", -2);
  t.WriteText("RedEyeCoords", "10,20,30,40|");
  t.WriteBoolean("Enlarge", true);
  return t;
}

TEST(TableCommand, JsonToTableToJsonGivesTheSameText) {
  TempDir dir;
  const std::string json = TableToJson(SampleCuttingData());
  WriteFile(dir.File("in.json"), json);
  Result r = RunTable(dir, "--from-json " + Q(dir.File("in.json")) + " " + Q(dir.File("t.kv2")));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(ReadFile(dir.File("t.kv2")), WriteTableBytes(SampleCuttingData()));

  r = RunTable(dir, "--json " + Q(dir.File("t.kv2")));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, json);
}

TEST(TableCommand, TextDumpShowsColumnsRecordsAndNulls) {
  TempDir dir;
  SaveTableToFile(SampleCuttingData(), dir.File("CroppingData.kv2"));
  const Result r = RunTable(dir, Q(dir.File("CroppingData.kv2")));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Spalten: 16");
  EXPECT_NE(r.out.find("  TempPath                  ftString (250)\n"), std::string::npos);
  EXPECT_NE(r.out.find("Datensätze: 2\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nDatensatz 1\n  X                         null\n"), std::string::npos);
  EXPECT_NE(r.out.find("  TempPath                  \"\"\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Filename                  \"/fotos/Ferien/Strand.jpg\"\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\nDatensatz 2\n  X                         3\n"), std::string::npos);
  EXPECT_NE(r.out.find("  Enlarge                   true\n"), std::string::npos);
}

TEST(TableCommand, BadJsonFailsAndLeavesNoFileAndKeepsAnOldOne) {
  TempDir dir;
  WriteFile(dir.File("bad.json"),
            "{\"columns\": [{\"name\": \"N\", \"type\": \"ftInteger\"}],\n"
            " \"records\": [[\"x\"]]}");
  Result r = RunTable(dir, "--from-json " + Q(dir.File("bad.json")) + " " + Q(dir.File("new.dat")));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "trimora table: Datensatz 1, Spalte \"N\": eine ganze Zahl (32 Bit) erwartet.\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.dat")));

  WriteFile(dir.File("old.dat"), "old contents");
  WriteFile(dir.File("broken.json"), "{\"columns\": [");
  r = RunTable(dir, "--from-json " + Q(dir.File("broken.json")) + " " + Q(dir.File("old.dat")));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("trimora table: Ungültiges JSON in Zeile 1, Spalte 14: ", 0), 0u) << r.err;
  EXPECT_EQ(ReadFile(dir.File("old.dat")), "old contents");

  r = RunTable(dir, "--from-json " + Q(dir.File("missing.json")) + " " + Q(dir.File("x.dat")));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            "trimora table: Datei " + dir.File("missing.json") + " kann nicht geöffnet werden\n");

  const std::vector<std::string> expected = {"bad.json", "broken.json", "old.dat"};
  auto names = dir.Names();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
}

TEST(TableCommand, BrokenTableFilesAndWrongArgumentsFail) {
  TempDir dir;
  WriteFile(dir.File("not a table.dat"), "TPF0\x06\x05Other");
  Result r = RunTable(dir, Q(dir.File("not a table.dat")));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "trimora table: Saved object do not match destination object.\n");
  EXPECT_EQ(r.out, "");

  for (const char* args : {"", "--json", "--from-json a.json", "a b", "--bogus x"}) {
    r = RunTable(dir, args);
    EXPECT_EQ(r.exitCode, 2) << args;
    EXPECT_EQ(r.err.rfind("Aufruf: trimora table ", 0), 0u) << args;
  }
}

}  // namespace
}  // namespace trimora
