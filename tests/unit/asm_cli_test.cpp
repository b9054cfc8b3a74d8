// The tavasm program run as the editor runs it: exit codes, messages and the files it writes.
#include "unit/asm_ti83_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
std::vector<std::uint8_t> readBytes(const fs::path& path) {
  const std::string s = readText(path);
  return {s.begin(), s.end()};
}
void write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

constexpr const char* kGood = "\t.org 9327h\n\tnop\n\tret\n";
constexpr const char* kBad = "\tjp nowhere\n";
constexpr const char* kIfdef = "#ifdef FAST\n\tnop\n#else\n\tret\n#endif\n";

class TavasmCli : public testing::Test {
protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("tavasm-cli-" + std::to_string(getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    write(dir_ / "good.z80", kGood);
    write(dir_ / "bad.z80", kBad);
    write(dir_ / "ifdef.z80", kIfdef);
    write(dir_ / "db.z80", "\t.db VAL\n");
    write(dir_ / "inc.z80", "#include \"defs.inc\"\n\t.db VAL\n");
    write(dir_ / "mine" / "defs.inc", "#define VAL 5\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs `exe args` in the test's folder.
  int run(const std::string& args, const std::string& exe = TAVASM_EXE) {
    const std::string command =
        "cd '" + dir_.string() + "' && '" + exe + "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    out_ = readText(dir_ / "out.txt");
    err_ = readText(dir_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
  std::string out_, err_;
};

TEST_F(TavasmCli, MalformedCommandLinesShowTheUsage) {
  for (const char* args : {"", "-I", "good.z80 -D", "-Q good.z80", "good.z80 good.txt",
                           "good.z80 a.83p b.83p", "-D 9x good.z80", "-D =1 good.z80"}) {
    EXPECT_EQ(run(args), 2) << args;
    EXPECT_NE(err_.find("usage: tavasm"), std::string::npos) << args;
    EXPECT_FALSE(fs::exists(dir_ / "good.83p")) << args;
  }
}

TEST_F(TavasmCli, WritesATi83ProgramNamedAfterTheOutput) {
  const struct {
    std::string args, file, name, warning;
  } cases[] = {
      {"good.z80", "good.83p", "GOOD", ""},
      {"good.z80 out/Game_1.83P", "out/Game_1.83P", "GAME1", "out/Game_1.83P: warning: "},
  };
  fs::create_directories(dir_ / "out");
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.args), 0) << c.args << ": " << err_;
    EXPECT_EQ(out_, "");
    if (c.warning.empty())
      EXPECT_EQ(err_, "");
    else
      EXPECT_EQ(err_.rfind(c.warning, 0), 0u) << err_;
    const Ti83Read back = readTi83(readBytes(dir_ / c.file));
    EXPECT_EQ(back.error, "") << c.file;
    EXPECT_EQ(back.name, c.name);
    EXPECT_EQ(back.code, (std::vector<std::uint8_t>{0x00, 0xC9}));
  }
}

TEST_F(TavasmCli, OptionsReachTheSource) {
  const struct {
    std::string args;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"ifdef.z80 o.bin", {0xC9}},         {"-DFAST ifdef.z80 o.bin", {0x00}},
      {"-D FAST ifdef.z80 o.BIN", {0x00}}, {"-D VAL=7 db.z80 o.bin", {0x07}},
      {"-DVAL=0x12 db.z80 o.bin", {0x12}}, {"-I mine inc.z80 o.bin", {0x05}},
      {"-Imine inc.z80 o.bin", {0x05}},    {"good.z80 o.bin", {0x00, 0xC9}},
  };
  for (const auto& c : cases) {
    fs::remove(dir_ / "o.bin");
    fs::remove(dir_ / "o.BIN");
    EXPECT_EQ(run(c.args), 0) << c.args << ": " << err_;
    const fs::path out = dir_ / (fs::exists(dir_ / "o.bin") ? "o.bin" : "o.BIN");
    EXPECT_EQ(readBytes(out), c.bytes) << c.args;
  }
}

TEST_F(TavasmCli, AnErrorLeavesTheOutputAsItWas) {
  const struct {
    std::string args, output, message;
  } cases[] = {
      {"bad.z80", "bad.83p", "bad.z80:1:5: error: "},
      {"bad.z80 old.bin", "old.bin", "bad.z80:1:5: error: "},
      {"good.z80 9lives.83p", "9lives.83p", "9lives.83p: error: "},
      {"missing.z80 old.bin", "old.bin", "error: "},
  };
  for (const auto& c : cases) {
    write(dir_ / c.output, "old\r\n");
    EXPECT_EQ(run(c.args), 1) << c.args;
    EXPECT_NE(err_.find(c.message), std::string::npos) << c.args << ": " << err_;
    EXPECT_EQ(readText(dir_ / c.output), "old\r\n") << c.args;
  }
  // Output that can't be written: its folder is missing, or it is a folder.
  EXPECT_EQ(run("good.z80 none/x.bin"), 1);
  EXPECT_NE(err_.find("none/x.bin: error: "), std::string::npos) << err_;
  fs::create_directories(dir_ / "dir.bin");
  EXPECT_EQ(run("good.z80 dir.bin"), 1);
  EXPECT_NE(err_.find("dir.bin: error: "), std::string::npos) << err_;
  EXPECT_TRUE(fs::is_directory(dir_ / "dir.bin"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "dir.bin"), {}), 0);
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_EQ(entry.path().string().find("~tavasm"), std::string::npos) << entry.path();
}

TEST_F(TavasmCli, NeverWritesOverTheSourceOrAnInclude) {
  write(dir_ / "prog.83p", kGood);
  write(dir_ / "uses.z80", "#include \"data.bin\"\n");
  write(dir_ / "data.bin", "\t.db 1\n");
  const struct {
    std::string args, kept;
  } cases[] = {{"prog.83p", "prog.83p"},
               {"prog.83p ./prog.83p", "prog.83p"},
               {"uses.z80 data.bin", "data.bin"},
               {"uses.z80 ../" + dir_.filename().string() + "/data.bin", "data.bin"}};
  for (const auto& c : cases) {
    const std::string before = readText(dir_ / c.kept);
    EXPECT_EQ(run(c.args), 2) << c.args;
    EXPECT_NE(err_.find("it is not written"), std::string::npos) << c.args << ": " << err_;
    EXPECT_EQ(readText(dir_ / c.kept), before) << c.args;
  }
}

TEST_F(TavasmCli, WarnsOfAProgramThatCanNotBeWhatWasMeant) {
  write(dir_ / "none.z80", "x = 1\n");
  write(dir_ / "low.z80", "\tnop\n");
  const struct {
    std::string args, warning;
  } cases[] = {
      {"none.z80", "none.83p: warning: the program has no code"},
      {"low.z80",
       "low.83p: warning: the program starts at 0000h, but Send(9 runs programs at 9327h"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run(c.args), 0) << c.args;
    EXPECT_EQ(err_.rfind(c.warning, 0), 0u) << err_;
  }
}

TEST_F(TavasmCli, WritesAnOutputWhoseNameIsAsLongAsANameCanBe) {
  const std::string name = std::string(251, 'a') + ".83p"; // 255 characters
  EXPECT_EQ(run("good.z80 " + name), 0) << err_;
  EXPECT_EQ(readTi83(readBytes(dir_ / name)).name, "AAAAAAAA");
}

TEST_F(TavasmCli, FindsIncludesInTheFolderBesideItself) {
  write(dir_ / "bin" / "include" / "defs.inc", "#define VAL 9\n");
  const fs::path exe = dir_ / "bin" / "tavasm";
  fs::copy_file(TAVASM_EXE, exe);
  EXPECT_EQ(run("inc.z80 o.bin", exe.string()), 0) << err_;
  EXPECT_EQ(readBytes(dir_ / "o.bin"), std::vector<std::uint8_t>{0x09});
  // A folder given with -I comes first.
  EXPECT_EQ(run("-I mine inc.z80 o.bin", exe.string()), 0) << err_;
  EXPECT_EQ(readBytes(dir_ / "o.bin"), std::vector<std::uint8_t>{0x05});
}

} // namespace
