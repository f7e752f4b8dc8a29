// The primitives of a JWW object archive over bytes held in memory: little-endian
// values, length-prefixed strings, object counts and class tags.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "document/jww_types.h"

namespace plandock {

// Reads from a file image in memory. A read near the end delivers the bytes
// that are there (the missing ones count as zero) and never reads outside the
// buffer; last_got() tells how many bytes the last read delivered (for string,
// tag and attribute reads: all bytes of that read together).
class ArchiveReader {
 public:
  // `unicode_seen` is set when a string in the Unicode form is read.
  ArchiveReader(const uint8_t* data, size_t size, bool& unicode_seen)
      : data_(data), size_(size), unicode_seen_(unicode_seen) {}

  uint8_t U8() { return Fixed<uint8_t>(); }
  uint16_t U16() { return Fixed<uint16_t>(); }
  uint32_t U32() { return Fixed<uint32_t>(); }
  int32_t I32() { return static_cast<int32_t>(Fixed<uint32_t>()); }
  double F64() {
    uint64_t bits = Fixed<uint64_t>();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // The byte `ahead` bytes from here, 0 past the end; nothing is consumed.
  uint8_t Peek(size_t ahead) const { return ahead < remaining() ? data_[pos_ + ahead] : 0; }
  // Up to n bytes as they stand.
  std::string_view Bytes(size_t n) {
    size_t got = n < remaining() ? n : remaining();
    std::string_view v(reinterpret_cast<const char*>(data_ + pos_), got);
    pos_ += got;
    last_got_ = got;
    return v;
  }
  void Skip(size_t n) { (void)Bytes(n); }

  size_t last_got() const { return last_got_; }
  size_t pos() const { return pos_; }
  size_t size() const { return size_; }
  size_t remaining() const { return size_ - pos_; }
  bool at_end() const { return pos_ >= size_; }

  std::u16string ReadMfcString();
  // ReadMfcString without the characters below U+0020.
  std::u16string ReadCleanString();
  // Steps over a string without decoding it (and without noting its form).
  void SkipString();
  int32_t ReadObjectCount();

  struct ClassTag {
    bool is_new = false;  // a declaration: `name` holds the class name bytes
    // Views the reader's data, so a tag costs no allocation.
    std::string_view name;
    uint32_t index = 0;  // the declared class's LoadIndex, or the one referred to
  };
  // A declaration takes the current load_index, which then advances.
  ClassTag ReadClassTag() {
    // Inline for the common short reference: one tag precedes every object.
    if (remaining() >= 2) {
      uint16_t t;
      std::memcpy(&t, data_ + pos_, sizeof t);
      if (t != 0xFFFF && t != 0x7FFF) {
        pos_ += 2;
        last_got_ = 2;
        ClassTag tag;
        tag.index = static_cast<uint32_t>(t) - 0x8000u;
        return tag;
      }
    }
    return ReadLongClassTag();
  }

  // From now on `passed(owner, pos)` is called, at the next Progress() call,
  // each time reading has gone `step` bytes further: the bytes before pos are
  // not looked at again.
  using Passed = void (*)(void* owner, size_t pos);
  void NotifyPassed(Passed passed, void* owner, size_t step) {
    passed_ = passed;
    owner_ = owner;
    step_ = step;
    next_notice_ = pos_ + step;
  }
  // Called between objects, where no view of the data is held.
  void Progress() {
    if (pos_ >= next_notice_) Notice();
  }

  uint32_t load_index = 1;  // running class/object index of the whole archive
  void SawUnicode() { unicode_seen_ = true; }

 private:
  ClassTag ReadLongClassTag();
  void Notice() {
    next_notice_ = pos_ + step_;
    if (passed_ != nullptr) passed_(owner_, pos_);
  }

  template <class T>
  T Fixed() {
    if (remaining() >= sizeof(T)) {
      T v;
      std::memcpy(&v, data_ + pos_, sizeof v);
      pos_ += sizeof(T);
      last_got_ = sizeof(T);
      return v;
    }
    uint64_t v = 0;
    size_t got = remaining();
    for (size_t i = 0; i < got; ++i) v |= uint64_t{data_[pos_ + i]} << (8 * i);
    pos_ += got;
    last_got_ = got;
    return static_cast<T>(v);
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  size_t last_got_ = 0;
  bool& unicode_seen_;
  Passed passed_ = nullptr;
  void* owner_ = nullptr;
  size_t step_ = 0;
  size_t next_notice_ = SIZE_MAX;
};

// Where an ArchiveWriter hands its bytes, a block at a time.
class ArchiveSink {
 public:
  // False when the bytes could not be taken; nothing more is handed on then.
  virtual bool Take(const uint8_t* data, size_t size) = 0;

 protected:
  ~ArchiveSink() = default;
};

// Appends archive values to a buffer. Without a sink the buffer grows to hold
// everything written; with one, once it holds `block_bytes` (checked between
// objects) it is handed to the sink and emptied, so a whole drawing is never
// held twice.
class ArchiveWriter {
 public:
  static constexpr size_t kBlockBytes = 1 << 20;

  // With `unicode_strings`, strings are written in the Unicode form.
  explicit ArchiveWriter(bool unicode_strings) : unicode_(unicode_strings) {}
  ArchiveWriter(bool unicode_strings, ArchiveSink& sink, size_t block_bytes = kBlockBytes);

  void U8(uint8_t v) { buf_.push_back(v); }
  void U16(uint16_t v) { Fixed(v); }
  void U32(uint32_t v) { Fixed(v); }
  void I32(int32_t v) { Fixed(static_cast<uint32_t>(v)); }
  void F64(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    Fixed(bits);
  }
  void Bytes(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    buf_.insert(buf_.end(), b, b + n);
  }
  // Bytes of any size, such as an embedded image: with a sink they are handed
  // on as they are rather than copied into the buffer.
  void Blob(const uint8_t* p, size_t n);
  void Fill(size_t n, uint8_t value) { buf_.insert(buf_.end(), n, value); }

  void WriteMfcString(const std::u16string& text);
  void WriteObjectCount(uint32_t n);
  void WriteNewClass(int version, std::string_view name);
  void WriteClassRef(uint32_t index);

  // Hands the buffer on once it holds a block. Called between objects, which
  // keeps the check out of every value written.
  void BlockMayBeFull() {
    if (buf_.size() >= block_) Hand();
  }
  // Hands on what the buffer still holds; false when the sink refused any block.
  bool Finish();
  // Whether the sink refused a block: what is written after that is dropped.
  bool failed() const { return failed_; }
  // Everything written, without a sink; what has not been handed on yet, with one.
  std::vector<uint8_t>& buffer() { return buf_; }

 private:
  template <class T>
  void Fixed(T v) {
    uint8_t b[sizeof(T)];
    std::memcpy(b, &v, sizeof v);
    buf_.insert(buf_.end(), b, b + sizeof b);
  }
  void WriteAnsiPrefix(size_t n);
  void Hand();
  void Take(const uint8_t* data, size_t size);

  std::vector<uint8_t> buf_;
  const bool unicode_;
  ArchiveSink* sink_ = nullptr;
  size_t block_ = SIZE_MAX;
  bool failed_ = false;
};

// Code page 932 bytes as text, ending at the first zero byte.
std::u16string AnsiBytesToText(std::string_view bytes);
inline void CopyAttr(const TEntJwwAttr& from, TEntJwwAttr& to) { to = from; }

}  // namespace plandock
