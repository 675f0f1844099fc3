#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/LzssStreams.h"
#include "platform/Stream.h"

// The compressed form of object-store files: a magic (the program uses "Q3T") followed by the
// LZSS stream of the text. Whether a file is compressed is decided on the magic alone.
inline constexpr std::string_view kCompressedMagic = "Q3T";

// The readable text of a source stream: the expanded data when the source begins with the magic,
// otherwise the source itself from its first byte.
class CTCompressedTextReader {
 public:
  // With compression off the source is always read as plain text. Returns false only when a
  // plain source cannot be rewound to its start.
  bool Open(CTStream& source, std::string_view magic, bool compression = true);

  CTStream& Text() { return *text_; }
  bool IsCompressed() const { return expander_ != nullptr; }
  // Reads what is left of the text and tells whether the compressed data ended properly (plain
  // text always does).
  bool FinishedWhole();
  // Why reading the compressed source failed, when it did; empty otherwise (also for plain text,
  // whose read errors reach the caller as CTStreamError).
  const std::string& SourceError() const;

 private:
  std::unique_ptr<CTLZSSExpanderStream> expander_;
  CTStream* text_ = nullptr;
};

// Writes text in the compressed form (or plain, with compression off) into a target stream.
// Finish() must run before the target is complete.
class CTCompressedTextWriter {
 public:
  CTCompressedTextWriter(CTStream& target, std::string_view magic, bool compression = true);

  CTStream& Text() { return compressor_ ? *compressor_ : target_; }
  // Completes the compressed data; throws CTStreamError when the target fails.
  void Finish();

 private:
  CTStream& target_;
  std::unique_ptr<CTLZSSCompressorStream> compressor_;
};
