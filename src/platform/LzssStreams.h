#pragma once

#include <memory>
#include <string>

#include "platform/LzssCompressor.h"
#include "platform/LzssExpander.h"
#include "platform/Stream.h"

// One-way streams over the LZSS codec. The codec runs inline on the caller's thread: every Write
// of the compressor stream encodes what it is given, every Read of the expander stream decodes
// what is asked for. Neither stream can seek or work the other way: Read on a compressor and
// Write on an expander return 0, Seek returns -1.
class CTLZSSStream : public CTStream {
 public:
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void*, std::size_t) override { return 0; }
  std::int64_t Seek(std::int64_t, Origin) override { return -1; }
};

// Compresses everything written into the target stream. The compressed data is complete once
// Finish() has run; the destructor finishes it too but cannot report a failing target, so callers
// that must know (every save) call Finish() themselves. Nobody else may write to the target
// between creation and Finish().
class CTLZSSCompressorStream : public CTLZSSStream {
 public:
  explicit CTLZSSCompressorStream(CTStream& target)
      : codec_(std::make_unique<CTLZSSCharCompressor>(target)) {}
  ~CTLZSSCompressorStream() override;

  std::size_t Write(const void* buffer, std::size_t count) override;
  // Writes the end marker and the rest; throws CTStreamError when the target fails.
  void Finish();

 private:
  std::unique_ptr<CTLZSSCharCompressor> codec_;
};

// Expands the compressed data read from the source stream, which must be positioned at the first
// compressed byte. May be destroyed at any point.
class CTLZSSExpanderStream : public CTLZSSStream {
 public:
  explicit CTLZSSExpanderStream(CTStream& source)
      : codec_(std::make_unique<CTLZSSCharExpander>(source)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  bool Ended() const { return codec_->Ended(); }
  // The data ended without its end marker: the compressed stream was cut short.
  bool Truncated() const { return codec_->Truncated(); }
  // Why reading the source failed, when it did (the data ended there); empty otherwise.
  const std::string& SourceError() const { return codec_->SourceError(); }

 private:
  std::unique_ptr<CTLZSSCharExpander> codec_;
};
