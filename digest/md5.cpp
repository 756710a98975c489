#include "digest/md5.h"

#include <bit>
#include <cstring>

namespace {

inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The round functions of RFC 1321, each rewritten so that the newest chaining value (the
// first argument, b in every step) enters as late as possible: the steps form one long
// dependency chain, and every operation taken off that chain is time saved per block.
// F: (x & y) | (~x & z), chosen bitwise by x.
inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return z ^ (x & (y ^ z)); }
// G: (x & z) | (y & ~z); the two halves share no bits, so they may be added, and the half
// without x can be summed in before x is known (see MD5_STEP_G).
inline std::uint32_t GWithoutX(std::uint32_t y, std::uint32_t z) { return y & ~z; }
inline std::uint32_t GWithX(std::uint32_t x, std::uint32_t z) { return x & z; }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ (y ^ z); }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

#define MD5_STEP(f, a, b, c, d, x, s, ac) \
  (a) += (x) + static_cast<std::uint32_t>(ac); \
  (a) += f((b), (c), (d));                      \
  (a) = RotateLeft((a), (s)) + (b)

#define MD5_STEP_G(a, b, c, d, x, s, ac)                                   \
  (a) += (x) + static_cast<std::uint32_t>(ac) + GWithoutX((c), (d));      \
  (a) += GWithX((b), (d));                                                 \
  (a) = RotateLeft((a), (s)) + (b)

}  // namespace

MD5_CTX::MD5_CTX() { Init(); }

void MD5_CTX::Init() {
  count[0] = count[1] = 0;
  state[0] = 0x67452301;
  state[1] = 0xefcdab89;
  state[2] = 0x98badcfe;
  state[3] = 0x10325476;
  MD5_memset(padding, 0, sizeof padding);
  padding[0] = 0x80;
}

void MD5_CTX::Update(const unsigned char* input, unsigned int length) {
  unsigned int index = (count[0] >> 3) & 0x3F;
  const std::uint32_t bits = static_cast<std::uint32_t>(length) << 3;
  count[0] += bits;
  if (count[0] < bits) ++count[1];
  count[1] += length >> 29;
  const unsigned int part_length = 64 - index;
  unsigned int i = 0;
  if (length >= part_length) {
    MD5_memcpy(&buffer[index], input, part_length);
    Transform(state, buffer);
    for (i = part_length; i + 63 < length; i += 64) Transform(state, &input[i]);
    index = 0;
  }
  MD5_memcpy(&buffer[index], &input[i], length - i);
}

void MD5_CTX::Final(unsigned char digest[16]) {
  unsigned char bits[8];
  Encode(bits, count, 8);
  const unsigned int index = (count[0] >> 3) & 0x3f;
  const unsigned int pad_length = index < 56 ? 56 - index : 120 - index;
  Update(padding, pad_length);
  Update(bits, 8);
  Encode(digest, state, 16);
  // Nothing of the message may stay behind in the object.
  MD5_memset(reinterpret_cast<unsigned char*>(state), 0, sizeof state);
  MD5_memset(reinterpret_cast<unsigned char*>(count), 0, sizeof count);
  MD5_memset(buffer, 0, sizeof buffer);
  MD5_memset(padding, 0, sizeof padding);
  Init();
}

void MD5_CTX::Transform(std::uint32_t state[4], const unsigned char block[64]) {
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  std::uint32_t x[16];
  Decode(x, block, 64);

  MD5_STEP(F, a, b, c, d, x[0], 7, 0xd76aa478);
  MD5_STEP(F, d, a, b, c, x[1], 12, 0xe8c7b756);
  MD5_STEP(F, c, d, a, b, x[2], 17, 0x242070db);
  MD5_STEP(F, b, c, d, a, x[3], 22, 0xc1bdceee);
  MD5_STEP(F, a, b, c, d, x[4], 7, 0xf57c0faf);
  MD5_STEP(F, d, a, b, c, x[5], 12, 0x4787c62a);
  MD5_STEP(F, c, d, a, b, x[6], 17, 0xa8304613);
  MD5_STEP(F, b, c, d, a, x[7], 22, 0xfd469501);
  MD5_STEP(F, a, b, c, d, x[8], 7, 0x698098d8);
  MD5_STEP(F, d, a, b, c, x[9], 12, 0x8b44f7af);
  MD5_STEP(F, c, d, a, b, x[10], 17, 0xffff5bb1);
  MD5_STEP(F, b, c, d, a, x[11], 22, 0x895cd7be);
  MD5_STEP(F, a, b, c, d, x[12], 7, 0x6b901122);
  MD5_STEP(F, d, a, b, c, x[13], 12, 0xfd987193);
  MD5_STEP(F, c, d, a, b, x[14], 17, 0xa679438e);
  MD5_STEP(F, b, c, d, a, x[15], 22, 0x49b40821);

  MD5_STEP_G(a, b, c, d, x[1], 5, 0xf61e2562);
  MD5_STEP_G(d, a, b, c, x[6], 9, 0xc040b340);
  MD5_STEP_G(c, d, a, b, x[11], 14, 0x265e5a51);
  MD5_STEP_G(b, c, d, a, x[0], 20, 0xe9b6c7aa);
  MD5_STEP_G(a, b, c, d, x[5], 5, 0xd62f105d);
  MD5_STEP_G(d, a, b, c, x[10], 9, 0x02441453);
  MD5_STEP_G(c, d, a, b, x[15], 14, 0xd8a1e681);
  MD5_STEP_G(b, c, d, a, x[4], 20, 0xe7d3fbc8);
  MD5_STEP_G(a, b, c, d, x[9], 5, 0x21e1cde6);
  MD5_STEP_G(d, a, b, c, x[14], 9, 0xc33707d6);
  MD5_STEP_G(c, d, a, b, x[3], 14, 0xf4d50d87);
  MD5_STEP_G(b, c, d, a, x[8], 20, 0x455a14ed);
  MD5_STEP_G(a, b, c, d, x[13], 5, 0xa9e3e905);
  MD5_STEP_G(d, a, b, c, x[2], 9, 0xfcefa3f8);
  MD5_STEP_G(c, d, a, b, x[7], 14, 0x676f02d9);
  MD5_STEP_G(b, c, d, a, x[12], 20, 0x8d2a4c8a);

  MD5_STEP(H, a, b, c, d, x[5], 4, 0xfffa3942);
  MD5_STEP(H, d, a, b, c, x[8], 11, 0x8771f681);
  MD5_STEP(H, c, d, a, b, x[11], 16, 0x6d9d6122);
  MD5_STEP(H, b, c, d, a, x[14], 23, 0xfde5380c);
  MD5_STEP(H, a, b, c, d, x[1], 4, 0xa4beea44);
  MD5_STEP(H, d, a, b, c, x[4], 11, 0x4bdecfa9);
  MD5_STEP(H, c, d, a, b, x[7], 16, 0xf6bb4b60);
  MD5_STEP(H, b, c, d, a, x[10], 23, 0xbebfbc70);
  MD5_STEP(H, a, b, c, d, x[13], 4, 0x289b7ec6);
  MD5_STEP(H, d, a, b, c, x[0], 11, 0xeaa127fa);
  MD5_STEP(H, c, d, a, b, x[3], 16, 0xd4ef3085);
  MD5_STEP(H, b, c, d, a, x[6], 23, 0x04881d05);
  MD5_STEP(H, a, b, c, d, x[9], 4, 0xd9d4d039);
  MD5_STEP(H, d, a, b, c, x[12], 11, 0xe6db99e5);
  MD5_STEP(H, c, d, a, b, x[15], 16, 0x1fa27cf8);
  MD5_STEP(H, b, c, d, a, x[2], 23, 0xc4ac5665);

  MD5_STEP(I, a, b, c, d, x[0], 6, 0xf4292244);
  MD5_STEP(I, d, a, b, c, x[7], 10, 0x432aff97);
  MD5_STEP(I, c, d, a, b, x[14], 15, 0xab9423a7);
  MD5_STEP(I, b, c, d, a, x[5], 21, 0xfc93a039);
  MD5_STEP(I, a, b, c, d, x[12], 6, 0x655b59c3);
  MD5_STEP(I, d, a, b, c, x[3], 10, 0x8f0ccc92);
  MD5_STEP(I, c, d, a, b, x[10], 15, 0xffeff47d);
  MD5_STEP(I, b, c, d, a, x[1], 21, 0x85845dd1);
  MD5_STEP(I, a, b, c, d, x[8], 6, 0x6fa87e4f);
  MD5_STEP(I, d, a, b, c, x[15], 10, 0xfe2ce6e0);
  MD5_STEP(I, c, d, a, b, x[6], 15, 0xa3014314);
  MD5_STEP(I, b, c, d, a, x[13], 21, 0x4e0811a1);
  MD5_STEP(I, a, b, c, d, x[4], 6, 0xf7537e82);
  MD5_STEP(I, d, a, b, c, x[11], 10, 0xbd3af235);
  MD5_STEP(I, c, d, a, b, x[2], 15, 0x2ad7d2bb);
  MD5_STEP(I, b, c, d, a, x[9], 21, 0xeb86d391);

  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
  // The message words must not linger on the stack; volatile keeps the wipe from being dropped.
  volatile std::uint32_t* wipe = x;
  for (int i = 0; i < 16; ++i) wipe[i] = 0;
}

#undef MD5_STEP
#undef MD5_STEP_G

void MD5_CTX::Encode(unsigned char* output, const std::uint32_t* input, unsigned int length) {
  for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
    output[j] = static_cast<unsigned char>(input[i] & 0xff);
    output[j + 1] = static_cast<unsigned char>((input[i] >> 8) & 0xff);
    output[j + 2] = static_cast<unsigned char>((input[i] >> 16) & 0xff);
    output[j + 3] = static_cast<unsigned char>((input[i] >> 24) & 0xff);
  }
}

void MD5_CTX::Decode(std::uint32_t* output, const unsigned char* input, unsigned int length) {
  // A word-sized load is what every little-endian machine needs here; put byte by byte,
  // the compiler shuffles the bytes through vector registers instead.
  for (unsigned int i = 0, j = 0; j < length; ++i, j += 4) {
    std::uint32_t word;
    std::memcpy(&word, &input[j], sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
    output[i] = word;
  }
}

void MD5_CTX::MD5_memcpy(unsigned char* output, const unsigned char* input, unsigned int length) {
  for (unsigned int i = 0; i < length; ++i) output[i] = input[i];
}

void MD5_CTX::MD5_memset(unsigned char* output, unsigned char value, unsigned int length) {
  for (unsigned int i = 0; i < length; ++i) output[i] = value;
}
