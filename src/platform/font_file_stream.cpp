#include "platform/font_file_stream.h"

#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace moji {
namespace {

/// Blocks of a font file are read whole, so that the small reads of a glyph request (its
/// metrics, its outline) come from memory after the first: a read from the file costs a system
/// call, many times the work of converting a glyph.
constexpr unsigned long kBlockSize = 16 * 1024;
/// The most blocks kept at once (1 MiB): a whole face read glyph by glyph (report --all) keeps
/// the memory of a few glyphs' blocks, not of its file; the least recently read goes first.
constexpr std::size_t kMostBlocks = 64;

/// The stream and the file behind it.
struct FontFile {
  FT_StreamRec Stream{};
  int Descriptor = -1;
  /// The blocks read so far, by their number; empty where none was read yet.
  std::vector<std::unique_ptr<unsigned char[]>> Blocks;
  /// How many bytes of each block the file held when it was read.
  std::vector<unsigned long> Lengths;
  /// When each block was last read from, by a count of reads; how many blocks are held.
  std::vector<std::uint64_t> LastUse;
  std::uint64_t Reads = 0;
  std::size_t Held = 0;
};

/// Lets go of the block read from longest ago.
void DropOldestBlock(FontFile& file) {
  std::size_t oldest = file.Blocks.size();
  for (std::size_t b = 0; b < file.Blocks.size(); ++b) {
    if (file.Blocks[b] && (oldest == file.Blocks.size() || file.LastUse[b] < file.LastUse[oldest])) oldest = b;
  }
  if (oldest == file.Blocks.size()) return;
  file.Blocks[oldest].reset();
  --file.Held;
}

FontFile& FileOf(FT_Stream stream) { return *static_cast<FontFile*>(stream->descriptor.pointer); }

/// Block `number` of the file, read on first use; nullptr when it can no longer be read.
const unsigned char* Block(FontFile& file, unsigned long number, unsigned long& length) {
  if (!file.Blocks[number]) {
    auto block = std::make_unique<unsigned char[]>(kBlockSize);
    const unsigned long wanted = std::min(kBlockSize, file.Stream.size - number * kBlockSize);
    unsigned long done = 0;
    while (done < wanted) {
      const ssize_t read = pread(file.Descriptor, block.get() + done, wanted - done,
                                 static_cast<off_t>(number * kBlockSize + done));
      if (read > 0) {
        done += static_cast<unsigned long>(read);
      } else if (read == 0 || errno != EINTR) {
        break;
      }
    }
    if (done == 0) return nullptr;
    if (file.Held >= kMostBlocks) DropOldestBlock(file);
    file.Blocks[number] = std::move(block);
    file.Lengths[number] = done;
    ++file.Held;
  }
  file.LastUse[number] = ++file.Reads;
  length = file.Lengths[number];
  return file.Blocks[number].get();
}

/// Copies `count` bytes at `offset` into `buffer`; fewer where the file now ends. A count of 0
/// is a seek, which fails (nonzero) past the end.
unsigned long ReadFontFile(FT_Stream stream, unsigned long offset, unsigned char* buffer,
                           unsigned long count) {
  if (count == 0) return offset > stream->size ? 1 : 0;
  FontFile& file = FileOf(stream);
  unsigned long done = 0;
  while (done < count && offset + done < stream->size) {
    const unsigned long at = offset + done;
    unsigned long length = 0;
    const unsigned char* block = Block(file, at / kBlockSize, length);
    const unsigned long within = at % kBlockSize;
    if (block == nullptr || within >= length) break;
    const unsigned long take = std::min(count - done, length - within);
    std::memcpy(buffer + done, block + within, take);
    done += take;
  }
  return done;
}

void CloseFontFile(FT_Stream stream) {
  FontFile* file = &FileOf(stream);
  close(file->Descriptor);
  delete file;
}

}  // namespace

FT_Face OpenFaceFile(FT_Library library, const std::string& path, long index) {
  struct stat status{};
  const int descriptor = OpenRegularFile(path, status);
  if (descriptor < 0) return nullptr;
  auto* file = new FontFile;
  file->Descriptor = descriptor;
  file->Stream.descriptor.pointer = file;
  file->Stream.size = static_cast<unsigned long>(status.st_size);
  file->Stream.read = ReadFontFile;
  file->Stream.close = CloseFontFile;
  const std::size_t blocks = (file->Stream.size + kBlockSize - 1) / kBlockSize;
  file->Blocks.resize(blocks);
  file->Lengths.resize(blocks);
  file->LastUse.resize(blocks);
  FT_Open_Args args{};
  args.flags = FT_OPEN_STREAM;
  args.stream = &file->Stream;
  FT_Face face = nullptr;
  // On failure as on FT_Done_Face, FreeType closes the stream through CloseFontFile.
  if (FT_Open_Face(library, &args, index, &face) != 0) return nullptr;
  return face;
}

}  // namespace moji
