// Building and encoding a directory: entries added once per tag, values of more
// than four bytes placed after the entries in the order of adding, entries
// sorted by tag, and the 8-byte file header.
#include "imagefile/tiff_ifd.h"

#include <algorithm>
#include <new>

namespace wq {
namespace {

uint32_t TypeSize(uint16_t type) {
  switch (type) {
    case kTiffShort: return 2;
    case kTiffLong: return 4;
    case kTiffRational: return 8;
    default: return 1;
  }
}

uint64_t ValueBytes(const TiffIfdEntry& e) { return uint64_t(e.count) * TypeSize(e.type); }
uint64_t Padded(uint64_t n) { return (n + 1) & ~uint64_t(1); }

const TiffIfdEntry* Find(const TiffIfd& ifd, uint16_t tag) {
  for (const TiffIfdEntry& e : ifd.entries)
    if (e.tag == tag) return &e;
  return nullptr;
}

bool Add(TiffIfd* ifd, TiffIfdEntry&& e) {
  if (Find(*ifd, e.tag)) return false;
  try {
    ifd->entries.push_back(std::move(e));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool AddNumbers(TiffIfd* ifd, uint16_t tag, uint16_t type, const uint32_t* v, size_t n) {
  TiffIfdEntry e;
  e.tag = tag;
  e.type = type;
  e.count = uint32_t(type == kTiffRational ? n / 2 : n);
  try {
    e.numbers.assign(v, v + n);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return Add(ifd, std::move(e));
}

void PutValue(const TiffIfdEntry& e, ByteOrder o, uint8_t* p) {
  if (e.type == kTiffAscii || e.type == kTiffByte) {
    std::copy(e.text.begin(), e.text.end(), p);
    return;
  }
  uint32_t size = e.type == kTiffShort ? 2 : 4;
  for (uint32_t v : e.numbers) {
    if (size == 2) Put16(p, v, o); else Put32(p, v, o);
    p += size;
  }
}

void EncodeInto(const TiffIfd& ifd, uint32_t ifdOffset, uint32_t nextIfd, uint8_t* base) {
  const ByteOrder o = ifd.order;
  // Value positions follow the order of adding; entries follow tag order.
  std::vector<uint32_t> valueAt(ifd.entries.size(), 0);
  std::vector<size_t> order(ifd.entries.size());
  uint64_t pos = 2 + 12 * uint64_t(ifd.entries.size()) + 4;
  for (size_t i = 0; i < ifd.entries.size(); ++i) {
    order[i] = i;
    const TiffIfdEntry& e = ifd.entries[i];
    if (ValueBytes(e) <= 4) continue;
    valueAt[i] = uint32_t(pos);
    PutValue(e, o, base + pos);
    pos += Padded(ValueBytes(e));
  }
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return ifd.entries[a].tag < ifd.entries[b].tag;
  });

  Put16(base, uint32_t(ifd.entries.size()), o);
  uint8_t* p = base + 2;
  for (size_t i : order) {
    const TiffIfdEntry& e = ifd.entries[i];
    Put16(p, e.tag, o);
    Put16(p + 2, e.type, o);
    Put32(p + 4, e.count, o);
    if (ValueBytes(e) <= 4)
      PutValue(e, o, p + 8);  // left-justified, the rest stays 0
    else
      Put32(p + 8, ifdOffset + valueAt[i], o);
    p += 12;
  }
  Put32(p, nextIfd, o);
}

}  // namespace

bool TiffIfdAddShort(TiffIfd* ifd, uint16_t tag, uint16_t value) {
  uint32_t v = value;
  return AddNumbers(ifd, tag, kTiffShort, &v, 1);
}

bool TiffIfdAddShorts(TiffIfd* ifd, uint16_t tag, std::span<const uint16_t> values) {
  try {
    std::vector<uint32_t> v(values.begin(), values.end());
    return AddNumbers(ifd, tag, kTiffShort, v.data(), v.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool TiffIfdAddLong(TiffIfd* ifd, uint16_t tag, uint32_t value) {
  return AddNumbers(ifd, tag, kTiffLong, &value, 1);
}

bool TiffIfdAddLongs(TiffIfd* ifd, uint16_t tag, std::span<const uint32_t> values) {
  return AddNumbers(ifd, tag, kTiffLong, values.data(), values.size());
}

bool TiffIfdAddRational(TiffIfd* ifd, uint16_t tag, uint32_t numerator, uint32_t denominator) {
  const uint32_t v[2] = {numerator, denominator};
  return AddNumbers(ifd, tag, kTiffRational, v, 2);
}

bool TiffIfdAddAscii(TiffIfd* ifd, uint16_t tag, std::string_view text) {
  TiffIfdEntry e;
  e.tag = tag;
  e.type = kTiffAscii;
  try {
    e.text.assign(text);
    e.text.push_back('\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  e.count = uint32_t(e.text.size());
  return Add(ifd, std::move(e));
}

bool TiffIfdSetNumber(TiffIfd* ifd, uint16_t tag, uint32_t index, uint32_t value) {
  for (TiffIfdEntry& e : ifd->entries) {
    if (e.tag != tag) continue;
    if ((e.type != kTiffShort && e.type != kTiffLong) || index >= e.numbers.size()) return false;
    e.numbers[index] = value;
    return true;
  }
  return false;
}

uint64_t TiffIfdByteSize(const TiffIfd& ifd) {
  uint64_t size = 2 + 12 * uint64_t(ifd.entries.size()) + 4;
  for (const TiffIfdEntry& e : ifd.entries)
    if (ValueBytes(e) > 4) size += Padded(ValueBytes(e));
  return size;
}

uint32_t TiffIfdValueOffset(const TiffIfd& ifd, uint16_t tag, uint32_t ifdOffset) {
  uint64_t pos = ifdOffset + 2 + 12 * uint64_t(ifd.entries.size()) + 4;
  for (const TiffIfdEntry& e : ifd.entries) {
    if (ValueBytes(e) <= 4) {
      if (e.tag == tag) return 0;
      continue;
    }
    if (e.tag == tag) return pos > 0xFFFFFFFFu ? 0 : uint32_t(pos);
    pos += Padded(ValueBytes(e));
  }
  return 0;
}

bool TiffIfdEncode(const TiffIfd& ifd, uint32_t ifdOffset, uint32_t nextIfd,
                   std::vector<uint8_t>* out) {
  if (ifdOffset & 1 || ifd.entries.size() > 0xFFFF) return false;
  uint64_t size = TiffIfdByteSize(ifd);
  if (ifdOffset + size > 0xFFFFFFFFu) return false;
  try {
    out->assign(size_t(size), 0);
    EncodeInto(ifd, ifdOffset, nextIfd, out->data());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void TiffEncodeHeader(ByteOrder order, uint32_t ifdOffset, uint8_t out[kTiffHeaderSize]) {
  out[0] = out[1] = order == ByteOrder::kIntel ? 'I' : 'M';
  Put16(out + 2, 42, order);
  Put32(out + 4, ifdOffset, order);
}

}  // namespace wq
