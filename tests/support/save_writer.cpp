#include "support/save_writer.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace vsl::testing {

namespace {

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

SaveWriter& SaveWriter::Int(int32_t v) {
  PutLE(bytes_, static_cast<uint32_t>(v), 4);
  return *this;
}

SaveWriter& SaveWriter::Short(int16_t v) {
  PutLE(bytes_, static_cast<uint16_t>(v), 2);
  return *this;
}

SaveWriter& SaveWriter::Byte(uint8_t v) {
  bytes_.push_back(v);
  return *this;
}

SaveWriter& SaveWriter::Bool(uint8_t v) {
  return Byte(v);
}

SaveWriter& SaveWriter::VaryRuns(uint32_t seed) {
  noise_ = seed | 1u;
  return *this;
}

uint32_t SaveWriter::NextNoise() {
  noise_ ^= noise_ << 13;  // xorshift32
  noise_ ^= noise_ >> 17;
  noise_ ^= noise_ << 5;
  return noise_;
}

SaveWriter& SaveWriter::Ints(int64_t count, int32_t value) {
  for (int64_t i = 0; i < count; ++i) {
    // Mostly small numbers with long zero stretches, as a game's counters and flags look.
    Int(noise_ == 0 ? value : (NextNoise() % 16 == 0 ? static_cast<int32_t>(NextNoise() % 100) : 0));
  }
  return *this;
}

SaveWriter& SaveWriter::Shorts(int64_t count, int16_t value) {
  for (int64_t i = 0; i < count; ++i) {
    Short(noise_ == 0 ? value : (NextNoise() % 16 == 0 ? static_cast<int16_t>(NextNoise() % 50) : 0));
  }
  return *this;
}

SaveWriter& SaveWriter::Bytes(int64_t count, uint8_t value) {
  bytes_.insert(bytes_.end(), static_cast<size_t>(count), value);
  return *this;
}

SaveWriter& SaveWriter::Bools(int64_t count, uint8_t value) {
  return Bytes(count, value);
}

SaveWriter& SaveWriter::IntList(std::initializer_list<int32_t> values) {
  for (int32_t v : values) Int(v);
  return *this;
}

SaveWriter& SaveWriter::Str(std::string_view text, std::optional<int32_t> count) {
  Int(count.value_or(static_cast<int32_t>(text.size())));
  return Raw(text);
}

SaveWriter& SaveWriter::WStr(std::string_view text) {
  Int(static_cast<int32_t>(text.size()));
  for (char c : text) {
    Byte(static_cast<uint8_t>(c));
    Byte(0);
  }
  return *this;
}

SaveWriter& SaveWriter::WStr8(std::string_view text) {
  Int(static_cast<int32_t>(text.size()));
  return Raw(text);
}

SaveWriter& SaveWriter::WStr16(std::span<const uint16_t> chars) {
  Int(static_cast<int32_t>(chars.size()));
  for (uint16_t c : chars) Short(static_cast<int16_t>(c));
  return *this;
}

SaveWriter& SaveWriter::Raw(std::span<const uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

SaveWriter& SaveWriter::Raw(std::string_view bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

SaveWriter& SaveWriter::PatchInt(size_t offset, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) bytes_.at(offset + static_cast<size_t>(i)) = static_cast<uint8_t>(u >> (8 * i));
  return *this;
}

std::vector<uint8_t> Deflate(std::span<const uint8_t> body) {
  uLongf size = compressBound(static_cast<uLong>(body.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, body.data(), static_cast<uLong>(body.size()), Z_DEFAULT_COMPRESSION) !=
      Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> MakeContainer(std::span<const uint8_t> header, std::span<const uint8_t> body,
                                   const ContainerOptions& options) {
  const std::vector<uint8_t> stream = Deflate(body);
  SaveWriter w;
  w.Raw(header);
  w.Int(options.inflatedSize.value_or(static_cast<int32_t>(body.size())));
  w.Int(options.compressedSize.value_or(static_cast<int32_t>(stream.size())));
  w.Raw(stream);
  w.Raw(options.trailer);
  return w.Take();
}

std::string WriteFile(const std::string& path, std::span<const uint8_t> bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace vsl::testing
