// JPEG through libjpeg's decompression interface, from memory.
//
// libjpeg reports fatal errors through its error exit, which must not return;
// ours jumps back to the one function that called setjmp. That function owns
// no C++ object with a destructor, and everything that must outlive the jump
// lives on the heap in a JpegDecode that its caller releases.
#include <csetjmp>
#include <cstdio>
#include <memory>

// jpeglib.h needs <cstdio> before it, and jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "runtime/pictures/decoders.h"

namespace runtime {

namespace {

// The source hands libjpeg the input in blocks of this many bytes.
constexpr size_t kBlockBytes = 4096;
const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

struct MemorySource {
  jpeg_source_mgr pub;  // first, so libjpeg's pointer is ours
  Bytes input;          // the whole file
  size_t position;      // first byte not yet handed to libjpeg
};

struct ErrorExit {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer is ours
  std::jmp_buf jump;   // where a fatal error goes
};

struct JpegDecode {
  jpeg_decompress_struct cinfo;
  ErrorExit error;
  MemorySource source;
  Picture* picture;  // made once the size is known; released on failure
};

MemorySource* SourceOf(j_decompress_ptr cinfo) {
  return reinterpret_cast<MemorySource*>(cinfo->src);
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// The next block of input. An input with no bytes at all is fatal; one that
// merely ends early gets an end-of-image marker and a warning, so libjpeg
// finishes the picture with what it has.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  MemorySource* source = SourceOf(cinfo);
  size_t left = source->input.size() - source->position;
  if (left == 0) {
    if (source->position == 0) ERREXIT(cinfo, JERR_INPUT_EMPTY);
    WARNMS(cinfo, JWRN_JPEG_EOF);
    source->pub.next_input_byte = kEndOfImage;
    source->pub.bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
  }
  size_t block = left < kBlockBytes ? left : kBlockBytes;
  source->pub.next_input_byte = source->input.data() + source->position;
  source->pub.bytes_in_buffer = block;
  source->position += block;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  MemorySource* source = SourceOf(cinfo);
  auto skip = static_cast<size_t>(count);
  if (skip <= source->pub.bytes_in_buffer) {
    source->pub.next_input_byte += skip;
    source->pub.bytes_in_buffer -= skip;
    return;
  }
  skip -= source->pub.bytes_in_buffer;
  source->pub.bytes_in_buffer = 0;
  size_t left = source->input.size() - source->position;
  source->position += skip < left ? skip : left;
}

[[noreturn]] void ErrorExitJump(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorExit*>(cinfo->err)->jump, 1);
}

// Warnings and traces are not shown anywhere: a picture that cannot be shown
// is an ordinary failure of the command that asked for it.
void IgnoreMessage(j_common_ptr) {}

// Where scanline `y` (counted from the top) goes in the kind 1 layout, whose
// rows run bottom-up.
uint8_t* BottomUpRow(const jpeg_decompress_struct& cinfo, JDIMENSION y, Picture* picture) {
  return static_cast<uint8_t*>(picture->pixels) +
         size_t{cinfo.output_height - 1 - y} * cinfo.output_width * 3;
}

// Row `y` of the scanlines that do not come out as blue-green-red (grey)
// into the kind 1 layout. Other component counts stay black.
void StoreRow(const jpeg_decompress_struct& cinfo, const JSAMPLE* row, JDIMENSION y,
              Picture* picture) {
  size_t width = cinfo.output_width;
  uint8_t* out = BottomUpRow(cinfo, y, picture);
  if (cinfo.output_components == 1) {
    for (size_t x = 0; x < width; ++x, ++row, out += 3) out[0] = out[1] = out[2] = *row;
  }
}

// The whole decompression. A fatal error anywhere lands at the setjmp.
bool RunDecompress(JpegDecode* d) {
  if (setjmp(d->error.jump) != 0) return false;
  jpeg_create_decompress(&d->cinfo);
  // A progressive picture keeps every coefficient of the image (2 bytes a
  // sample) while it decodes: libjpeg's own memory is held to the limit too,
  // and with no backing store it fails when the coefficients do not fit.
  d->cinfo.mem->max_memory_to_use = static_cast<long>(PictureByteLimit());
  d->cinfo.src = &d->source.pub;
  jpeg_read_header(&d->cinfo, TRUE);
  // Refuse an oversized picture before libjpeg allocates its own buffers.
  const uint64_t width = d->cinfo.image_width;
  const uint64_t height = d->cinfo.image_height;
  if (!PictureWithinLimit(width, height, width * height * 3)) return false;
  // Colour pictures come out of libjpeg-turbo as blue-green-red, straight
  // into the picture's rows.
  const bool bgr = d->cinfo.out_color_space == JCS_RGB;
  if (bgr) d->cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&d->cinfo);
  const jpeg_decompress_struct& cinfo = d->cinfo;
  d->picture = NewPicture(PictureKind::kJpeg, static_cast<int32_t>(cinfo.output_width),
                          static_cast<int32_t>(cinfo.output_height),
                          uint64_t{cinfo.output_width} * cinfo.output_height * 3);
  if (d->picture == nullptr) return false;
  JSAMPARRAY row =
      (*d->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d->cinfo), JPOOL_IMAGE,
                                    cinfo.output_width * cinfo.output_components, 1);
  const bool direct = bgr && cinfo.output_components == 3;
  while (cinfo.output_scanline < cinfo.output_height) {
    JDIMENSION y = cinfo.output_scanline;
    JSAMPROW target[1] = {row[0]};
    if (direct) target[0] = BottomUpRow(cinfo, y, d->picture);
    if (jpeg_read_scanlines(&d->cinfo, target, 1) != 1) return false;
    if (!direct) StoreRow(cinfo, row[0], y, d->picture);
  }
  jpeg_finish_decompress(&d->cinfo);
  return true;
}

}  // namespace

Picture* DecodeJpeg(Bytes bytes) {
  auto d = std::make_unique<JpegDecode>();
  d->cinfo.err = jpeg_std_error(&d->error.pub);
  d->error.pub.error_exit = ErrorExitJump;
  d->error.pub.output_message = IgnoreMessage;
  d->source.pub.init_source = InitSource;
  d->source.pub.fill_input_buffer = FillInputBuffer;
  d->source.pub.skip_input_data = SkipInputData;
  d->source.pub.resync_to_restart = jpeg_resync_to_restart;
  d->source.pub.term_source = TermSource;
  d->source.input = bytes;
  bool decoded = RunDecompress(d.get());
  jpeg_destroy_decompress(&d->cinfo);
  if (decoded) return d->picture;
  ReleasePicture(d->picture);
  return nullptr;
}

}  // namespace runtime
