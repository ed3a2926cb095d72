// JPEG through libjpeg-turbo's scanline interface, for the whole picture and for chosen rows
// alike, so that the viewer and the thumbnail grid accept exactly the same files. Rows nobody
// asked for are skipped without their inverse DCT, upsampling and colour conversion.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "platform/platform.h"
#include "platform/posix/picture_decode.h"

namespace platform {
namespace {

// No encoder writes more scans than this (a full successive-approximation script for four
// components stays far below); every scan of a progressive picture is a pass over all of it, so
// a stream of thousands of scans would cost minutes.
constexpr int kMaxScans = 100;

struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
};

[[noreturn]] void EscapeOnError(j_common_ptr decoder) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(decoder->err)->escape, 1);
}

// Warnings (a truncated or slightly damaged stream) are not printed; the picture still counts.
void StayQuiet(j_common_ptr) {}

// Called between steps of the decode: a stream that passes the scan bound ends as an error.
void StopAtScanBound(j_common_ptr decoder) {
  if (reinterpret_cast<j_decompress_ptr>(decoder)->input_scan_number > kMaxScans) EscapeOnError(decoder);
}

struct RowPlan {
  std::vector<uint8_t> wanted;  // by row from the bottom
  size_t count = 0;
};

RowPlan PlanRows(const RowChoice* rows, int32_t width, int32_t height) {
  RowPlan plan;
  plan.wanted.assign(static_cast<size_t>(height), rows == nullptr ? 1 : 0);
  if (rows != nullptr) rows->choose(rows->context, width, height, plan.wanted.data());
  for (const uint8_t w : plan.wanted) plan.count += w ? 1 : 0;
  return plan;
}

// Reads scanlines top-down: wanted ones into their place (the bottom-most first), the others
// skipped in runs.
void ReadWantedLines(jpeg_decompress_struct* decoder, const RowPlan& plan, uint8_t* pixels) {
  const auto height = static_cast<int64_t>(decoder->output_height);
  const size_t rowBytes = static_cast<size_t>(decoder->output_width) * 4;
  size_t slot = plan.count;
  while (static_cast<int64_t>(decoder->output_scanline) < height) {
    const int64_t line = decoder->output_scanline;
    const auto row = static_cast<size_t>(height - 1 - line);
    if (plan.wanted[row]) {
      JSAMPROW target = pixels + (--slot) * rowBytes;
      jpeg_read_scanlines(decoder, &target, 1);
      continue;
    }
    JDIMENSION run = 1;
    while (line + run < height && !plan.wanted[static_cast<size_t>(height - 1 - line - run)]) ++run;
    jpeg_skip_scanlines(decoder, run);
  }
}

// Everything a longjmp may skip over lives outside this function's frame.
struct JpegJob {
  const std::vector<uint8_t>* bytes;
  int64_t maxPixels;
  const RowChoice* rows;  // null for every row
  DecodedPicture* out;
  RowPlan plan;
  uint8_t* pixels = nullptr;
  bool cmyk = false;
};

bool RunJpeg(JpegJob* job, jpeg_decompress_struct* decoder) {
  jpeg_mem_src(decoder, job->bytes->data(), static_cast<unsigned long>(job->bytes->size()));
  if (jpeg_read_header(decoder, TRUE) != JPEG_HEADER_OK) return false;
  const auto width = static_cast<int32_t>(decoder->image_width);
  const auto height = static_cast<int32_t>(decoder->image_height);
  job->out->width = width;
  job->out->height = height;
  if (int64_t{width} * height > job->maxPixels) return false;
  job->cmyk = decoder->jpeg_color_space == JCS_CMYK || decoder->jpeg_color_space == JCS_YCCK;
  decoder->out_color_space = job->cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  job->plan = PlanRows(job->rows, width, height);
  job->pixels = static_cast<uint8_t*>(std::malloc(job->plan.count * static_cast<size_t>(width) * 4));
  if (job->pixels == nullptr) return false;
  jpeg_start_decompress(decoder);
  ReadWantedLines(decoder, job->plan, job->pixels);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::vector<uint8_t>& bytes, int64_t maxPixels, const RowChoice* rows,
                DecodedPicture* out) {
  JpegJob job{&bytes, maxPixels, rows, out, {}};
  jpeg_decompress_struct decoder{};
  ErrorTrap trap{};
  decoder.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = EscapeOnError;
  trap.manager.output_message = StayQuiet;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = StopAtScanBound;
  jpeg_create_decompress(&decoder);
  decoder.progress = &progress;
  volatile bool ok = false;
  if (setjmp(trap.escape) == 0) ok = RunJpeg(&job, &decoder);
  jpeg_destroy_decompress(&decoder);
  if (!ok) {
    std::free(job.pixels);
    return false;
  }
  if (job.cmyk)
    ConvertCmykRows(job.pixels, static_cast<int64_t>(job.plan.count) * out->width, HasAdobeMarker(bytes));
  out->pixels = job.pixels;
  return true;
}

}  // namespace platform
