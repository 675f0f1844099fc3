#pragma once

#include <cstdint>
#include <string>

// A deliberately plain, bit-at-a-time encoder of the object store's LZSS format, written straight
// from the format's rules with modulo arithmetic everywhere and no buffering tricks. The
// production codec must produce exactly its bytes.
inline std::string ReferenceLzssCompress(const std::string& input) {
  constexpr int N = 4096, F = 17, NIL = -1;
  unsigned char window[N] = {};
  int parent[N + 1], smaller[N + 1], larger[N + 1];
  const int root = N;
  for (int i = 0; i <= N; ++i) parent[i] = smaller[i] = larger[i] = NIL;

  std::string out;
  int currentByte = 0, mask = 128;
  auto putBit = [&](int bit) {
    if (bit) currentByte |= mask;
    mask >>= 1;
    if (mask == 0) {
      out.push_back(static_cast<char>(currentByte));
      currentByte = 0;
      mask = 128;
    }
  };
  auto putBits = [&](int value, int count) {
    for (int b = count - 1; b >= 0; --b) putBit(value >> b & 1);
  };

  std::size_t next = 0;
  auto readByte = [&](int& c) {
    if (next >= input.size()) return false;
    c = static_cast<unsigned char>(input[next++]);
    return true;
  };

  int matchPosition = 0;
  auto insert = [&](int r) {
    if (r == 0) return 0;
    smaller[r] = larger[r] = NIL;
    int best = 0;
    int p = larger[root];
    if (p == NIL) {
      larger[root] = r;
      parent[r] = root;
      return 0;
    }
    for (;;) {
      int i = 0;
      while (i < F && window[(r + i) % N] == window[(p + i) % N]) ++i;
      if (i >= best) {
        matchPosition = p;
        best = i;
      }
      if (i == F) {
        parent[r] = parent[p];
        smaller[r] = smaller[p];
        larger[r] = larger[p];
        if (smaller[p] != NIL) parent[smaller[p]] = r;
        if (larger[p] != NIL) parent[larger[p]] = r;
        if (larger[parent[p]] == p)
          larger[parent[p]] = r;
        else
          smaller[parent[p]] = r;
        parent[p] = NIL;
        return best;
      }
      int& child = window[(r + i) % N] >= window[(p + i) % N] ? larger[p] : smaller[p];
      if (child == NIL) {
        child = r;
        parent[r] = p;
        return best;
      }
      p = child;
    }
  };
  auto remove = [&](int p) {
    if (parent[p] == NIL) return;
    int q;
    if (larger[p] == NIL) {
      q = smaller[p];
    } else if (smaller[p] == NIL) {
      q = larger[p];
    } else {
      q = smaller[p];
      if (larger[q] != NIL) {
        while (larger[q] != NIL) q = larger[q];
        larger[parent[q]] = smaller[q];
        if (smaller[q] != NIL) parent[smaller[q]] = parent[q];
        smaller[q] = smaller[p];
        parent[smaller[p]] = q;
      }
      larger[q] = larger[p];
      parent[larger[p]] = q;
    }
    if (q != NIL) parent[q] = parent[p];
    if (larger[parent[p]] == p)
      larger[parent[p]] = q;
    else
      smaller[parent[p]] = q;
    parent[p] = NIL;
  };

  int lookAhead = 0, c;
  while (lookAhead < F && readByte(c)) window[1 + lookAhead++] = static_cast<unsigned char>(c);
  larger[root] = 1;
  parent[1] = root;
  int p = 1, m = 0;
  while (lookAhead > 0) {
    if (m > lookAhead) m = lookAhead;
    int r;
    if (m <= 1) {
      putBit(1);
      putBits(window[p], 8);
      r = 1;
    } else {
      putBit(0);
      putBits(matchPosition, 12);
      putBits(m - 2, 4);
      r = m;
    }
    for (int k = 0; k < r; ++k) {
      const int s = (p + F) % N;
      remove(s);
      if (readByte(c))
        window[s] = static_cast<unsigned char>(c);
      else
        --lookAhead;
      p = (p + 1) % N;
      if (lookAhead > 0) m = insert(p);
    }
  }
  putBit(0);
  putBits(0, 12);
  while (mask != 128) putBit(0);
  return out;
}

// The matching plain decoder: one bit at a time, stopping at the end marker or when the bits run
// out (missing bits read as zero).
inline std::string ReferenceLzssExpand(const std::string& packed) {
  constexpr int N = 4096;
  unsigned char window[N] = {};
  std::size_t bit = 0;
  auto getBit = [&]() {
    const std::size_t byte = bit / 8;
    const int b =
        byte < packed.size() ? (static_cast<unsigned char>(packed[byte]) >> (7 - bit % 8)) & 1 : 0;
    ++bit;
    return b;
  };
  auto getBits = [&](int count) {
    int v = 0;
    while (count-- > 0) v = v << 1 | getBit();
    return v;
  };
  std::string out;
  int p = 1;
  for (;;) {
    if (getBit()) {
      const int c = getBits(8);
      out.push_back(static_cast<char>(c));
      window[p] = static_cast<unsigned char>(c);
      p = (p + 1) % N;
    } else {
      const int q = getBits(12);
      if (q == 0) break;
      const int length = getBits(4) + 2;
      for (int k = 0; k < length; ++k) {
        const unsigned char c = window[(q + k) % N];
        out.push_back(static_cast<char>(c));
        window[p] = c;
        p = (p + 1) % N;
      }
    }
  }
  return out;
}
