#include "core/skin/skin.h"

#include "core/base/file_path.h"
#include "core/base/ini_file.h"
#include "core/base/same_text.h"
#include "core/ports/file_store.h"
#include "core/ports/folder_list.h"
#include "core/skin/region.h"
#include "core/skin/zip_archive.h"

namespace zr4 {

namespace {

constexpr int kGlyphCount = 3;
constexpr int kTransportImages = 13;
constexpr int kInputImages = 6;
// Strip image k goes to these buttons.
constexpr TSkinButton kTransportButtons[kTransportImages] = {
    btnPlay,  btnStop,   btnPrevious, btnNext, btnRewind,   btnForward, btnEject,
    btnPower, btnRepeat, btnMute,     btnNB,   btnAutoManu, btnOption};
constexpr TSkinButton kInputButtons[kInputImages] = {btnSel_Band, btnSel_Tuner, btnSel_Tape,
                                                     btnSel_CD,   btnSel_Md,    btnSel_Usb};
// A strip skin's minimise and exit buttons have no picture but this size.
constexpr int kSmallButtonWidth = 15;
constexpr int kSmallButtonHeight = 14;
// More members than this: a shaped skin.
constexpr int kStripSkinMostMembers = 10;
// A skin's INI text is a few kilobytes. A larger one is refused before it is read whole: a
// small archive could otherwise unpack megabytes of text for the INI reader.
constexpr std::size_t kMostSkinTextBytes = 64 * 1024;

void CheckSkinTextSize(const std::string& name, std::size_t bytes) {
  if (bytes > kMostSkinTextBytes)
    throw ESkinError("The skin's " + name + " is larger than " +
                     std::to_string(kMostSkinTextBytes) + " bytes");
}

// The member's text; empty when the archive lacks it.
std::string ExtractSkinText(const TZipArchive& zip, const std::string& name) {
  std::string text;
  const int index = zip.IndexOfName(name);
  if (index < 0) return text;
  CheckSkinTextSize(name, zip.EntryAt(index)->UncompressedSize);
  zip.ExtractTo(index, text);
  return text;
}

std::string FolderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string FileNameOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string WithoutExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string LowerAscii(std::string s) {
  for (char& c : s) c = AsciiLower(c);
  return s;
}

// A glyph is transparent where it has the colour of its lower-left pixel.
TImage Glyph(const TImage& strip, int index, int width) {
  TImage glyph = strip.Crop(index * width, 0, width, strip.Height);
  if (glyph.Empty()) return glyph;
  const std::uint32_t key = glyph.Argb[static_cast<std::size_t>(glyph.Height - 1) * glyph.Width];
  for (std::uint32_t& p : glyph.Argb)
    if (p == key) p = 0;
  return glyph;
}

}  // namespace

std::string HiDpiName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name + "@2x" : name.substr(0, dot) + "@2x" + name.substr(dot);
}

std::string FindFileNoCase(FolderList& folders, const std::string& folder,
                           const std::string& name) {
  // '/' follows the folder even where it ends with one: a doubled separator in the path stays.
  const auto inFolder = [&folder](const std::string& file) {
    return JoinFolderName(folder, file, '/', "");
  };
  std::string found;
  for (const TFolderEntry& entry : folders.List(folder.empty() ? "." : folder)) {
    if (entry.IsFolder || !SameText(entry.Name, name)) continue;
    if (entry.Name == name) return inFolder(entry.Name);
    if (found.empty()) found = inFolder(entry.Name);
  }
  return found;
}

void TSkin::LoadSkin(const std::string& path) {
  look_.SkinFileName = path;
  const std::string name = FileNameOf(path);
  const std::string found = FindFileNoCase(files_.Folders, FolderOf(path), name);
  // A skin that is not there would leave the window without a face.
  if (found.empty()) throw ESkinError("The skin file " + path + " does not exist");
  if (SameText(std::string_view(name).substr(name.size() >= 4 ? name.size() - 4 : 0), ".zip")) {
    LoadArchive([&](TZipArchive& zip, bool scan) {
      if (scan)
        zip.OpenByScan(files_.Files, found);
      else
        zip.Open(files_.Files, found);
    });
    return;
  }
  const FileRead read = files_.Files.ReadFile(found);
  CheckSkinTextSize(name, read.bytes.size());
  const std::string text =
      read.result == FileRead::Result::Ok ? DecodeIniText(read.bytes, files_.Codec) : "";
  if (ReadSkinIni(look_.Info, text, path, warnings_)) {
    LoadFolderShapedSkin(found);
    look_.SkinFormat = kShapedSkin;
  } else {
    LoadFolderStripSkin(found);
    look_.SkinFormat = kStripSkin;
  }
}

void TSkin::LoadSkinArchive(const std::string& name, const std::string& bytes) {
  look_.SkinFileName = name;
  LoadArchive([&](TZipArchive& zip, bool scan) {
    if (scan)
      zip.OpenBytesByScan(name, bytes);
    else
      zip.OpenBytes(name, bytes);
  });
}

// Through the central directory first; after any error once more by scanning the local headers.
void TSkin::LoadArchive(const std::function<void(TZipArchive&, bool scan)>& open) {
  TZipArchive zip(files_.Codec);
  const TSkinLook before = look_;
  auto load = [&](bool scan) {
    budget_ = TPictureBudget{};
    open(zip, scan);
    if (zip.Count() > kStripSkinMostMembers) {
      LoadArchiveShapedSkin(zip);
      look_.SkinFormat = kShapedSkin;
    } else {
      LoadArchiveStripSkin(zip);
      look_.SkinFormat = kStripSkin;
    }
  };
  try {
    load(false);
  } catch (const std::runtime_error&) {
    look_ = before;
    warnings_.clear();
    zip.Clear();
    load(true);
  }
}

// Both count against the skin's budget: the file before it is extracted, the picture before its
// pixels are allocated.
std::optional<TBitmap> TSkin::ExtractBitmap(const TZipArchive& zip, const std::string& name,
                                            const std::function<void(int, int)>& size) {
  const int index = zip.IndexOfName(name);
  if (index < 0) return std::nullopt;
  budget_.TakeFile(name, zip.EntryAt(index)->UncompressedSize);
  std::string bytes;
  zip.ExtractTo(index, bytes);
  return DecodeBmp(bytes, [&](int width, int height) {
    if (size) size(width, height);
    budget_.TakePixels(name, width, height);
  });
}

std::optional<TBitmap> TSkin::ReadFolderBitmap(const std::string& folder, const std::string& name,
                                               const std::function<void(int, int)>& size) {
  const std::string path = FindFileNoCase(files_.Folders, folder, name);
  if (path.empty()) return std::nullopt;
  const FileRead read = files_.Files.ReadFile(path);
  if (read.result != FileRead::Result::Ok) throw ESkinError("Cannot open file \"" + path + "\"");
  budget_.TakeFile(name, static_cast<std::int64_t>(read.bytes.size()));
  return DecodeBmp(read.bytes, [&](int width, int height) {
    if (size) size(width, height);
    budget_.TakePixels(name, width, height);
  });
}

namespace {

// A 2x picture of the wrong size, refused before its pixels are taken.
struct TWrongHiDpiSize {
  int width, height;
};

// The window keeps the 1x outline: where the 2x face has the transparent colour inside it (a
// corner rounded more finely), the 1x face shows instead of the colour.
TImage HiDpiFace(const TBitmap& face2x, const TImage& face, std::uint32_t transparent) {
  TImage image = ToImage(face2x);
  const TColorMatcher cut(face2x, transparent);
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      if (cut.Matches(x, y))
        image.Argb[static_cast<std::size_t>(y) * image.Width + x] =
            face.Argb[static_cast<std::size_t>(y / 2) * face.Width + x / 2];
  return image;
}

}  // namespace

std::optional<TBitmap> TSkin::ReadHiDpi(const TBitmapReader& read, const std::string& name,
                                        const TBitmap& picture) {
  if (!files_.HiDpi) return std::nullopt;
  const std::string twin = HiDpiName(name);
  try {
    return read(twin, [&](int width, int height) {
      if (width != 2 * picture.Width || height != 2 * picture.Height)
        throw TWrongHiDpiSize{width, height};
    });
  } catch (const TWrongHiDpiSize& wrong) {
    warnings_.push_back(twin + " is " + std::to_string(wrong.width) + " x " +
                        std::to_string(wrong.height) + ", not twice " + name + " (" +
                        std::to_string(picture.Width) + " x " + std::to_string(picture.Height) +
                        "): " + name + " is enlarged instead");
    return std::nullopt;
  } catch (const EBitmapError& error) {
    // Only the 2x screens would lose the skin; the 1x picture serves them too.
    warnings_.push_back(twin + " cannot be used (" + error.what() + "): " + name +
                        " is enlarged instead");
    return std::nullopt;
  }
}

// The face and the buttons; each picture a skin supplies replaces its 2x twin as well, with the
// skin's own twin or none.
void TSkin::LoadShapedPictures(const TBitmapReader& read) {
  const std::string mainName = kSkinBitmapNames[kSkinButtonCount];
  if (auto main = read(mainName, {})) {
    ApplyMainBitmap(*main, look_.Info.MainTransparentColor);
    auto main2x = ReadHiDpi(read, mainName, *main);
    look_.Main2x =
        main2x ? HiDpiFace(*main2x, look_.Main, look_.Info.MainTransparentColor) : TImage{};
  }
  for (int i = 0; i < kSkinButtonCount; ++i) {
    const std::string name = kSkinBitmapNames[static_cast<std::size_t>(i)];
    auto bitmap = read(name, {});
    if (!bitmap) continue;
    SetSkinBitmap(i, *bitmap);
    auto bitmap2x = ReadHiDpi(read, name, *bitmap);
    look_.Buttons[static_cast<std::size_t>(i)].Image2x =
        bitmap2x ? ToImage(*bitmap2x, look_.Info.BtnTransparentColor) : TImage{};
  }
}

void TSkin::LoadFolderStripSkin(const std::string& iniPath) {
  const std::string folder = FolderOf(iniPath);
  const std::string base = LowerAscii(WithoutExtension(FileNameOf(iniPath)));
  if (auto picture = ReadFolderBitmap(folder, base + "0.bmp")) ApplyStripPicture(*picture);
  if (auto strip = ReadFolderBitmap(folder, base + "1.bmp")) LoadTransportStrip(*strip);
  if (auto strip = ReadFolderBitmap(folder, base + "2.bmp")) LoadInputStrip(*strip);
}

void TSkin::LoadFolderShapedSkin(const std::string& iniPath) {
  const std::string folder = FolderOf(iniPath);
  LoadShapedPictures([&](const std::string& name, const std::function<void(int, int)>& size) {
    return ReadFolderBitmap(folder, name, size);
  });
}

void TSkin::LoadArchiveStripSkin(const TZipArchive& zip) {
  const std::string base = LowerAscii(WithoutExtension(zip.ArchiveName()));
  const std::string text = ExtractSkinText(zip, base + ".ini");
  ReadSkinIni(look_.Info, DecodeIniText(text, files_.Codec), "", warnings_);
  if (auto picture = ExtractBitmap(zip, base + "0.bmp")) ApplyStripPicture(*picture);
  if (auto strip = ExtractBitmap(zip, base + "1.bmp")) LoadTransportStrip(*strip);
  if (auto strip = ExtractBitmap(zip, base + "2.bmp")) LoadInputStrip(*strip);
}

void TSkin::LoadArchiveShapedSkin(const TZipArchive& zip) {
  const std::string text = ExtractSkinText(zip, "skin.ini");
  ReadSkinIni(look_.Info, DecodeIniText(text, files_.Codec), "", warnings_);
  LoadShapedPictures([&](const std::string& name, const std::function<void(int, int)>& size) {
    return ExtractBitmap(zip, name, size);
  });
}

void TSkin::ApplyMainBitmap(const TBitmap& bitmap, std::uint32_t colour) {
  TRegion region;
  region.MakeRgnFromBitmap(bitmap, colour);
  look_.Main = ToImage(bitmap);
  look_.Outline = region.Rects();
}

// A strip skin's window is a plain rectangle.
void TSkin::ApplyStripPicture(const TBitmap& bitmap) {
  look_.Main = ToImage(bitmap);
  look_.Main2x = {};
  look_.Outline.reset();
}

void TSkin::SetSkinBitmap(int button, const TBitmap& bitmap) {
  TButtonFace& face = look_.Buttons[static_cast<std::size_t>(button)];
  face.Image = ToImage(bitmap, look_.Info.BtnTransparentColor);
  face.SkinMode = true;
  face.Width = bitmap.Width / kGlyphCount;
  face.Height = bitmap.Height;
}

void TSkin::LoadTransportStrip(const TBitmap& bitmap) {
  const TImage strip = ToImage(bitmap);
  const int width = bitmap.Width / kTransportImages;
  for (TSkinButton small : {btnExit, btnMinimize}) {
    look_.Buttons[small].Width = kSmallButtonWidth;
    look_.Buttons[small].Height = kSmallButtonHeight;
  }
  for (int k = 0; k < kTransportImages; ++k) {
    TButtonFace& face = look_.Buttons[kTransportButtons[k]];
    face.Image = Glyph(strip, k, width);
    face.Image2x = {};
    face.SkinMode = false;
    face.Width = face.Image.Width;
    face.Height = face.Image.Height;
  }
}

void TSkin::LoadInputStrip(const TBitmap& bitmap) {
  const TImage strip = ToImage(bitmap);
  const int width = bitmap.Width / kInputImages;
  for (int k = 0; k < kInputImages; ++k) {
    TButtonFace& face = look_.Buttons[kInputButtons[k]];
    face.Image = Glyph(strip, k, width);
    face.Image2x = {};
    face.SkinMode = false;
    face.Width = face.Image.Width;
    face.Height = face.Image.Height;
  }
}

}  // namespace zr4
