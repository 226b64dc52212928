#include "player/CardPack.h"

#include <stdint.h>

#include "codecs/Inflate.h"
#include "player/PlayerResources.h"
#include "winapi/Resource.h"

namespace {

uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

CardPack::CardPack(HINSTANCE instance) {
  size_t size = 0;
  const unsigned char* pack = ResourceBytes(instance, IDR_PACK, RawDataResource(), size);
  if (!pack || size < 4) return;
  ByteBuffer records(Le32(pack));
  if (!records.ok() || Inflate(pack + 4, size - 4, records.data(), records.size()) != records.size()) return;
  records_ = static_cast<ByteBuffer&&>(records);
}

const unsigned char* CardPack::Find(int id, size_t& length) const {
  const unsigned char* p = records_.data();
  const unsigned char* end = p + records_.size();
  while (p && end - p >= 8) {
    size_t image = Le32(p + 4);
    if (image > static_cast<size_t>(end - p - 8)) break;
    if ((p[0] | (p[1] << 8)) == id) {
      length = image;
      return p + 8;
    }
    p += 8 + image;
  }
  length = 0;
  return nullptr;
}
