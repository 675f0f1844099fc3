#include "platform/LzssStreams.h"

CTLZSSCompressorStream::~CTLZSSCompressorStream() {
  try {
    codec_->Finish();
  } catch (const CTStreamError&) {
    // Nobody to tell from a destructor; callers that care call Finish() first.
  }
}

std::size_t CTLZSSCompressorStream::Write(const void* buffer, std::size_t count) {
  if (codec_->Finished()) return 0;
  codec_->Push(static_cast<const std::uint8_t*>(buffer), count);
  return count;
}

void CTLZSSCompressorStream::Finish() {
  codec_->Finish();
}

std::size_t CTLZSSExpanderStream::Read(void* buffer, std::size_t count) {
  return codec_->Decode(static_cast<std::uint8_t*>(buffer), count);
}
