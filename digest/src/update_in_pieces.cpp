#include <digest/update_in_pieces.h>

namespace md5 {

void UpdateInPieces(CMD5& md5, const unsigned char* data, std::size_t size) {
  // A whole number of blocks, so every piece after the first goes straight
  // to the compression loop without passing through the buffer.
  constexpr std::size_t kPiece = std::size_t{1} << 31;
  // CMD5 only reads its input; the cast meets its interface.
  unsigned char* next = const_cast<unsigned char*>(data);
  do {
    const std::size_t piece = size < kPiece ? size : kPiece;
    md5.Update(next, static_cast<unsigned int>(piece));
    next += piece;
    size -= piece;
  } while (size != 0);
}

}  // namespace md5
