#include "platform/CompressedWrapper.h"

#include <cstdint>

bool CTCompressedTextReader::Open(CTStream& source, std::string_view magic, bool compression) {
  expander_.reset();
  text_ = &source;
  if (!compression) return true;  // read plain from where the source stands
  {
    bool matches = true;
    for (char expected : magic) {
      std::uint8_t byte = 0;
      if (source.Read(&byte, 1) != 1 || byte != static_cast<std::uint8_t>(expected)) {
        matches = false;
        break;
      }
    }
    if (matches) {
      expander_ = std::make_unique<CTLZSSExpanderStream>(source);
      text_ = expander_.get();
      return true;
    }
  }
  return source.Seek(0, CTStream::Origin::Begin) == 0;
}

CTCompressedTextWriter::CTCompressedTextWriter(CTStream& target, std::string_view magic,
                                               bool compression)
    : target_(target) {
  if (!compression) return;
  target_.WriteAll(magic.data(), magic.size());
  compressor_ = std::make_unique<CTLZSSCompressorStream>(target_);
}

void CTCompressedTextWriter::Finish() {
  if (compressor_) compressor_->Finish();
}

bool CTCompressedTextReader::FinishedWhole() {
  if (!expander_) return true;
  char rest[4096];
  while (expander_->Read(rest, sizeof rest) > 0) {
  }
  return !expander_->Truncated();
}

const std::string& CTCompressedTextReader::SourceError() const {
  static const std::string none;
  return expander_ ? expander_->SourceError() : none;
}
