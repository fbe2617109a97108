#include "core/skin/zip_archive.h"

#include <gtest/gtest.h>

#include "core/skin/zip_builder.h"
#include "fakes/fake_file_store.h"

namespace zr4::test {
namespace {

class ZipArchiveTest : public ::testing::Test {
 protected:
  TZipArchive Open(const std::string& bytes, bool scan = false) {
    files.files["/s/a.zip"] = bytes;
    TZipArchive zip(codec);
    if (scan)
      zip.OpenByScan(files, "/s/a.zip");
    else
      zip.Open(files, "/s/a.zip");
    return zip;
  }
  std::string Extract(const TZipArchive& zip, const std::string& name) {
    std::string out;
    zip.ExtractFile(name, out);
    return out;
  }
  FakeFileStore files;
  FakeTextCodec codec;
};

TEST_F(ZipArchiveTest, ListsThroughTheDirectoryAndFindsNamesWithoutFolderOrCase) {
  const std::string picture(3000, 'x');
  const TZipArchive zip = Open(BuildZip({{"skins/blue/main.bmp", picture, true},
                                         {"skin.ini", "[Text]\r\n", false},
                                         {"skins/blue/", ""}},
                                        "made for tests"));
  ASSERT_EQ(zip.Count(), 3);
  EXPECT_EQ(zip.NameAt(0), "main.bmp");
  EXPECT_EQ(zip.EntryAt(0)->Path, "skins\\blue\\");
  EXPECT_EQ(zip.EntryAt(1)->Path, "");
  EXPECT_EQ(zip.NameAt(2), "");  // the folder entry
  EXPECT_EQ(zip.IndexOfName("MAIN.BMP"), 0);
  EXPECT_EQ(zip.IndexOfName("Skin.Ini"), 1);
  EXPECT_EQ(zip.IndexOfName("nothere.bmp"), -1);
  EXPECT_EQ(zip.CompressionKind(0), 8);
  EXPECT_EQ(zip.CompressionKind(1), 0);
  EXPECT_EQ(zip.ArchiveName(), "a.zip");
  EXPECT_EQ(zip.Folder(), "/s/");
  EXPECT_EQ(Extract(zip, "main.bmp"), picture);
  EXPECT_EQ(Extract(zip, "SKIN.INI"), "[Text]\r\n");
  EXPECT_EQ(Extract(zip, "unknown"), "");
}

// The writer the skins are made with: one stored member "a.ini" holding "AB", byte for byte as
// the zip format lays it out (local header and data at 0, directory entry at 37, end record at
// 88), and a deflated one read back.
TEST_F(ZipArchiveTest, TheWriterLaysOutLocalHeaderDirectoryAndEndRecord) {
  const std::string expected(
      "\x50\x4B\x03\x04\x14\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\x4C\x69\x30\x02\x00"
      "\x00\x00\x02\x00\x00\x00\x05\x00\x00\x00\x61\x2E\x69\x6E\x69\x41\x42"
      "\x50\x4B\x01\x02\x14\x00\x14\x00\x00\x00\x00\x00\x00\x00\x00\x00\x07\x4C\x69\x30"
      "\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\x00\x61\x2E\x69\x6E\x69"
      "\x50\x4B\x05\x06\x00\x00\x00\x00\x01\x00\x01\x00\x33\x00\x00\x00\x25\x00\x00\x00"
      "\x00\x00",
      110);
  EXPECT_EQ(WriteZip({{"a.ini", "AB", false}}), expected);

  const std::string picture(3000, 'p');
  TZipArchive zip = Open(WriteZip({{"skin.ini", "[Text]"}, {"main.bmp", picture}}));
  EXPECT_EQ(zip.CompressionKind(1), 8);
  EXPECT_EQ(Extract(zip, "main.bmp"), picture);
}

TEST_F(ZipArchiveTest, TheScanListsLocalHeadersOfADamagedDirectory) {
  std::string bytes =
      BuildZip({{"a.bmp", "AAAA"}, {"b.bmp", std::string("\xAB\x00\x04", 3), false}});
  bytes.resize(bytes.size() - 10);       // the end record is cut
  EXPECT_THROW(Open(bytes), EZipError);  // so that the skin loader turns to the scan
  TZipArchive zip = Open(bytes, true);
  ASSERT_EQ(zip.Count(), 2);
  EXPECT_EQ(Extract(zip, "A.BMP"), "AAAA");
}

// One stored member "a.ini" holding "AB": local header at 0, central record at 37, end record
// at 88. An end record with fewer than its 22 bytes after the signature is a read error, not an
// empty archive.
TEST_F(ZipArchiveTest, AnEndRecordCutShortIsAReadErrorAndTheScanStillListsTheMember) {
  const std::string local(
      "PK\x03\x04\x0A\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00\x00\x00"
      "a.iniAB",
      37);
  const std::string central(
      "PK\x01\x02\x14\x00\x0A\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x02\x00\x00\x00\x02\x00\x00\x00\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x00\x00\x00\x00\x00\x00\x00\x00"
      "a.ini",
      51);
  const std::string end(
      "PK\x05\x06\x00\x00\x00\x00\x01\x00\x01\x00\x33\x00\x00\x00"
      "\x25\x00\x00\x00\x00\x00",
      22);
  const TZipArchive whole = Open(local + central + end);
  ASSERT_EQ(whole.Count(), 1);
  EXPECT_EQ(Extract(whole, "A.INI"), "AB");

  for (const std::size_t kept : {4u, 12u, 21u}) {
    const std::string cut = local + central + end.substr(0, kept);
    EXPECT_THROW(Open(cut), EZipError) << kept;
    const TZipArchive scanned = Open(cut, true);
    ASSERT_EQ(scanned.Count(), 1) << kept;
    EXPECT_EQ(Extract(scanned, "a.ini"), "AB") << kept;
  }
}

TEST_F(ZipArchiveTest, NamesAreUtf8WhenFlaggedAndShiftJisOtherwise) {
  const TZipArchive zip =
      Open(BuildZip({{"\xE9\x9D\x92.bmp", "1", false, 0x0800}, {"\x90\xC2.bmp", "2", false, 0}}));
  EXPECT_EQ(zip.NameAt(0), "\xE9\x9D\x92.bmp");
  EXPECT_EQ(zip.NameAt(1), "??.bmp");  // through the code page converter
}

TEST_F(ZipArchiveTest, NothingIsListedForMissingFilesWrongNamesAndEmptyFiles) {
  TZipArchive zip(codec);
  zip.Open(files, "/s/missing.ZIP");
  EXPECT_EQ(zip.Count(), 0);
  files.files["/s/a.txt"] = BuildZip({{"a", "1"}});
  zip.Open(files, "/s/a.txt");
  EXPECT_EQ(zip.Count(), 0);
  EXPECT_EQ(Open("").Count(), 0);
  EXPECT_EQ(Open("", true).Count(), 0);
}

TEST_F(ZipArchiveTest, DamagedSizesAndOffsetsAreErrorsNeverReadsOutsideTheFile) {
  // The central directory's offset points past the end.
  std::string bytes = BuildZip({{"a", "1234"}});
  bytes[bytes.size() - 6] = '\x7F';
  EXPECT_THROW(Open(bytes), EZipError);

  // Declared sizes the data cannot fill, or beyond the limit, or a stream longer than declared.
  const struct {
    ZipMember member;
  } damaged[] = {
      {{"stored", "1234", false, 0, 40}},
      {{"deflated", std::string(500, 'q'), true, 0, 900}},
      {{"long", std::string(500, 'q'), true, 0, 100}},
      {{"huge", "1", false, 0, 0x7FFFFFFF}},
  };
  for (const auto& d : damaged) {
    const TZipArchive zip = Open(BuildZip({d.member}));
    std::string out = "kept";
    EXPECT_THROW(zip.ExtractTo(0, out), EZipError) << d.member.name;
    EXPECT_EQ(out, "kept") << d.member.name;
  }
}

}  // namespace
}  // namespace zr4::test
