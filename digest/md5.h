#pragma once
// The MD5 message digest, as an object: absorb any number of pieces, then take the digest.
// A value of fixed size that needs no heap.

#include <cstdint>

class MD5_CTX {
 public:
  MD5_CTX();
  virtual ~MD5_CTX() = default;

  void Init();
  void Update(const unsigned char* input, unsigned int length);
  // Writes the 16 digest bytes, then wipes the object and makes it ready for a new message.
  void Final(unsigned char digest[16]);

 private:
  static void Transform(std::uint32_t state[4], const unsigned char block[64]);
  static void Encode(unsigned char* output, const std::uint32_t* input, unsigned int length);
  static void Decode(std::uint32_t* output, const unsigned char* input, unsigned int length);
  static void MD5_memcpy(unsigned char* output, const unsigned char* input, unsigned int length);
  static void MD5_memset(unsigned char* output, unsigned char value, unsigned int length);

  std::uint32_t state[4];
  std::uint32_t count[2];
  unsigned char buffer[64];
  unsigned char padding[64];
};
