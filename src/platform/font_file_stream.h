#pragma once
// A font file read through FreeType as a stream of blocks, the last ones read kept, never mapped.

#include <ft2build.h>

#include <string>
#include FT_FREETYPE_H

namespace moji {

/// Opens face `index` of the file through a stream that reads it with pread, a block at a time,
/// and keeps the blocks read last (a megabyte of them). The file is never mapped, so a file cut
/// short or rewritten while the program runs gives short reads (or, for a block read again,
/// its new bytes), which FreeType reports as errors, instead of a fault on a page that no
/// longer exists. nullptr when the file does not open, is no regular file or is no font.
/// FreeType closes the stream with the face.
FT_Face OpenFaceFile(FT_Library library, const std::string& path, long index);

}  // namespace moji
