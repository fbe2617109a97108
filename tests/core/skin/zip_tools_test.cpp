// Archives written by other tools: Python's zipfile and the zip command.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/skin/zip_archive.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {
namespace {

namespace fs = std::filesystem;

class ZipToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zr4zip" + std::to_string(getpid()));
    fs::create_directories(dir / "skins" / "blue");
    std::ofstream(dir / "skins" / "blue" / "Main.BMP") << std::string(5000, 'm');
    std::ofstream(dir / "skins" / "blue" / "skin.ini") << "[Text]\nAuthor=me\n";
  }
  void TearDown() override { fs::remove_all(dir); }

  TZipArchive Open(const fs::path& archive) {
    std::ifstream in(archive, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    files.files["a.zip"] = bytes.str();
    TZipArchive zip(codec);
    zip.Open(files, "a.zip");
    return zip;
  }

  void Expect(const TZipArchive& zip) {
    std::string main, ini;
    zip.ExtractFile("main.bmp", main);
    zip.ExtractFile("SKIN.INI", ini);
    EXPECT_EQ(main, std::string(5000, 'm'));
    EXPECT_EQ(ini, "[Text]\nAuthor=me\n");
    EXPECT_EQ(zip.EntryAt(zip.IndexOfName("main.bmp"))->Path, "skins\\blue\\");
  }

  fs::path dir;
  FakeFileStore files;
  FakeTextCodec codec;
};

TEST_F(ZipToolsTest, PythonZipfileStoredDeflatedWithCommentAndStreamedMembers) {
  const std::string script =
      "import zipfile,sys,os\n"
      "d=sys.argv[1]\n"
      "for name,method in "
      "(('stored.zip',zipfile.ZIP_STORED),('deflated.zip',zipfile.ZIP_DEFLATED)):\n"
      "  with zipfile.ZipFile(os.path.join(d,name),'w',method) as z:\n"
      "    z.comment=b'a comment written by python'\n"
      "    z.write(os.path.join(d,'skins'),'skins/')\n"
      "    z.write(os.path.join(d,'skins/blue/Main.BMP'),'skins/blue/Main.BMP')\n"
      // A member written as a stream carries its sizes in a data descriptor.
      "    with z.open('skins/blue/skin.ini','w') as f: "
      "f.write(open(os.path.join(d,'skins/blue/skin.ini'),'rb').read())\n";
  std::ofstream(dir / "make.py") << script;
  ASSERT_EQ(std::system(("python3 " + (dir / "make.py").string() + " " + dir.string()).c_str()), 0);
  for (const char* name : {"stored.zip", "deflated.zip"}) {
    SCOPED_TRACE(name);
    const TZipArchive zip = Open(dir / name);
    EXPECT_EQ(zip.Count(), 3);
    Expect(zip);
  }
}

TEST_F(ZipToolsTest, TheZipCommandWithFoldersAndAComment) {
  const std::string command =
      "cd " + dir.string() + " && echo 'made by zip' | zip -q -r -z tool.zip skins >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const TZipArchive zip = Open(dir / "tool.zip");
  EXPECT_EQ(zip.Count(), 4);  // two folders, two files
  Expect(zip);
}

}  // namespace
}  // namespace zr4::test
