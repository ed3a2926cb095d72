// The picture decoders over arbitrary bytes and over damaged valid pictures: whole-picture and
// row-selective, JPEG and BMP. The input goes through a file, as the loader's pictures do.
#include <fcntl.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

// Small enough that a header claiming a large picture costs little, large enough to decode real
// inputs; the refusal path is the same at any limit.
constexpr int64_t kFuzzMaxPixels = 4000000;

// The file the input is written to, removed when the fuzzer exits.
class InputFile {
 public:
  InputFile() : path_("/tmp/vm_fuzz_picture_XXXXXX") {
    const int fd = mkstemp(path_.data());
    if (fd < 0) std::abort();
    close(fd);
  }
  ~InputFile() { unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& InputPath() {
  static const InputFile file;
  return file.path();
}

void WriteInput(const uint8_t* data, size_t size) {
  const int fd = open(InputPath().c_str(), O_WRONLY | O_TRUNC);
  if (fd < 0) std::abort();
  for (size_t done = 0; done < size;) {
    const ssize_t wrote = write(fd, data + done, size - done);
    if (wrote <= 0) std::abort();
    done += static_cast<size_t>(wrote);
  }
  close(fd);
}

// Every third row, with the bottom one: the pattern a thumbnail's sampling makes.
void ChooseEveryThirdRow(void*, int32_t, int32_t height, uint8_t* wanted) {
  for (int32_t row = 0; row < height; ++row) wanted[row] = row % 3 == 0;
}

// Valid pictures for the input to damage, so that runs reach deep into the decoders: a small
// JPEG and a 4-bit BMP with a palette, plain and run-length encoded.
std::vector<uint8_t> TemplateJpeg() {
  std::vector<uint8_t> rgb(37 * 23 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  tjhandle encoder = tjInitCompress();
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  tjCompress2(encoder, rgb.data(), 37, 0, 23, TJPF_RGB, &jpeg, &size, TJSAMP_420, 80,
              TJFLAG_PROGRESSIVE);
  std::vector<uint8_t> bytes(jpeg, jpeg + size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return bytes;
}

std::vector<uint8_t> TemplateBmp() {
  const uint8_t header[] = {'B', 'M', 0x86, 0, 0, 0, 0, 0, 0, 0, 0x76, 0, 0, 0,  // file
                            40, 0, 0, 0, 5, 0, 0, 0, 4, 0, 0, 0, 1, 0, 4, 0,      // 5 x 4, 4 bits
                            0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0};
  std::vector<uint8_t> bytes(std::begin(header), std::end(header));
  for (int i = 0; i < 16 * 4 + 4 * 4; ++i) bytes.push_back(static_cast<uint8_t>(i * 37));
  return bytes;
}

// The 4-bit BMP's pixels as run-length records: runs, absolute mode, a jump, end of line and of
// bitmap.
std::vector<uint8_t> TemplateRleBmp() {
  std::vector<uint8_t> bytes = TemplateBmp();
  bytes.resize(0x76);
  bytes[30] = 2;  // BI_RLE4
  const uint8_t runs[] = {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 2, 1, 1, 1, 0x30, 0, 1};
  bytes.insert(bytes.end(), std::begin(runs), std::end(runs));
  return bytes;
}

// The first byte picks raw input or one of the templates; the rest is laid over the template
// (exclusive or) from the offset in the next two bytes.
std::vector<uint8_t> Shape(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> kTemplates[3] = {TemplateJpeg(), TemplateBmp(), TemplateRleBmp()};
  if (size < 3 || data[0] % 4 == 0) return {data, data + size};
  std::vector<uint8_t> bytes = kTemplates[data[0] % 4 - 1];
  const size_t offset = (data[1] | (data[2] << 8)) % bytes.size();
  for (size_t i = 3; i < size; ++i) {
    const size_t at = offset + i - 3;
    if (at >= bytes.size()) bytes.push_back(0);
    bytes[at] ^= data[i];
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes = Shape(data, size);
  WriteInput(bytes.data(), bytes.size());
  platform::DecodedPicture picture;
  if (platform::DecodePictureFile(InputPath().c_str(), kFuzzMaxPixels, &picture))
    platform::ReleaseDecodedPicture(&picture);
  if (platform::DecodePictureRows(InputPath().c_str(), kFuzzMaxPixels, {ChooseEveryThirdRow, nullptr},
                                  &picture))
    platform::ReleaseDecodedPicture(&picture);
  return 0;
}
