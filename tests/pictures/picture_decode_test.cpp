// The platform decoder (CMYK inks, what is refused) and the PictureLoader over it. Every BMP layout
// and JPEG kind, and the row-selective decode: the damaged-files test.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <tuple>
#include <utility>

#include "picture_files.h"
#include "pictures/texture_loader.h"
#include "platform/platform.h"

namespace {

using testpictures::Pattern;
using testpictures::Rgb;

constexpr int64_t kMaxPixels = 100000000;
const Rgb kRed{255, 0, 0}, kLime{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

struct Decoded {
  bool ok = false;
  platform::DecodedPicture picture;
  explicit Decoded(const std::string& path) { ok = platform::DecodePictureFile(path.c_str(), kMaxPixels, &picture); }
  ~Decoded() { platform::ReleaseDecodedPicture(&picture); }
  Rgb At(int32_t x, int32_t yFromTop) const {
    const uint8_t* p = picture.pixels + 4 * ((int64_t{picture.height} - 1 - yFromTop) * picture.width + x);
    return {p[2], p[1], p[0]};
  }
};

// CMYK inks (stored as Adobe writes them, 255 - ink, with its marker) come back exactly, also past a
// fill byte or a 300-byte comment (both length bytes count). Other markers: the damaged-files test.
TEST(PictureDecode, CmykJpegsFindAdobesMarkerPastOtherSegments) {
  TempFolder folder;
  ASSERT_TRUE(folder.Convert("-size 16x16 'xc:cmyk(100,0,50,0)' -quality 100", "c.jpg"));
  const std::vector<uint8_t> bytes = folder.Read("c.jpg");
  ASSERT_EQ(bytes[3], 0xEE) << "the Adobe marker first";
  std::vector<uint8_t> fill = bytes, comment = bytes;
  fill.insert(fill.begin() + 2, 0xFF);
  comment.insert(comment.begin() + 2, 300, 'c');
  comment.insert(comment.begin() + 2, {0xFF, 0xFE, 302 >> 8, 302 & 0xFF});
  for (const auto& jpeg : {bytes, fill, comment}) {
    folder.Write("c.bmp", jpeg);  // named as a bitmap: the kind is told by the content
    Decoded decoded(folder.PathOf("c.bmp"));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.At(5, 5), (Rgb{155, 255, 205})) << jpeg.size();
  }
}

// The offset of the first marker of kind at or after from.
size_t FindMarker(const std::vector<uint8_t>& bytes, uint8_t kind, size_t from = 2) {
  for (size_t i = from; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == kind) return i;
  ADD_FAILURE() << "no marker " << int{kind};
  return 0;
}

// Every row, from the row-selective decoder.
void ChooseAllRows(void*, int32_t, int32_t height, uint8_t* wanted) { std::fill_n(wanted, height, 1); }
bool DecodeRows(const std::string& path, int64_t maxPixels, platform::DecodedPicture* out) {
  return platform::DecodePictureRows(path.c_str(), maxPixels, {ChooseAllRows, nullptr}, out);
}

// Both decoders (the viewer's and the grid's) refuse the same files, cleanly; a warning alone
// refuses nothing. (Files cut short or with bytes changed: the damaged-files test.)
TEST(PictureDecode, RefusesDamagedAndOversizedFilesCleanly) {
  TempFolder folder;
  ASSERT_TRUE(folder.Convert(testpictures::QuadrantArguments(64, 48) + " -interlace Plane", "good.jpg"));
  std::vector<uint8_t> jpeg = folder.Read("good.jpg"), stray = jpeg;
  stray.insert(stray.begin() + static_cast<ptrdiff_t>(FindMarker(jpeg, 0xDB)), {1, 2, 3});  // libjpeg warns
  folder.Write("stray.jpg", stray);
  // The first scan again and again, each a pass over the picture: 100 scans in all decode, one more
  // than any encoder writes is refused.
  const auto scan = jpeg.begin() + static_cast<ptrdiff_t>(FindMarker(jpeg, 0xDA)),
             next = jpeg.begin() + static_cast<ptrdiff_t>(FindMarker(jpeg, 0xDA, scan - jpeg.begin() + 2));
  int scansIn = 0;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i) scansIn += jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA;
  for (const int total : {100, 101}) {
    std::vector<uint8_t> scans(jpeg.begin(), next);
    for (int i = scansIn; i < total; ++i) scans.insert(scans.end(), scan, next);
    scans.insert(scans.end(), next, jpeg.end());
    folder.Write(total == 100 ? "good with 100 scans.jpg" : "101 scans.jpg", scans);
  }
  std::vector<uint8_t> bmp = testpictures::EncodeBmp(Pattern(2, 2, {kRed}));
  bmp[18] = 0x10, bmp[19] = 0x27;  // width 10000, height 2: within the limit, rows absent
  folder.Write("short.bmp", bmp);
  std::vector<uint8_t> cut = testpictures::EncodeBmp(Pattern(64, 64, {kRed}));
  cut.resize(64 * 64 * 3 - 1), folder.Write("cut.bmp", cut);  // a byte fewer than its rows, header counted
  ASSERT_EQ(mkfifo(folder.PathOf("fifo.jpg").c_str(), 0600), 0);  // never waits for a writer
  folder.Write("over a gigabyte.bmp", testpictures::EncodeBmp(Pattern(2, 2, {kRed})));
  fs::resize_file(folder.PathOf("over a gigabyte.bmp"), (uintmax_t{1} << 30) + 1);  // sparse: never read
  for (const char* name : {"missing.jpg", "", "101 scans.jpg", "short.bmp", "cut.bmp", "fifo.jpg", "over a gigabyte.bmp",
                           "stray.jpg", "good.jpg", "good with 100 scans.jpg"}) {
    const bool accepted = std::string(name).starts_with("stray") || std::string(name).starts_with("good");
    Decoded decoded(folder.PathOf(name));
    platform::DecodedPicture some;
    EXPECT_TRUE(decoded.ok == accepted && (decoded.picture.pixels != nullptr) == accepted) << name;
    EXPECT_EQ(DecodeRows(folder.PathOf(name), kMaxPixels, &some), accepted) << name;
    platform::ReleaseDecodedPicture(&some);
  }
  // Exactly at the limit a picture decodes; one pixel over, by the header alone, it is refused
  // before any pixel is stored.
  folder.Write("one row.bmp", testpictures::EncodeBmp(Pattern(3, 1, {kRed})));
  for (const auto& [name, pixels] : {std::pair{"good.jpg", 64 * 48}, {"one row.bmp", 3}}) {
    platform::DecodedPicture whole, some;
    EXPECT_TRUE(platform::DecodePictureFile(folder.PathOf(name).c_str(), pixels, &whole)) << name;
    EXPECT_TRUE(DecodeRows(folder.PathOf(name), pixels, &some)) << name;
    platform::ReleaseDecodedPicture(&whole), platform::ReleaseDecodedPicture(&some);
  }
  bmp[22] = 0x10, bmp[23] = 0x27;  // and height 10000
  folder.Write("huge.bmp", bmp);
  const size_t frame = FindMarker(jpeg, 0xC2);
  for (const size_t i : {frame + 5, frame + 7}) jpeg[i] = 20000 >> 8, jpeg[i + 1] = 20000 & 0xFF;
  folder.Write("huge.jpg", jpeg);
  for (const auto& [name, pixels] : {std::pair{"huge.bmp", 100000000}, std::pair{"huge.jpg", 400000000}}) {
    platform::DecodedPicture whole, some;
    const std::string path = folder.PathOf(name);
    EXPECT_FALSE(platform::DecodePictureFile(path.c_str(), pixels - 1, &whole)) << name;
    EXPECT_FALSE(DecodeRows(path, pixels - 1, &some)) << name;
    EXPECT_EQ(int64_t{whole.width} * whole.height, pixels) << "the header was read: " << name;
    EXPECT_TRUE(some.width == whole.width && whole.pixels == nullptr && some.pixels == nullptr) << name;
  }
}

// A file whose reads fail (its start is memory not mapped) gives no bytes, and is not read again.
TEST(PictureDecode, AFailingReadEndsTheRead) {
  platform::ReadableFile* unreadable = platform::OpenFileForReading("/proc/self/mem");
  ASSERT_NE(unreadable, nullptr);
  uint8_t byte = 0;
  EXPECT_EQ(platform::ReadFromFile(unreadable, &byte, 1), 0u);
  platform::CloseReadableFile(unreadable);
}

TEST(PictureNames, AreTypedByTheirExtension) {
  PictureInfoRecord info{};
  for (const auto& [name, type, loadable] :
       {std::tuple{"Photo.JPG", 2, 1u}, {"dotted.name.Jpeg", 2, 1u}, {"scan.BMP", 1, 1u}, {"anim.gif", 5, 0u},
        {"icon.ico", 6, 0u}, {"drawing.emf", 7, 0u}, {"clip.wmf", 8, 0u}, {"README", 0, 0u}, {"..", 0, 0u},
        {"photo.jpg.txt", 0, 0u}, {"trailing.", 0, 0u}}) {
    info.type = 99, PictureLoader.loadable = 7;
    EXPECT_EQ(PictureLoader.IsPictureName(name, info), 1);
    EXPECT_EQ(std::pair(info.type, PictureLoader.loadable), std::pair(type, loadable)) << name;
  }
  char out[16];
  TextureLoader::GetExtension("long.abcdefghijklmnopqrstuvwxyz", out);
  EXPECT_STREQ(out, "abcdefghijklmno") << "cut to the 16-byte buffer";
  EXPECT_EQ(PicturePathFor("a b.jpg"), fs::current_path().string() + "/a b.jpg");
  EXPECT_EQ(PicturePathFor("see http://host/p.jpg"), "see http://host/p.jpg");
}

class PictureLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::current_path(folder_.path());
    AllocatePictureBuffer();
    PictureInfo = {};
    PictureLoader.SetKeyColour(1, 0, 0, 0);
  }
  void TearDown() override {
    PictureLoader.SetKeyColour(1, 0, 0, 0);
    fs::current_path(previousDir_);
  }
  static int32_t Load(const char* name) {
    PictureLoader.IsPictureName(name, PictureInfo);
    return PictureLoader.LoadPicture(name, PictureInfo);
  }
  static std::vector<uint8_t> Stored(size_t bytes) { return {PictureBuffer, PictureBuffer + bytes}; }

  fs::path previousDir_ = fs::current_path();
  TempFolder folder_;
};

TEST_F(PictureLoading, StoresRgbaBottomUpWithTheKeyColourClear) {
  const TextureLoader fresh;
  EXPECT_EQ(std::tuple(fresh.keyMode, fresh.keyColour[0], fresh.keyColour[1], fresh.keyColour[2]),
            std::tuple(1, 0, 0, 0)) << "black is keyed from the start";
  // Top row white then lime, bottom row black then red: keyed black, keyed white, keyed red, a key
  // that is white but for blue, and another mode, which keeps the colour and converts plainly.
  folder_.Write("p.bmp", testpictures::EncodeBmp({2, 2, {kWhite, kLime, kBlack, kRed}}));
  const std::vector<uint8_t> opaque{0, 0, 0, 255, 255, 0, 0, 255, 255, 255, 255, 255, 0, 255, 0, 255};
  const auto clear = [&opaque](size_t pixel) {
    std::vector<uint8_t> stored = opaque;
    stored[4 * pixel + 3] = 0;
    return stored;
  };
  const std::pair<Rgb, std::vector<uint8_t>> cases[] = {
      {kBlack, clear(0)}, {kWhite, clear(2)}, {kRed, clear(1)}, {{255, 255, 0}, opaque}};
  for (const auto& [key, stored] : cases) {
    PictureLoader.SetKeyColour(1, key.r, key.g, key.b);
    ASSERT_EQ(Load("p.bmp"), 1);
    EXPECT_EQ(Stored(16), stored) << int{key.r} << " " << int{key.b};
  }
  PictureLoader.SetKeyColour(0, 9, 9, 9);
  ASSERT_EQ(Load("p.bmp"), 1);
  EXPECT_EQ(Stored(16), opaque);
  EXPECT_EQ(PictureLoader.keyColour[0], 255);
  EXPECT_EQ(std::tuple(PictureInfo.width, PictureInfo.height, PictureInfo.bitsPerPixel, PictureInfo.format),
            std::tuple(2u, 2u, 32u, 6408u));
  EXPECT_EQ(std::pair(PictureLoader.width, PictureLoader.height), std::pair(2, 2));
}

TEST_F(PictureLoading, FailuresLeaveThePreviousPicture) {
  folder_.Write("good.bmp", testpictures::EncodeBmp(Pattern(3, 2, {{10, 20, 30}, {40, 50, 60}})));
  folder_.Write("really_a.gif", testpictures::EncodeBmp(Pattern(2, 2, {{1, 2, 3}})));
  folder_.Write("damaged.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'});
  const uint32_t loads = PictureLoader.loads;
  ASSERT_EQ(Load("good.bmp"), 1);
  const std::vector<uint8_t> before = Stored(3 * 2 * 4);
  EXPECT_EQ(Load("damaged.jpg"), 0);
  EXPECT_EQ(std::tuple(PictureInfo.width, PictureInfo.height, PictureInfo.type), std::tuple(3u, 2u, 2))
      << "the type describes the last name";
  EXPECT_EQ(Load("really_a.gif"), 0) << "only BMP and JPEG names are decoded";
  EXPECT_EQ(Load("missing.bmp"), 0);
  EXPECT_EQ(Stored(3 * 2 * 4), before);
  EXPECT_EQ(PictureLoader.loads, loads + 1) << "only successful decodes count";
  uint8_t* const buffer = std::exchange(PictureLoader.pixels, nullptr);
  EXPECT_EQ(Load("good.bmp"), 0) << "no buffer to load into";
  PictureLoader.pixels = buffer;
  // The current folder's path fits in 260 bytes and no more: beyond, there is no path, and nothing
  // is read from elsewhere.
  const std::string base = folder_.text();
  for (const size_t length : {size_t{260}, size_t{261}}) {
    const std::string folder = base + "/" + std::string(length - base.size() - 1, 'd');
    fs::create_directory(folder);
    fs::copy_file(folder_.PathOf("good.bmp"), folder + "/good.bmp");
    fs::current_path(folder);
    EXPECT_EQ(Load("good.bmp"), length == 260 ? 1 : 0) << length;
    fs::current_path(base);
  }
  EXPECT_EQ(Stored(3 * 2 * 4), before);
}

}  // namespace
