#pragma once

#include <string>
#include <vector>

// A deliberately plain encoder and decoder of the object store's LZSS format, written straight
// from the format's rules, one step at a time, with modulo arithmetic everywhere, one bit at a
// time and no buffering or comparison tricks. It shares no code with the production codec, which
// must produce exactly its bytes.
//
// The rules, as followed here:
//  - a ring window of N = 4096 bytes, all zero at the start; F = 17 bytes of look-ahead; the
//    first byte goes to position 1 (position 0 is the end marker and never a match source);
//  - the window positions form one binary search tree of their 17-byte strings (a root entry
//    whose larger child is the tree); inserting a position looks for the longest match on the way
//    down: a node whose common prefix with the new string is at least the best so far becomes the
//    match (a later node of equal length wins); a full 17-byte match replaces that node; otherwise
//    the new position goes to the larger side when its first differing byte is not smaller;
//  - removing a node with two children replaces it by the largest node of its smaller subtree;
//  - when the input is exhausted a window byte that would have been read keeps the byte it held,
//    the insertions still compare all 17 bytes, and only the match length is cut to what is left;
//  - codes: flag 1 + 8-bit literal, or flag 0 + 12-bit position + 4-bit (length - 2); a match of
//    one byte is sent as a literal; the end is flag 0 + position 0; bits most significant first,
//    the last byte padded with zeros.
inline std::string ReferenceLzssCompress(const std::string& input) {
  const int N = 4096;
  const int F = 17;
  const int NIL = -1;
  const int ROOT = N;  // the root entry; its larger child is the tree

  std::vector<unsigned char> window(N, 0);
  std::vector<int> parent(N + 1, NIL), smaller(N + 1, NIL), larger(N + 1, NIL);

  std::string out;
  int currentByte = 0;
  int mask = 128;
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
    for (int b = count - 1; b >= 0; --b) putBit((value >> b) & 1);
  };

  std::size_t next = 0;  // the next input byte
  auto inputLeft = [&] { return next < input.size(); };
  auto readByte = [&] { return static_cast<unsigned char>(input[next++]); };

  // Replaces node p by q (which may be NIL) in p's parent.
  auto replaceInParent = [&](int p, int q) {
    const int up = parent[p];
    if (larger[up] == p) {
      larger[up] = q;
    } else {
      smaller[up] = q;
    }
    if (q != NIL) parent[q] = up;
  };

  int matchPosition = 0;
  // Inserts position r; returns the longest match length found (matchPosition is its position).
  auto insert = [&](int r) {
    if (r == 0) return 0;  // position 0 never enters the tree
    smaller[r] = NIL;
    larger[r] = NIL;
    int node = larger[ROOT];
    if (node == NIL) {
      larger[ROOT] = r;
      parent[r] = ROOT;
      return 0;
    }
    int best = 0;
    for (;;) {
      int i = 0;
      while (i < F && window[(r + i) % N] == window[(node + i) % N]) ++i;
      if (i >= best) {
        best = i;
        matchPosition = node;
      }
      if (i == F) {
        // The new position takes the place of the node, with its parent and children.
        parent[r] = parent[node];
        smaller[r] = smaller[node];
        larger[r] = larger[node];
        if (smaller[r] != NIL) parent[smaller[r]] = r;
        if (larger[r] != NIL) parent[larger[r]] = r;
        replaceInParent(node, r);
        parent[node] = NIL;
        smaller[node] = NIL;
        larger[node] = NIL;
        return best;
      }
      const bool toLarger = window[(r + i) % N] >= window[(node + i) % N];
      int& child = toLarger ? larger[node] : smaller[node];
      if (child == NIL) {
        child = r;
        parent[r] = node;
        return best;
      }
      node = child;
    }
  };

  // Removes position p from the tree (nothing when it is not in it).
  auto remove = [&](int p) {
    if (parent[p] == NIL) return;
    if (smaller[p] == NIL) {
      replaceInParent(p, larger[p]);
    } else if (larger[p] == NIL) {
      replaceInParent(p, smaller[p]);
    } else {
      int q = smaller[p];
      while (larger[q] != NIL) q = larger[q];  // the largest node of the smaller subtree
      if (q != smaller[p]) {
        replaceInParent(q, smaller[q]);
        smaller[q] = smaller[p];
        parent[smaller[q]] = q;
      }
      larger[q] = larger[p];
      parent[larger[q]] = q;
      replaceInParent(p, q);
    }
    parent[p] = NIL;
    smaller[p] = NIL;
    larger[p] = NIL;
  };

  // The first look-ahead: up to 17 bytes into positions 1..17; position 1 is the only node.
  int lookAhead = 0;
  while (lookAhead < F && inputLeft()) window[1 + lookAhead++] = readByte();
  larger[ROOT] = 1;
  parent[1] = ROOT;
  int p = 1;  // the current position
  int m = 0;  // the match length for it
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
      if (inputLeft()) {
        window[s] = readByte();
      } else {
        --lookAhead;  // window[s] keeps the byte it held
      }
      p = (p + 1) % N;
      if (lookAhead > 0) m = insert(p);
    }
  }
  // The end marker, then the last partial byte.
  putBit(0);
  putBits(0, 12);
  while (mask != 128) putBit(0);
  return out;
}

// The matching plain decoder: one bit at a time, stopping at the end marker or when the bits run
// out (missing bits read as zero).
inline std::string ReferenceLzssExpand(const std::string& packed) {
  constexpr int N = 4096;
  std::vector<unsigned char> window(N, 0);
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
