// Raw DEFLATE (RFC 1951), unpacked synchronously: the single file carries its WebAssembly
// compressed, and a browser that compiles it synchronously (Firefox) then shows the first
// picture before the page's load event, which is when a headless screenshot is taken.
"use strict";

window.brumoxInflate = function (data, size) {
  const out = new Uint8Array(size);
  let at = 0;
  let buffer = 0; // bits read ahead, lowest first
  let count = 0;
  let written = 0;
  const bits = (wanted) => {
    while (count < wanted) {
      buffer |= data[at++] << count;
      count += 8;
    }
    const value = buffer & ((1 << wanted) - 1);
    buffer >>>= wanted;
    count -= wanted;
    return value;
  };
  // A canonical Huffman code: how many codes of each length, and the symbols in code order.
  const code = (lengths) => {
    const counts = new Uint16Array(16);
    const offsets = new Uint16Array(16);
    const symbols = new Uint16Array(lengths.length);
    lengths.forEach((length) => (counts[length] += 1));
    counts[0] = 0;
    for (let length = 1; length < 16; length += 1)
      offsets[length] = offsets[length - 1] + counts[length - 1];
    lengths.forEach((length, symbol) => {
      if (length) symbols[offsets[length]++] = symbol;
    });
    return { counts, symbols };
  };
  const decode = ({ counts, symbols }) => {
    let value = 0;
    let first = 0;
    let index = 0;
    for (let length = 1; length < 16; length += 1) {
      if (count === 0) {
        buffer = data[at++];
        count = 8;
      }
      value |= buffer & 1;
      buffer >>>= 1;
      count -= 1;
      const codes = counts[length];
      if (value - first < codes) return symbols[index + value - first];
      index += codes;
      first = (first + codes) << 1;
      value <<= 1;
    }
    throw new Error("the packed game is damaged");
  };
  const LengthBase = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59,
    67, 83, 99, 115, 131, 163, 195, 227, 258];
  const LengthExtra = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4,
    5, 5, 5, 5, 0];
  const DistanceBase = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385,
    513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577];
  const DistanceExtra = [0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10,
    10, 11, 11, 12, 12, 13, 13];
  const LengthOrder = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];
  const fixed = () => {
    const lengths = [];
    for (let symbol = 0; symbol < 288; symbol += 1)
      lengths.push(symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8);
    return [code(lengths), code(new Array(30).fill(5))];
  };
  const dynamic = () => {
    const literals = bits(5) + 257;
    const distances = bits(5) + 1;
    const codeLengths = new Array(19).fill(0);
    const given = bits(4) + 4;
    for (let i = 0; i < given; i += 1) codeLengths[LengthOrder[i]] = bits(3);
    const lengthCode = code(codeLengths);
    const lengths = [];
    while (lengths.length < literals + distances) {
      const symbol = decode(lengthCode);
      if (symbol < 16) {
        lengths.push(symbol);
        continue;
      }
      const repeated = symbol === 16 ? lengths[lengths.length - 1] : 0;
      let times = symbol === 16 ? 3 + bits(2) : symbol === 17 ? 3 + bits(3) : 11 + bits(7);
      while (times--) lengths.push(repeated);
    }
    return [code(lengths.slice(0, literals)), code(lengths.slice(literals))];
  };
  let last = 0;
  while (!last) {
    last = bits(1);
    const type = bits(2);
    if (type === 0) {
      // A stored block starts on a byte: what is left of this one is padding.
      buffer = 0;
      count = 0;
      const length = data[at] | (data[at + 1] << 8);
      at += 4;
      out.set(data.subarray(at, at + length), written);
      at += length;
      written += length;
      continue;
    }
    if (type === 3) throw new Error("the packed game is damaged");
    const [literal, distance] = type === 1 ? fixed() : dynamic();
    for (;;) {
      const symbol = decode(literal);
      if (symbol < 256) {
        out[written++] = symbol;
      } else if (symbol === 256) {
        break;
      } else {
        const length = LengthBase[symbol - 257] + bits(LengthExtra[symbol - 257]);
        const which = decode(distance);
        const back = DistanceBase[which] + bits(DistanceExtra[which]);
        for (let i = 0; i < length; i += 1, written += 1) out[written] = out[written - back];
      }
    }
  }
  if (written !== size) throw new Error("the packed game is damaged");
  return out;
};
